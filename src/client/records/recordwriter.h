// SPDX-License-Identifier: MIT
// RecordWriter: writes every game the window takes part in or watches as a record file.
//
// It hears the host's messages itself (HostConnection::on, after the table model took them in) and
// keeps the table as it stood before each one. A record begins at a game's start, or at the first
// game message of a game the window joined while it ran; each event is appended to the file as it
// comes and handed to the system at once (one write and flush per event, no fsync: a crash of the
// program loses nothing written, and only a crash of the whole system could lose the last events,
// which is not worth a disk flush per letter placed). The result is appended when the game is won or
// abandoned; a new game's start, the table closing or the writer's end close an open record without
// one. Records beyond the limit are removed when a record begins.
//
// A hostile host could send game messages without end: a record takes at most RecordFile::maxEvents
// events and RecordFile::maxFileBytes bytes; past either it says it was cut short and takes no more
// until the next game. Chat, seat keys and passwords are never written.
#pragma once

#include "gamerecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>

namespace quibo {

class HostConnection;

class RecordWriter : public QObject {
    Q_OBJECT
public:
    RecordWriter(HostConnection& connection, TableModel& model, QString folder, QObject* parent = nullptr);
    ~RecordWriter() override;

    void setLimit(int limit);
    void setWordList(const QString& name) { m_wordList = name; }

    // The record being written, or the last one written (what the summary's analysis reads).
    const GameRecord& lastRecord() const { return m_record; }
    const QString& lastPath() const { return m_path; }
    bool writing() const { return m_file.isOpen(); }

    // Closes an open record as unfinished.
    void close();

Q_SIGNALS:
    // A game came to an end and its record is complete.
    void gameRecorded(const quibo::GameRecord& record, const QString& path);
    // The record could not be written (the folder or the disk); recording stops for this game.
    void writeFailed(const QString& reason);

private:
    template <class M>
    void take(const M& message);
    void begin(const TableState& start);
    void append(const QByteArray& line);
    void finish(const GameResult& result);

    TableModel& m_model;
    QString m_folder;
    int m_limit = 500;
    QString m_wordList = QStringLiteral("English");
    TableState m_before; // the table before the message now taken in
    GameRecord m_record;
    QString m_path;
    QFile m_file;
    QElapsedTimer m_clock;
    qint64 m_bytes = 0;
    bool m_failed = false; // the record of this game could not be written: no new try until the next game
};

} // namespace quibo

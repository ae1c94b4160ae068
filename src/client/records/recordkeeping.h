// SPDX-License-Identifier: MIT
// RecordKeeping: the player window's keeping of game records.
//
// Made once by the program for its window; each connection the window makes to a host is followed
// by a RecordWriter of its own (owned by the connection, so it ends with it). It says where the
// records lie, how many are kept ("RecordLimit" in the settings file) and which record the window
// wrote last, for the end-of-game summary.
#pragma once

#include "gamerecord.h"

#include <QObject>
#include <QPointer>

namespace quibo {

class HostConnection;
class RecordWriter;
class SettingsFile;

class RecordKeeping : public QObject {
    Q_OBJECT
public:
    RecordKeeping(QString folder, int limit, QObject* parent = nullptr);

    // The record limit as the settings file sets it: "RecordLimit", 500 when missing or not a number,
    // brought into the range RecordShelf allows.
    static int limitSetting(const SettingsFile& settings);

    const QString& folder() const { return m_folder; }
    int limit() const { return m_limit; }
    void setWordList(const QString& name) { m_wordList = name; }

    // Writes the games that come through `connection` into records.
    void follow(HostConnection& connection, TableModel& model);

    // The record of the game that ended last (empty before any), and its file.
    const GameRecord& lastRecord() const { return m_last; }
    const QString& lastPath() const { return m_lastPath; }

Q_SIGNALS:
    void gameRecorded(const quibo::GameRecord& record, const QString& path);
    void writeFailed(const QString& reason);

private:
    QString m_folder;
    int m_limit;
    QString m_wordList = QStringLiteral("English");
    QPointer<RecordWriter> m_writer;
    GameRecord m_last;
    QString m_lastPath;
};

} // namespace quibo

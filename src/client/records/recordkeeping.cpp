// SPDX-License-Identifier: MIT
#include "recordkeeping.h"

#include "hostconnection.h"
#include "recordshelf.h"
#include "recordwriter.h"
#include "settingsfile.h"

namespace quibo {

RecordKeeping::RecordKeeping(QString folder, int limit, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_limit(RecordShelf::clampLimit(limit)) {}

int RecordKeeping::limitSetting(const SettingsFile& settings) {
    bool ok = false;
    const int limit = settings.read(QStringLiteral("RecordLimit"), QString()).trimmed().toInt(&ok);
    return ok ? RecordShelf::clampLimit(limit) : RecordShelf::defaultLimit;
}

void RecordKeeping::follow(HostConnection& connection, TableModel& model) {
    // The writer of an earlier connection closes its record as unfinished.
    if (m_writer) m_writer->close();
    m_writer = new RecordWriter(connection, model, m_folder, &connection);
    m_writer->setLimit(m_limit);
    m_writer->setWordList(m_wordList);
    connect(m_writer, &RecordWriter::gameRecorded, this,
            [this](const GameRecord& record, const QString& path) {
                m_last = record;
                m_lastPath = path;
                Q_EMIT gameRecorded(record, path);
            });
    connect(m_writer, &RecordWriter::writeFailed, this, &RecordKeeping::writeFailed);
}

} // namespace quibo

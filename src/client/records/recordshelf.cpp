// SPDX-License-Identifier: MIT
#include "recordshelf.h"

#include "boundedfile.h"
#include "recordfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace quibo {

namespace {

const QString suffix = QStringLiteral(".quibo");
// The header of a record lies in its first lines; a listing reads no more of a file than this.
constexpr qint64 headerBytes = 64 * 1024;

// A listing needs the header and the result; the result is the last line, so the file's end is read
// as well, and the two are read as one record whose events are left out.
ShelvedRecord shelve(const QString& path) {
    ShelvedRecord shelved;
    shelved.path = path;
    QFile file;
    if (!openBoundedFile(file, path, RecordFile::maxFileBytes, shelved.refusal)) {
        // Removed since it was listed.
        if (shelved.refusal.isEmpty()) shelved.refusal = RecordFile::read(path).refusal;
        return shelved;
    }
    const QByteArray head = file.read(headerBytes);
    const qsizetype events = head.indexOf("\nevents\n");
    if (events < 0) {
        shelved.refusal = RecordFile::parse(head).refusal;
        if (shelved.refusal.isEmpty()) shelved.refusal = QStringLiteral("?");
        return shelved;
    }
    QByteArray tail;
    if (file.size() > head.size()) {
        file.seek(std::max(qint64(head.size()), file.size() - 256));
        tail = file.read(256);
        tail = tail.mid(tail.indexOf('\n') + 1);
    } else {
        tail = head.mid(events + 8);
    }
    // Only the closing lines count; the events between are read when the record is opened.
    QByteArray closing;
    for (const QByteArray& line : tail.split('\n'))
        if (line == "cut short" || line.startsWith("result ")) closing += line + '\n';
    const RecordReading reading = RecordFile::parse(head.left(events + 8) + closing);
    if (!reading.record) {
        shelved.refusal = reading.refusal;
        return shelved;
    }
    const GameRecord& r = *reading.record;
    shelved.started = r.started;
    shelved.opponent = r.opponent();
    shelved.ownDisplaySeat = r.ownDisplaySeat();
    shelved.result = r.result;
    shelved.cutShort = r.cutShort;
    return shelved;
}

} // namespace

RecordShelf::RecordShelf(QString folder)
    : m_folder(std::move(folder)) {}

QString RecordShelf::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/games");
}

int RecordShelf::clampLimit(int limit) {
    return std::clamp(limit, minLimit, maxLimit);
}

QStringList RecordShelf::recordFiles() const {
    return QDir(m_folder).entryList({QStringLiteral("*") + suffix}, QDir::Files, QDir::Name | QDir::Reversed);
}

QList<ShelvedRecord> RecordShelf::list() const {
    QList<ShelvedRecord> out;
    const QStringList names = recordFiles();
    for (qsizetype i = 0; i < std::min(names.size(), maxListed); ++i)
        out.append(shelve(m_folder + QLatin1Char('/') + names[i]));
    return out;
}

QString RecordShelf::fileNamePart(const QString& name) {
    QString out;
    for (const QChar ch : name) {
        if (out.size() >= maxNameInFileName) break;
        if (ch.isLetterOrNumber() || ch == QLatin1Char('-') || ch == QLatin1Char('_')) out += ch;
    }
    return out.isEmpty() ? QStringLiteral("player") : out;
}

QString RecordShelf::newRecordPath(const QDateTime& started, const QString& player1,
                                   const QString& player2) const {
    const QString stem = started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")) +
                         QLatin1Char('-') + fileNamePart(player1) + QLatin1Char('-') + fileNamePart(player2);
    QString path = m_folder + QLatin1Char('/') + stem + suffix;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = m_folder + QLatin1Char('/') + stem + QLatin1Char('-') + QString::number(n) + suffix;
    return path;
}

int RecordShelf::removeBeyondLimit(int limit, const QString& keep) const {
    const QStringList names = recordFiles();
    int removed = 0;
    int kept = 0;
    for (const QString& name : names) {
        const QString path = m_folder + QLatin1Char('/') + name;
        if (kept < limit || path == keep) {
            ++kept;
            continue;
        }
        if (QFile::remove(path)) ++removed;
    }
    return removed;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "privateprofile.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <optional>
#include <vector>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcProfile, "quibo.settings")

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && (isBlank(text.back()) || text.back() == '\r'))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView inFile, QStringView wanted) {
    return QString::fromUtf8(inFile).compare(wanted, Qt::CaseInsensitive) == 0;
}

// One line of the file: its content runs from begin to end (line ending excluded); the next line
// starts at next.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

enum class LineKind { Section, Key, Comment, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArrayView name;  // section or key name, trimmed
    qsizetype equals = 0; // offset of "=" within the line, for keys
    QByteArrayView value; // trimmed, for keys
};

std::vector<Line> splitLines(const QByteArray& data) {
    std::vector<Line> lines;
    // A byte-order mark written by an editor is not part of the first line; it stays in the file.
    qsizetype pos = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < data.size()) {
        const qsizetype newline = data.indexOf('\n', pos);
        Line line{pos, newline < 0 ? data.size() : newline, newline < 0 ? data.size() : newline + 1};
        if (line.end > line.begin && data.at(line.end - 1) == '\r') --line.end;
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

ParsedLine parseLine(QByteArrayView content) {
    const QByteArrayView trimmed = trimBlanks(content);
    ParsedLine parsed;
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        parsed.kind = LineKind::Section;
        parsed.name = trimBlanks(trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1));
    } else if (trimmed.startsWith(';')) {
        parsed.kind = LineKind::Comment;
    } else if (const qsizetype equals = content.indexOf('='); equals >= 0) {
        parsed.kind = LineKind::Key;
        parsed.name = trimBlanks(content.first(equals));
        parsed.equals = equals;
        parsed.value = trimBlanks(content.sliced(equals + 1));
    }
    return parsed;
}

// Where a key stands: the index of its section's header line and of the key's line, when found.
struct Location {
    std::optional<size_t> section;
    std::optional<size_t> key;
    size_t lastContent = 0; // last key or header line of the section, for appending
};

Location locate(const QByteArray& data, const std::vector<Line>& lines, QStringView section,
                QStringView key) {
    Location where;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed =
            parseLine(QByteArrayView(data).sliced(lines[i].begin, lines[i].end - lines[i].begin));
        if (parsed.kind == LineKind::Section) {
            if (where.section) break; // the first matching section is the one that counts
            if (sameName(parsed.name, section)) {
                where.section = i;
                where.lastContent = i;
            }
        } else if (where.section && parsed.kind == LineKind::Key) {
            where.lastContent = i;
            if (!where.key && sameName(parsed.name, key)) where.key = i;
        }
    }
    return where;
}

QString unquoted(QByteArrayView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    QString text = QString::fromUtf8(value);
    if (text.size() > PrivateProfile::maxValueLength) {
        text.truncate(PrivateProfile::maxValueLength);
        if (text.back().isHighSurrogate()) text.chop(1);
    }
    return text;
}

std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (file.size() > PrivateProfile::maxFileSize) {
        qCWarning(lcProfile) << "settings file too large, ignored:" << path;
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.read(PrivateProfile::maxFileSize + 1);
}

QByteArray lineEndingOf(const QByteArray& data) {
    const qsizetype newline = data.indexOf('\n');
    if (newline > 0 && data.at(newline - 1) == '\r') return "\r\n";
    if (newline >= 0) return "\n";
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

// The file with the key set; data is the file's current content.
QByteArray withKey(QByteArray data, QStringView section, QStringView key, const QString& value) {
    const std::vector<Line> lines = splitLines(data);
    const Location where = locate(data, lines, section, key);
    const QByteArray eol = lineEndingOf(data);
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray encoded = flat.toUtf8();

    if (where.key) {
        // Keep the key as spelled in the file, up to and including "=", and replace only the value.
        const Line& line = lines[*where.key];
        const ParsedLine parsed = parseLine(QByteArrayView(data).sliced(line.begin, line.end - line.begin));
        const qsizetype valueStart = line.begin + parsed.equals + 1;
        return data.replace(valueStart, line.end - valueStart, encoded);
    }
    const QByteArray keyLine = key.toUtf8() + '=' + encoded + eol;
    if (where.section) {
        const Line& last = lines[where.lastContent];
        const QByteArray lead = last.next == last.end ? eol : QByteArray();
        return data.insert(last.next, lead + keyLine);
    }
    if (!data.isEmpty() && !data.endsWith('\n')) data += eol;
    return data + '[' + section.toUtf8() + ']' + eol + keyLine;
}

bool isReadOnly(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return false;
    // The owner's write bit is the file's read-only mark; it counts even for an all-powerful user.
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

} // namespace

ProfileWriteError::ProfileWriteError(const QString& path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString())
    , m_message(QStringLiteral("Unable to write to %1").arg(path)) {}

PrivateProfile::PrivateProfile(QString path)
    : m_path(std::move(path)) {}

QString PrivateProfile::readString(QStringView section, QStringView key, const QString& defaultValue) const {
    const std::optional<QByteArray> data = readFile(m_path);
    if (!data) return defaultValue;
    const std::vector<Line> lines = splitLines(*data);
    const Location where = locate(*data, lines, section, key);
    if (!where.key) return defaultValue;
    const Line& line = lines[*where.key];
    return unquoted(parseLine(QByteArrayView(*data).sliced(line.begin, line.end - line.begin)).value);
}

bool PrivateProfile::contains(QStringView section, QStringView key) const {
    const std::optional<QByteArray> data = readFile(m_path);
    if (!data) return false;
    return locate(*data, splitLines(*data), section, key).key.has_value();
}

void PrivateProfile::writeString(QStringView section, QStringView key, const QString& value) const {
    const QString fullPath = QFileInfo(m_path).absoluteFilePath();
    const std::optional<QByteArray> data = readFile(m_path);
    if (!data || isReadOnly(m_path)) throw ProfileWriteError(fullPath);
    QSaveFile file(m_path);
    // A writable file in a directory that is not can still be updated, though not atomically.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcProfile) << "cannot open for writing:" << m_path << file.errorString();
        throw ProfileWriteError(fullPath);
    }
    const QByteArray updated = withKey(*data, section, key, value);
    if (file.write(updated) != updated.size() || !file.commit()) {
        qCInfo(lcProfile) << "cannot write:" << m_path << file.errorString();
        throw ProfileWriteError(fullPath);
    }
}

} // namespace quibo

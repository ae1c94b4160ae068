// SPDX-License-Identifier: MIT
// PrivateProfile: reads and writes single keys of an INI text file in place.
//
// The file may be shared with other programs (the lobby keeps its own sections in it), so a write
// changes only the one key's line, or adds it, and keeps every other byte: other sections, comments,
// blank lines, key order and the file's line endings. Section and key names match without regard to
// letter case; values are trimmed of surrounding blanks and of one pair of enclosing quotes, and cut
// to maxValueLength characters. The file is opened afresh for every call; nothing is cached. Text is
// UTF-8. The object only holds the path and is cheap to copy.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <stdexcept>

namespace quibo {

// A key could not be written. The message is "Unable to write to <full path>".
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString& path);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

class PrivateProfile {
public:
    static constexpr qsizetype maxValueLength = 2047;
    // A larger file is not read (defaults apply) and not rewritten (the write fails).
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

    explicit PrivateProfile(QString path);

    const QString& path() const { return m_path; }

    // The value of the first matching key in the first matching section, or defaultValue when the
    // file, the section or the key is missing.
    QString readString(QStringView section, QStringView key, const QString& defaultValue) const;
    // True when the key exists in the file (with any value, an empty one included).
    bool contains(QStringView section, QStringView key) const;

    // Sets the key, adding it at the end of its section or adding the section at the end of the
    // file; creates the file when missing. The file is replaced atomically, so a failed write leaves
    // it as it was. Throws ProfileWriteError. Line breaks inside the value become blanks, since they
    // would otherwise start new keys.
    void writeString(QStringView section, QStringView key, const QString& value) const;

private:
    QString m_path;
};

} // namespace quibo

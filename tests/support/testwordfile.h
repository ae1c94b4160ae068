// SPDX-License-Identifier: MIT
// Test helper: writes a word file in the dictionary's record format (0x1E, then the word in capitals
// padded with blanks to 14 characters, sorted) from a plain list of words, and opens a TDictn on it
// inside a private temporary directory.
#pragma once

#include "tdictn.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace quibo::test {

// Writes "English" into directory; answers false when the file cannot be written.
inline bool writeTestWordFile(const QString& directory, const QStringList& words) {
    QList<QByteArray> keys;
    for (const QString& word : words)
        keys << word.trimmed().toUpper().toLatin1().left(14);
    std::sort(keys.begin(), keys.end());
    QByteArray bytes;
    for (const QByteArray& key : keys)
        bytes += '\x1E' + key.leftJustified(14, ' ');
    QFile file(QDir(directory).filePath(QStringLiteral("English")));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A dictionary over the given words, living in its own temporary directory.
class TestDictionary {
public:
    explicit TestDictionary(const QStringList& words) {
        if (m_dir.isValid() && writeTestWordFile(m_dir.path(), words))
            m_dict = std::make_unique<TDictn>(m_dir.path(), QString());
    }
    // Null when the file could not be written.
    const TDictn* dict() const { return m_dict.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDictn> m_dict;
};

} // namespace quibo::test

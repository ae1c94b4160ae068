// SPDX-License-Identifier: MIT
// A small English WordNet database written by a test: for each part of speech an index file and a data
// file in the real line format (licence lines first, each synset at the byte offset its line names,
// index lines sorted), and exception lists given as text.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <algorithm>

namespace quibo::test {

struct SmallSynset {
    char pos;         // 'n', 'v', 'a' or 'r'
    QByteArray lemma; // lower case
    QByteArray gloss; // everything after "| "
};

inline const char* smallWordNetSuffix(char pos) {
    switch (pos) {
    case 'v':
        return "verb";
    case 'a':
        return "adj";
    case 'r':
        return "adv";
    default:
        return "noun";
    }
}

// Writes the files into folder; exceptions maps a file name ("verb.exc") to its text. Answers whether
// every file was written.
inline bool writeSmallWordNet(const QString& folder, const QList<SmallSynset>& synsets,
                              const QMap<QString, QByteArray>& exceptions = {}) {
    const QByteArray licence = "  1 This database is for tests.  \n  2   \n";
    const auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(folder).filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    bool ok = true;
    for (const char pos : {'n', 'v', 'a', 'r'}) {
        QByteArray data = licence;
        QMap<QByteArray, QList<QByteArray>> offsets; // lemma -> offsets, sorted by lemma
        for (const SmallSynset& s : synsets) {
            if (s.pos != pos) continue;
            const QByteArray offset = QByteArray::number(data.size()).rightJustified(8, '0');
            data += offset + " 05 " + pos + " 01 " + s.lemma + " 0 000 | " + s.gloss + "  \n";
            offsets[s.lemma].append(offset);
        }
        if (offsets.isEmpty()) continue;
        QByteArray index = licence;
        for (auto it = offsets.cbegin(); it != offsets.cend(); ++it) {
            const QByteArray count = QByteArray::number(it.value().size());
            index +=
                it.key() + ' ' + pos + ' ' + count + " 0 " + count + " 0 " + it.value().join(' ') + "  \n";
        }
        const QString suffix = QString::fromLatin1(smallWordNetSuffix(pos));
        ok = write(QStringLiteral("index.") + suffix, index) &&
             write(QStringLiteral("data.") + suffix, data) && ok;
    }
    for (auto it = exceptions.cbegin(); it != exceptions.cend(); ++it)
        ok = write(it.key(), it.value()) && ok;
    return ok;
}

} // namespace quibo::test

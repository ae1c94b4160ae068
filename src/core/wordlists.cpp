// SPDX-License-Identifier: MIT
#include "wordlists.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <vector>

namespace quibo {

namespace {

constexpr int shortestWord = 2;
constexpr int longestWord = 14;
// Longest line of a word list looked at: 14 letters, each with a few combining marks, and blanks.
constexpr qsizetype longestLine = 256;

// Letters that no decomposition splits, written as the plain letters that stand for them.
struct Spelling {
    char16_t letter;
    const char* plain;
};
constexpr Spelling plainSpellings[] = {
    {u'\u00e6', "ae"}, {u'\u0153', "oe"}, {u'\u00f8', "o"}, {u'\u00df', "ss"},
    {u'\u0142', "l"},  {u'\u0111', "d"},  {u'\u00f0', "d"}, {u'\u00fe', "th"},
};

const char* plainSpelling(char16_t letter) {
    for (const Spelling& spelling : plainSpellings) {
        if (spelling.letter == letter) return spelling.plain;
    }
    return nullptr;
}

} // namespace

std::optional<QString> wordFileResourceFor(const QString& choice) {
    if (choice == QLatin1String("standard")) return QString::fromLatin1(wordFileResource);
    if (choice == QLatin1String("large")) return QString::fromLatin1(largeWordFileResource);
    return std::nullopt;
}

QStringList loadCandidateWords(const QString& path) {
    QStringList words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return words;
    words.reserve(8000);
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.isEmpty()) words.append(QString::fromLatin1(line));
    }
    return words;
}

QString foldedText(const QString& text) {
    // Compatibility decomposition splits an accented letter into its base letter and a combining
    // mark, which is then dropped.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark()) continue;
        const QChar lower = c.toLower();
        if (const char* plain = plainSpelling(lower.unicode()))
            folded += QLatin1String(plain);
        else
            folded += lower;
    }
    return folded;
}

QByteArray foldedWord(const QString& text) {
    const QString folded = foldedText(text.trimmed());
    QByteArray word;
    word.reserve(folded.size());
    for (const QChar c : folded) {
        if (c < u'a' || c > u'z') return QByteArray();
        word += char(c.unicode());
    }
    return word.size() >= shortestWord && word.size() <= longestWord ? word : QByteArray();
}

WordListRecords wordRecordsFromList(QByteArrayView text) {
    WordListRecords result;
    // Flat records: a list of many short words costs 15 bytes a word, not a string each.
    using Record = std::array<char, longestWord + 1>;
    std::vector<Record> records;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        const QByteArrayView bytes = text.sliced(start, end - start).trimmed();
        start = end + 1;
        if (bytes.isEmpty()) continue;
        // A line far longer than any word is not decoded at all: a list may hold one of many MB.
        if (bytes.size() > longestLine) {
            ++result.skipped;
            continue;
        }
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.isEmpty()) continue;
        const QByteArray word = foldedWord(line);
        if (word.isEmpty()) {
            ++result.skipped;
            continue;
        }
        Record record;
        record.fill(' ');
        record[0] = '\x1e';
        const QByteArray upper = word.toUpper();
        std::copy(upper.cbegin(), upper.cend(), record.begin() + 1);
        records.push_back(record);
    }
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    result.words = int(records.size());
    result.records.reserve(qsizetype(records.size()) * (longestWord + 1));
    for (const Record& record : records)
        result.records.append(record.data(), qsizetype(record.size()));
    return result;
}

} // namespace quibo

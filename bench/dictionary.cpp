// SPDX-License-Identifier: MIT
// Dictionary lookups per second: TDictn's binary search over the word file, beside an in-memory
// hash set of the same words, on the same mixed queries (half words of the list, half not).
// Prints both figures and their ratio, for the standard and the large list; the word file should
// manage at least 1,000,000 lookups per second and at least a quarter of the hash set's rate.

#include "tdictn.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

using namespace quibo;

namespace {

constexpr int queryCount = 200000;
constexpr qint64 minimumNanoseconds = 1'000'000'000;

std::vector<std::string> wordsOfRecords(const QByteArray& records) {
    std::vector<std::string> words;
    for (qsizetype at = 0; at + TDictn::recordsize <= records.size(); at += TDictn::recordsize)
        words.push_back(records.mid(at + 1, TDictn::recordsize - 1).trimmed().toLower().toStdString());
    return words;
}

// Half the queries are words of the list in mixed case; the other half are words with one letter
// changed, or cut, and a few random strings, most of which are not words.
std::vector<std::string> makeQueries(const std::vector<std::string>& words) {
    std::mt19937 random(20241208);
    std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
    std::vector<std::string> queries;
    queries.reserve(queryCount);
    for (int i = 0; i < queryCount; ++i) {
        std::string word = words[pick(random)];
        switch (i % 4) {
        case 0:
            break;
        case 1:
            word[0] = char(word[0] - 'a' + 'A');
            break;
        case 2:
            word[random() % word.size()] = char('a' + random() % 26);
            break;
        default:
            word = word.substr(0, 1 + random() % word.size()) + "q";
            break;
        }
        queries.push_back(word);
    }
    return queries;
}

// Runs the lookups over all queries until at least a second has passed; answers lookups per second
// and counts the words found in one pass.
template <typename Lookup>
double rate(const std::vector<std::string>& queries, Lookup lookup, long& found) {
    QElapsedTimer timer;
    timer.start();
    qint64 lookups = 0;
    long hits = 0;
    do {
        hits = 0;
        for (const std::string& query : queries)
            hits += lookup(query) ? 1 : 0;
        lookups += qint64(queries.size());
    } while (timer.nsecsElapsed() < minimumNanoseconds);
    found = hits;
    return double(lookups) * 1e9 / double(timer.nsecsElapsed());
}

// Measures one embedded list; answers false when it cannot be opened.
bool benchList(const char* title, const QString& resourcePath) {
    QTemporaryDir directory;
    TDictn dictionary(directory.path(), resourcePath);
    if (!dictionary.isOpen()) {
        std::fprintf(stderr, "%s\n", TDictn::notFoundMessage);
        return false;
    }
    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly)) return false;
    const std::vector<std::string> words = wordsOfRecords(resource.readAll());
    const std::unordered_set<std::string> set(words.begin(), words.end());
    const std::vector<std::string> queries = makeQueries(words);

    long fileFound = 0;
    long setFound = 0;
    const double fileRate = rate(
        queries, [&](const std::string& q) { return dictionary.IsWord(QByteArrayView(q)); }, fileFound);
    // The hash set is given the texts lower-cased, as the word file's lookup does its own folding.
    std::vector<std::string> lowered = queries;
    for (std::string& q : lowered)
        for (char& c : q)
            c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    const double setRate = rate(
        lowered, [&](const std::string& q) { return set.count(q) != 0; }, setFound);

    std::printf("%s list\n", title);
    std::printf("records:                 %lld (%lld bytes)\n", dictionary.recordCount(),
                dictionary.recordCount() * TDictn::recordsize);
    std::printf("queries:                 %zu, words among them: %ld (file), %ld (set)\n", queries.size(),
                fileFound, setFound);
    std::printf("word file (IsWord):      %.0f lookups/s\n", fileRate);
    std::printf("in-memory unordered_set: %.0f lookups/s\n", setRate);
    std::printf("ratio file/set:          %.2f\n", fileRate / setRate);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!benchList("standard", QString::fromLatin1(wordFileResource))) return 1;
    if (!benchList("large", QString::fromLatin1(largeWordFileResource))) return 1;
    return 0;
}

// SPDX-License-Identifier: MIT
// Look-up time of word meanings in the WordNet database: 10,000 words spread over the game's word
// list, each look-up timed on its own, first cold (a new reader, the database's pages dropped from
// the page cache where the system allows it) and then warm (the same words again). Prints the time
// of the very first look-up, which opens the files, then median and maximum of the rest (goal: warm
// median under 0.1 ms, maximum under 5 ms), and the share of the word list and of the computer's
// candidate list that has at least one sense. Usage: bench_meanings [database folder]
#include "wordmeanings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <numeric>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace quibo;

namespace {

constexpr qsizetype sampleSize = 10000;

QList<QByteArray> readWords(const char* path) {
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", path);
    QList<QByteArray> words;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty()) words.append(line.trimmed());
    return words;
}

// Asks the kernel to drop each file's cached pages; true when it accepted every request.
bool dropFromPageCache(const QDir& folder) {
    bool accepted = true;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const int fd = ::open(QFile::encodeName(folder.filePath(name)).constData(), O_RDONLY);
        if (fd < 0) {
            accepted = false;
            continue;
        }
        accepted = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0 && accepted;
        ::close(fd);
    }
    return accepted;
}

// The share of the folder's index and data pages that are in the page cache, as a percentage.
double residentPercent(const QDir& folder) {
    const long page = ::sysconf(_SC_PAGESIZE);
    qint64 pages = 0;
    qint64 resident = 0;
    for (const QString& name :
         folder.entryList({QStringLiteral("index.*"), QStringLiteral("data.*")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.size() == 0) continue;
        uchar* map = file.map(0, file.size());
        if (!map) continue;
        std::vector<unsigned char> states(size_t((file.size() + page - 1) / page));
        if (::mincore(map, size_t(file.size()), states.data()) == 0) {
            pages += qint64(states.size());
            resident += std::count_if(states.begin(), states.end(), [](unsigned char s) { return s & 1; });
        }
        file.unmap(map);
    }
    return pages > 0 ? 100.0 * double(resident) / double(pages) : 0.0;
}

// Nanoseconds of each look-up of words, with the shown number of senses.
std::vector<qint64> timeLookups(WordMeanings& meanings, const QList<QByteArray>& words) {
    std::vector<qint64> times;
    times.reserve(size_t(words.size()));
    QElapsedTimer timer;
    for (const QByteArray& word : words) {
        timer.start();
        const QList<WordSense> senses = meanings.senses(word);
        times.push_back(timer.nsecsElapsed());
        Q_UNUSED(senses);
    }
    return times;
}

void printTimes(const char* name, const QList<QByteArray>& words, const std::vector<qint64>& times) {
    const auto slowest = std::max_element(times.begin(), times.end());
    std::vector<qint64> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%-5s %zu look-ups: median %.4f ms, 99th percentile %.4f ms, maximum %.3f ms (\"%s\"), "
                "total %.1f ms\n",
                name, sorted.size(), double(sorted[sorted.size() / 2]) / 1e6,
                double(sorted[sorted.size() * 99 / 100]) / 1e6, double(*slowest) / 1e6,
                words[slowest - times.begin()].constData(),
                double(std::accumulate(sorted.begin(), sorted.end(), qint64(0))) / 1e6);
}

void printShare(WordMeanings& meanings, const char* name, const QList<QByteArray>& words) {
    QElapsedTimer timer;
    timer.start();
    const auto known = std::count_if(words.cbegin(), words.cend(), [&](const QByteArray& word) {
        return !meanings.senses(word, 1).isEmpty();
    });
    std::printf("%-16s %lld of %lld words have a sense (%.1f%%), %.1f s\n", name, qlonglong(known),
                qlonglong(words.size()), 100.0 * double(known) / double(words.size()),
                double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : WordMeanings::standardFolder();
    const QList<QByteArray> words = readWords(QUIBO_WORD_LIST);
    QList<QByteArray> sample;
    const qsizetype step = std::max<qsizetype>(1, words.size() / sampleSize);
    for (qsizetype i = 0; i < words.size() && sample.size() < sampleSize; i += step)
        sample.append(words[i]);

    const bool dropped = dropFromPageCache(QDir(folder));
    std::printf("database %s; page cache drop %s, %.1f%% of index and data pages still cached\n",
                qPrintable(folder), dropped ? "accepted" : "refused", residentPercent(QDir(folder)));
    WordMeanings meanings(folder);
    QElapsedTimer timer;
    timer.start();
    const QList<WordSense> first = meanings.senses(sample.constFirst());
    std::printf("first look-up (\"%s\", opens the files): %.3f ms\n", sample.constFirst().constData(),
                double(timer.nsecsElapsed()) / 1e6);
    if (!meanings.isInstalled()) qFatal("no WordNet database in %s", qPrintable(folder));
    const QList<QByteArray> rest = sample.sliced(1);
    printTimes("cold", rest, timeLookups(meanings, rest));
    printTimes("warm", sample, timeLookups(meanings, sample));
    printShare(meanings, "word list", words);
    printShare(meanings, "candidate list", readWords(QUIBO_CANDIDATE_LIST));
    return 0;
}

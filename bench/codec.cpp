// SPDX-License-Identifier: MIT
// Speed of the tally file's coder beside LZ4 (default level) on the same data in the same run:
// a word list, a large tally grid's text form and random bytes. Prints MB/s, the ratios to LZ4
// and the compression ratios. Usage: bench_codec [word list files...]
#include "tallygrid.h"
#include "tlzrw1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <functional>
#include <lz4.h>

using namespace quibo;

namespace {

QByteArray wordList(const QStringList& arguments) {
    QStringList files = arguments;
    if (files.isEmpty() && QFile::exists(QStringLiteral("data/words.txt")))
        files << QStringLiteral("data/words.txt");
    if (files.isEmpty()) {
        const QDir dict(QStringLiteral("/usr/share/dict/scowl"));
        for (const QString& name :
             dict.entryList({QStringLiteral("english-words.*")}, QDir::Files, QDir::Name))
            files << dict.filePath(name);
    }
    QByteArray text;
    for (const QString& name : files) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly)) text += file.readAll();
    }
    return text;
}

QByteArray tallyText(qsizetype size) {
    QRandomGenerator gen(22);
    QByteArray text;
    while (text.size() < size) {
        TallyGrid grid;
        grid.setRowCount(TallyGrid::maxRows);
        for (int r = 0; r < grid.rowCount(); ++r) {
            grid.setCell(0, r, QStringLiteral("player%1").arg(gen.bounded(100000)));
            for (int c = 1; c < 10; ++c)
                grid.setCell(c, r, QString::number(gen.bounded(c < 5 ? 5000 : 40)));
        }
        text += grid.toText();
    }
    return text;
}

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator gen(7);
    gen.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// Nanoseconds of one run of work.
qint64 timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return std::max<qint64>(timer.nsecsElapsed(), 1);
}

double megabytesPerSecond(qsizetype plainSize, qint64 nanoseconds) {
    return double(plainSize) / 1e6 / (double(nanoseconds) / 1e9);
}

void measure(QTextStream& out, const char* name, const QByteArray& plain) {
    QByteArray packed = Tlzrw1::compressBytes(plain);
    QByteArray back;
    QByteArray lz(LZ4_compressBound(int(plain.size())), Qt::Uninitialized);
    QByteArray lzBack(plain.size(), Qt::Uninitialized);
    int lzSize = 0;
    // The four codings take turns and each keeps its best time, so a busy machine slows them alike.
    std::array<qint64, 4> best;
    best.fill(std::numeric_limits<qint64>::max());
    for (int round = 0; round < 15; ++round) {
        const std::array<qint64, 4> times{
            timed([&] { packed = Tlzrw1::compressBytes(plain); }),
            timed([&] { back = Tlzrw1::decompressBytes(packed); }), timed([&] {
                lzSize =
                    LZ4_compress_default(plain.constData(), lz.data(), int(plain.size()), int(lz.size()));
            }),
            timed([&] { LZ4_decompress_safe(lz.constData(), lzBack.data(), lzSize, int(lzBack.size())); })};
        for (size_t i = 0; i < best.size(); ++i)
            best[i] = std::min(best[i], times[i]);
    }
    if (back != plain || lzBack != plain) qFatal("round trip failed for %s", name);
    const double ownIn = megabytesPerSecond(plain.size(), best[0]);
    const double ownOut = megabytesPerSecond(plain.size(), best[1]);
    const double lzIn = megabytesPerSecond(plain.size(), best[2]);
    const double lzOut = megabytesPerSecond(plain.size(), best[3]);

    out << QStringLiteral("%1 %2 MB | compress %3 MB/s (LZ4 %4, x%5) | decompress %6 MB/s (LZ4 %7, x%8) | "
                          "ratio %9 (LZ4 %10)\n")
               .arg(QString::fromLatin1(name), -8)
               .arg(double(plain.size()) / 1e6, 6, 'f', 2)
               .arg(ownIn, 7, 'f', 0)
               .arg(lzIn, 0, 'f', 0)
               .arg(ownIn / lzIn, 0, 'f', 2)
               .arg(ownOut, 7, 'f', 0)
               .arg(lzOut, 0, 'f', 0)
               .arg(ownOut / lzOut, 0, 'f', 2)
               .arg(double(packed.size()) / double(plain.size()), 0, 'f', 3)
               .arg(double(lzSize) / double(plain.size()), 0, 'f', 3);
    out.flush();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QByteArray words = wordList(app.arguments().mid(1));
    const QByteArray tally = tallyText(3'000'000);
    const QByteArray noise = randomBytes(2'000'000);
    measure(out, "words", words);
    measure(out, "tally", tally);
    measure(out, "random", noise);
    measure(out, "mixed", words + tally + noise);
    return 0;
}

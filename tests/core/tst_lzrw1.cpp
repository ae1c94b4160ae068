// SPDX-License-Identifier: MIT
#include "compressionerror.h"
#include "lzhencoder.h"
#include "tallygrid.h"
#include "tlzrw1.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quibo;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(gen.bounded(256));
    return bytes;
}

// Text with repeats near and far, runs and odd bytes, like a tally or a word list.
QByteArray repetitiveBytes(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    const QList<QByteArray> words{
        "quibo\r\n", "0\r\n", "word", "     ", "abcabc", QByteArray(40, 'x'), QByteArray(5000, '\0'),
        "\xFF\xFE"};
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += gen.bounded(4) == 0 ? QByteArray(1, char(gen.bounded(256))) : words[gen.bounded(8)];
    bytes.truncate(size);
    return bytes;
}

QByteArray lzrwFile(quint32 plainLength, const QByteArray& blocks) {
    QByteArray file(8, Qt::Uninitialized);
    qToLittleEndian(Tlzrw1::lzrwIdentifier, file.data());
    qToLittleEndian(plainLength, file.data() + 4);
    return file + blocks;
}

QByteArray withLength(const QByteArray& block) {
    QByteArray prefix(2, Qt::Uninitialized);
    qToLittleEndian(quint16(block.size()), prefix.data());
    return prefix + block;
}

QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CompressionError& e) {
        return e.message();
    }
    return QString();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class Lzrw1Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void piecesCodeToTheKnownBlocks_data();
    void piecesCodeToTheKnownBlocks();
    void emptyTallyCodesToTheKnown26Bytes();
    void exactPieceIsFollowedByAnEmptyBlock();
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void wrongIdentifierIsRefusedAndOutputRemoved();
    void fileErrorsNameTheFile();
    void malformedBlocksAreRefused_data();
    void malformedBlocksAreRefused();
    void lzhStreamsDecodeExactly_data();
    void lzhStreamsDecodeExactly();
    void lzhStreamDecodesExactlyTheStatedLength();
};

void Lzrw1Test::piecesCodeToTheKnownBlocks_data() {
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("empty") << QByteArray() << QByteArray("\x80", 1);
    QTest::newRow("one byte") << QByteArray("a")
                              << QByteArray("\x80"
                                            "a");
    QTest::newRow("two bytes") << QByteArray("ab")
                               << QByteArray("\x80"
                                             "ab");
    QTest::newRow("run of 40") << QByteArray(40, 'a') << QByteArray::fromHex("40800000001861");
    QTest::newRow("overlapping copy") << QByteArray("abcabcabc") << QByteArray::fromHex("4010006162630033");
    QTest::newRow("incompressible") << randomBytes(1000, 7) << QByteArray("\x80") + randomBytes(1000, 7);
}

void Lzrw1Test::piecesCodeToTheKnownBlocks() {
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, block);
    const QByteArray packed = Tlzrw1::compressBytes(plain);
    QCOMPARE(packed, lzrwFile(quint32(plain.size()), withLength(block)));
    QCOMPARE(Tlzrw1::decompressBytes(packed), plain);
}

// The file a run that counted nothing leaves behind: the one-row grid of zeros.
void Lzrw1Test::emptyTallyCodesToTheKnown26Bytes() {
    const QByteArray expected = QByteArray::fromHex("57525A4C2500000010004001C031300D0A310D0A0060003F0126");
    TallyGrid grid;
    for (int c = 0; c < 10; ++c)
        grid.setCell(c, 0, QStringLiteral("0"));
    QCOMPARE(grid.toText().size(), 37);

    QTemporaryDir dir;
    Tlzrw1 doit;
    grid.saveToFile(dir.filePath("plain.txt"));
    doit.setInputFile(dir.filePath("plain.txt"));
    doit.setOutputFile(dir.filePath("quibotally.tld"));
    QCOMPARE(doit.Compress(), qint64(26));
    QCOMPARE(readFile(dir.filePath("quibotally.tld")), expected);

    doit.setInputFile(dir.filePath("quibotally.tld"));
    doit.setOutputFile(dir.filePath("back.txt"));
    QCOMPARE(doit.Decompress(), qint64(37));
    QCOMPARE(readFile(dir.filePath("back.txt")), grid.toText());
}

void Lzrw1Test::exactPieceIsFollowedByAnEmptyBlock() {
    const QByteArray plain = repetitiveBytes(32768, 3);
    const QByteArray packed = Tlzrw1::compressBytes(plain);
    const int first = qFromLittleEndian<quint16>(packed.constData() + 8);
    QCOMPARE(packed.size(), 8 + 2 + first + 3);
    QCOMPARE(packed.right(3), QByteArray::fromHex("010080"));
    QCOMPARE(Tlzrw1::decompressBytes(packed), plain);
}

void Lzrw1Test::roundTripKeepsEveryByte_data() {
    QTest::addColumn<QByteArray>("plain");
    for (const qsizetype size : {3, 17, 4095, 4097, 32767, 32768, 32769, 65536, 65537, 100000}) {
        QTest::addRow("random %lld", qlonglong(size)) << randomBytes(size, quint32(size));
        QTest::addRow("repetitive %lld", qlonglong(size)) << repetitiveBytes(size, quint32(size));
    }
    QTest::newRow("long run") << QByteArray(70000, 'z');
    QTest::newRow("runs of 15 and 16") << (QByteArray(15, 'a') + QByteArray(16, 'b') + QByteArray(4096, 'c'));
}

void Lzrw1Test::roundTripKeepsEveryByte() {
    QFETCH(QByteArray, plain);
    const QByteArray packed = Tlzrw1::compressBytes(plain);
    QCOMPARE(Tlzrw1::decompressBytes(packed), plain);
    // No block may be longer than its piece plus the flag.
    QVERIFY(packed.size() <= 8 + (plain.size() / 32768 + 1) * (2 + 32769));
}

void Lzrw1Test::wrongIdentifierIsRefusedAndOutputRemoved() {
    QTemporaryDir dir;
    const QString input = dir.filePath("quibotally.tld");
    writeFile(input, QByteArray("WRZM\x25\0\0\0", 8));
    Tlzrw1 doit;
    doit.setInputFile(input);
    doit.setOutputFile(dir.filePath("out.txt"));
    QCOMPARE(failureOf([&] { doit.Decompress(); }),
             input + " : Lzrw1 decompression : this file has no valid header !");
    QVERIFY(!QFile::exists(dir.filePath("out.txt")));
}

void Lzrw1Test::fileErrorsNameTheFile() {
    QTemporaryDir dir;
    Tlzrw1 doit;
    doit.setInputFile(dir.filePath("missing"));
    doit.setOutputFile(dir.filePath("out"));
    QCOMPARE(failureOf([&] { doit.Compress(); }),
             "Lzrw1 (de)compression : Failed to open input file : " + dir.filePath("missing"));
    QCOMPARE(failureOf([&] { doit.Decompress(); }),
             "Lzrw1 (de)compression : Failed to open input file : " + dir.filePath("missing"));

    writeFile(dir.filePath("in"), "abc");
    doit.setInputFile(dir.filePath("in"));
    doit.setOutputFile(dir.filePath("no/such/dir/out"));
    QCOMPARE(failureOf([&] { doit.Compress(); }),
             "Lzrw1 (de)compression : Failed to open output file : " + dir.filePath("no/such/dir/out"));

    // A file cut inside a block is a read error, and the half-made output goes.
    writeFile(dir.filePath("cut"), Tlzrw1::compressBytes(QByteArray(100, 'q') + "tail").chopped(2));
    doit.setInputFile(dir.filePath("cut"));
    doit.setOutputFile(dir.filePath("out"));
    QCOMPARE(failureOf([&] { doit.Decompress(); }),
             "Lzrw1 : Error reading from input file : " + dir.filePath("cut"));
    QVERIFY(!QFile::exists(dir.filePath("out")));
}

void Lzrw1Test::malformedBlocksAreRefused_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QString damaged = QStringLiteral("tally : Lzrw1 decompression : ");
    const QString mismatch = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    QTest::newRow("copy before the start") << lzrwFile(3, withLength(QByteArray::fromHex("404000610020")))
                                           << damaged + "a block refers to data before its start !";
    QByteArray runs = QByteArray::fromHex("40FFFF");
    for (int i = 0; i < 16; ++i)
        runs += QByteArray::fromHex("000FFF41");
    QTest::newRow("runs past the piece")
        << lzrwFile(32768, withLength(runs)) << damaged + "a block decodes to more than 32768 bytes !";
    QTest::newRow("block too long") << lzrwFile(32769, QByteArray::fromHex("0280") + QByteArray(32769, 'a'))
                                    << damaged + "a block is longer than any piece can code to !";
    QTest::newRow("item cut at block end") << lzrwFile(20, withLength(QByteArray::fromHex("4080000001")))
                                           << damaged + "a block ends inside an item !";
    QTest::newRow("stated length too short") << lzrwFile(2, withLength("\x80"
                                                                       "abc"))
                                             << mismatch;
    QTest::newRow("stated length too long") << lzrwFile(4, withLength("\x80"
                                                                      "abc"))
                                            << mismatch;
    QTest::newRow("missing plain length")
        << QByteArray("WRZL\x01", 5) << "Lzrw1 : Error reading from input file : tally";
    QTest::newRow("absurd LZH length") << QByteArray("!HZL\xFF\xFF\xFF\xFF", 8)
                                       << damaged + "the stated length of the LZH stream is too large !";
}

void Lzrw1Test::malformedBlocksAreRefused() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QCOMPARE(failureOf([&] { Tlzrw1::decompressBytes(file, QStringLiteral("tally")); }), message);
}

void Lzrw1Test::lzhStreamsDecodeExactly_data() {
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<int>("searchDepth");
    QTest::newRow("empty") << QByteArray() << 4095;
    QTest::newRow("tally text") << QByteArray("10\r\n2\r\n0\r\nAnn\r\n3\r\n1\r\n2\r\n0\r\n1\r\n1\r\n")
                                << 4095;
    QTest::newRow("blanks from the prefilled window")
        << QByteArray(100, ' ') + "x" + QByteArray(70, ' ') << 4095;
    QTest::newRow("far matches") << (randomBytes(3000, 1) + "middle" + randomBytes(3000, 1)) << 4095;
    // Over 0x8000 symbols, so the tree is rebuilt several times.
    QTest::newRow("tree rebuilds") << (randomBytes(60000, 2) + repetitiveBytes(60000, 5)) << 64;
}

void Lzrw1Test::lzhStreamsDecodeExactly() {
    QFETCH(QByteArray, plain);
    QFETCH(int, searchDepth);
    QCOMPARE(Tlzrw1::decompressBytes(test::lzhFile(plain, searchDepth)), plain);
}

// Bits past the end read as zero: a stream cut short still yields the stated number of bytes.
void Lzrw1Test::lzhStreamDecodesExactlyTheStatedLength() {
    QByteArray file = test::lzhFile(QByteArray(5, 'k'));
    qToLittleEndian(quint32(1000), file.data() + 4);
    QCOMPARE(Tlzrw1::decompressBytes(file).size(), 1000);
    QCOMPARE(Tlzrw1::decompressBytes(file).left(5), QByteArray(5, 'k'));
}

QTEST_GUILESS_MAIN(Lzrw1Test)
#include "tst_lzrw1.moc"

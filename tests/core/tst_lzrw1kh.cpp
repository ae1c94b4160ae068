// SPDX-License-Identifier: MIT
// The block coder and decoder against plain item-by-item versions of the same rules: the coder
// must write exactly the bytes the plain coding gives, and the decoder must decode every valid
// block exactly as item-by-item decoding does, without writing outside its buffer.
#include "lzrw1kh.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>
#include <vector>

using namespace quibo;

namespace {

quint8 at(const QByteArray& bytes, qsizetype i) {
    return quint8(bytes[i]);
}

// Codes one piece one byte at a time, with nothing but the rules of the block form.
QByteArray plainCoding(const QByteArray& piece) {
    const qsizetype n = piece.size();
    std::vector<qsizetype> slots(4096, -1);
    QByteArray out("\x40\0\0", 3);
    qsizetype controlAt = 1;
    unsigned control = 0;
    int items = 0;
    qsizetype i = 0;
    while (i < n && out.size() <= n) {
        if (items == 16) {
            out[controlAt] = char(control >> 8);
            out[controlAt + 1] = char(control);
            controlAt = out.size();
            out += QByteArray(2, '\0');
            control = 0;
            items = 0;
        }
        ++items;
        control <<= 1;
        qsizetype run = 1;
        while (i + run < n && run < 4095 && at(piece, i + run) == at(piece, i))
            ++run;
        if (run >= 16) {
            out += char(0);
            out += char((run - 16) >> 8);
            out += char(run - 16);
            out += piece[i];
            control |= 1;
            i += run;
            continue;
        }
        if (n - i >= 3) {
            const quint32 mixed =
                (((quint32(at(piece, i)) * 16) ^ at(piece, i + 1)) * 16 ^ at(piece, i + 2)) * 40543u;
            const unsigned h = (mixed >> 4) & 0xFFF;
            const qsizetype candidate = slots[h];
            slots[h] = i;
            qsizetype len = 0;
            while (candidate >= 0 && i - candidate < 4096 && len < 18 && i + len < n &&
                   at(piece, candidate + len) == at(piece, i + len))
                ++len;
            if (len >= 3) {
                const unsigned code = unsigned((i - candidate) << 4 | (len - 3));
                out += char(code >> 8);
                out += char(code);
                control |= 1;
                i += len;
                continue;
            }
        }
        out += piece[i++];
    }
    control <<= 16 - items;
    out[controlAt] = char(control >> 8);
    out[controlAt + 1] = char(control);
    return out.size() > n ? QByteArray(1, '\x80') + piece : out;
}

// A valid block of random items, with the piece it stands for, decoded one byte at a time.
// Weights pick literals, copies of distance 1 to 8, far copies and runs.
struct RandomBlock {
    QByteArray block{"\x40\0\0", 3};
    QByteArray piece;
};

RandomBlock randomBlock(quint32 seed, int size, std::array<int, 4> weights) {
    QRandomGenerator gen(seed);
    RandomBlock r;
    qsizetype controlAt = 1;
    unsigned control = 0;
    int items = 0;
    const int total = weights[0] + weights[1] + weights[2] + weights[3];
    while (r.piece.size() < size && r.block.size() < 32700) {
        if (items == 16) {
            r.block[controlAt] = char(control >> 8);
            r.block[controlAt + 1] = char(control);
            controlAt = r.block.size();
            r.block += QByteArray(2, '\0');
            control = 0;
            items = 0;
        }
        const int room = size - int(r.piece.size());
        const int out = int(r.piece.size());
        int pick = gen.bounded(total);
        int kind = 0;
        while (pick >= weights[kind])
            pick -= weights[kind++];
        if (kind == 3 && room >= 16) {
            const int count = 16 + gen.bounded(qMin(room, 4095) - 15);
            const char b = char(gen.bounded(256));
            r.block += QByteArray::fromHex("00") + char((count - 16) >> 8) + char(count - 16) + b;
            r.piece += QByteArray(count, b);
            control = control << 1 | 1;
        } else if ((kind == 1 || kind == 2) && out >= 1 && room >= 3) {
            const int distance = kind == 1 ? 1 + gen.bounded(qMin(out, 8)) : 1 + gen.bounded(qMin(out, 4095));
            const int len = 3 + gen.bounded(qMin(room, 18) - 2);
            const unsigned code = unsigned(distance << 4 | (len - 3));
            r.block += char(code >> 8);
            r.block += char(code);
            for (int k = 0; k < len; ++k)
                r.piece += r.piece[r.piece.size() - distance];
            control = control << 1 | 1;
        } else {
            const char b = char(gen.bounded(256));
            r.block += b;
            r.piece += b;
            control <<= 1;
        }
        ++items;
    }
    control <<= 16 - items;
    r.block[controlAt] = char(control >> 8);
    r.block[controlAt + 1] = char(control);
    return r;
}

constexpr int guard = 64;
constexpr quint8 guardByte = 0xA5;

// Decodes into a buffer of exactly bufferSize bytes followed by guard bytes.
int decodeGuarded(const QByteArray& block, std::vector<quint8>& out, TLZR::Fault& fault) {
    out.assign(TLZR::bufferSize + guard, guardByte);
    return TLZR::decompress(reinterpret_cast<const quint8*>(block.constData()), int(block.size()), out.data(),
                            fault);
}

bool guardIntact(const std::vector<quint8>& out) {
    for (int i = TLZR::bufferSize; i < TLZR::bufferSize + guard; ++i)
        if (out[size_t(i)] != guardByte) return false;
    return true;
}

QByteArray repeats(int size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray bytes;
    while (bytes.size() < size) {
        const int period = 1 + gen.bounded(9);
        QByteArray unit;
        for (int k = 0; k < period; ++k)
            unit += char('a' + gen.bounded(4));
        bytes += unit.repeated(1 + gen.bounded(30 / period + 1)) + char(gen.bounded(256));
    }
    return bytes.left(size);
}

} // namespace

class Lzrw1khTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coderWritesThePlainCoding_data();
    void coderWritesThePlainCoding();
    void decoderMatchesItemByItemDecoding_data();
    void decoderMatchesItemByItemDecoding();
    void faultsInLongGroupsAreFound_data();
    void faultsInLongGroupsAreFound();
};

void Lzrw1khTest::coderWritesThePlainCoding_data() {
    QTest::addColumn<QByteArray>("piece");
    QByteArray words;
    for (int i = 0; words.size() < 32768; ++i)
        words += "word" + QByteArray::number(i * 7 % 1000) + (i % 3 ? "ing\n" : "ed\n");
    QTest::newRow("word list") << words.left(32768);
    QTest::newRow("short periods") << repeats(32768, 1);
    QTest::newRow("short periods, odd length") << repeats(20011, 2);
    QTest::newRow("runs at the end") << (repeats(500, 3) + QByteArray(17, 'r'));
    QTest::newRow("copy ending the piece") << (repeats(300, 4) + repeats(300, 4).left(18));
    QTest::newRow("long runs") << (QByteArray(5000, 'x') + repeats(100, 5) + QByteArray(4095, '\0') + "y");
    QByteArray noise(32768, Qt::Uninitialized);
    QRandomGenerator gen(6);
    for (char& b : noise)
        b = char(gen.bounded(256));
    QTest::newRow("noise") << noise;
    QTest::newRow("repeat just out of reach") << noise.left(4096).repeated(3);
    QTest::newRow("repeat just in reach") << noise.left(4095).repeated(3);
    QTest::newRow("run of 16 at the end") << (repeats(500, 8) + "\n" + QByteArray(16, 'r'));
    QTest::newRow("run of 16 near the end") << (repeats(500, 9) + "\n" + QByteArray(16, 'r') + "st");
    QTest::newRow("barely shrinking") << (noise.left(1000) + repeats(40, 7));
    for (int n = 0; n <= 40; n += 1)
        QTest::addRow("%d bytes", n) << repeats(n, quint32(n));
}

void Lzrw1khTest::coderWritesThePlainCoding() {
    QFETCH(QByteArray, piece);
    std::vector<quint8> out(TLZR::bufferSize);
    TLZR coder;
    const int length =
        coder.compress(reinterpret_cast<const quint8*>(piece.constData()), int(piece.size()), out.data());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(out.data()), length), plainCoding(piece));
}

void Lzrw1khTest::decoderMatchesItemByItemDecoding_data() {
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QByteArray>("piece");
    const struct {
        const char* name;
        int size;
        std::array<int, 4> weights; // literal, near copy, far copy, run
    } mixes[] = {
        {"near copies", 32768, {1, 6, 1, 0}},     {"far copies", 32768, {2, 0, 6, 0}},
        {"literal bursts", 30000, {12, 1, 1, 0}}, {"runs among copies", 32768, {3, 3, 3, 1}},
        {"short block", 60, {2, 2, 2, 1}},        {"only copies", 32768, {0, 1, 1, 0}},
    };
    for (const auto& mix : mixes)
        for (quint32 seed = 1; seed <= 3; ++seed) {
            const RandomBlock r = randomBlock(seed, mix.size, mix.weights);
            QTest::addRow("%s %u", mix.name, seed) << r.block << r.piece;
        }
}

void Lzrw1khTest::decoderMatchesItemByItemDecoding() {
    QFETCH(QByteArray, block);
    QFETCH(QByteArray, piece);
    std::vector<quint8> out;
    TLZR::Fault fault;
    const int n = decodeGuarded(block, out, fault);
    QCOMPARE(fault, TLZR::Fault::None);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(out.data()), n), piece);
    QVERIFY(guardIntact(out));
}

// Blocks long enough that their groups take the decoder's unchecked path for literals and copies.
void Lzrw1khTest::faultsInLongGroupsAreFound_data() {
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<TLZR::Fault>("fault");
    const QByteArray padding(80, 'p');
    QTest::newRow("copy one byte before the start")
        << QByteArray::fromHex("400001") + QByteArray(15, 'a') + QByteArray::fromHex("0100") + padding
        << TLZR::Fault::BeforeStart;
    QTest::newRow("copy as the first item")
        << QByteArray::fromHex("4080000010") + padding << TLZR::Fault::BeforeStart;
    QTest::newRow("far copy before the start")
        << QByteArray::fromHex("400001") + QByteArray(15, 'a') + QByteArray::fromHex("FFFF") + padding
        << TLZR::Fault::BeforeStart;
    // Runs and copies in one group that pass the piece's end.
    QByteArray runs = QByteArray::fromHex("40FFFF");
    for (int i = 0; i < 8; ++i)
        runs += QByteArray::fromHex("000FFF41") + QByteArray::fromHex("001F");
    QTest::newRow("runs past the piece among copies") << runs + padding << TLZR::Fault::TooLarge;
    // Runs and literals up to 16 bytes before the piece's end, then a group of longest copies.
    QByteArray nearEnd = QByteArray::fromHex("40FF00");
    for (int i = 0; i < 8; ++i)
        nearEnd += QByteArray::fromHex("000FED") + char('a' + i);
    nearEnd += "abcdefgh" + QByteArray::fromHex("FFFF");
    for (int i = 0; i < 16; ++i)
        nearEnd += QByteArray::fromHex("001F");
    QTest::newRow("copies past the piece") << nearEnd + padding << TLZR::Fault::TooLarge;
}

void Lzrw1khTest::faultsInLongGroupsAreFound() {
    QFETCH(QByteArray, block);
    QFETCH(TLZR::Fault, fault);
    std::vector<quint8> out;
    TLZR::Fault found;
    QCOMPARE(decodeGuarded(block, out, found), -1);
    QCOMPARE(found, fault);
    QVERIFY(guardIntact(out));
}

QTEST_GUILESS_MAIN(Lzrw1khTest)
#include "tst_lzrw1kh.moc"

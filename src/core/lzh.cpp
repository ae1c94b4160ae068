// SPDX-License-Identifier: MIT
#include "lzh.h"

#include "compressionerror.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace quibo {

struct TLZH::Tables {
    std::array<quint16, treeSize + 1> freq;          // node frequencies; freq[treeSize] is a sentinel
    std::array<qint16, treeSize + charCount> parent; // parent of node i; leaf of symbol c at treeSize + c
    std::array<qint16, treeSize> son;                // left child of node i (right is son + 1), or leaf
    std::array<quint8, windowSize> window;
};

namespace {

// The upper six bits of a position are coded with a fixed canonical prefix code: one value takes 3
// bits, three take 4, eight take 5, twelve take 6, twenty-four take 7 and sixteen take 8. The lower
// six bits follow plain. Indexed by the next 8 input bits, the table gives the upper bits and the
// code length.
struct PositionTable {
    std::array<quint8, 256> upper{};
    std::array<quint8, 256> length{};
};

constexpr PositionTable makePositionTable() {
    constexpr std::array<std::pair<int, int>, 6> lengths{{{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}}};
    PositionTable table;
    int code = 0; // the next code, left-aligned in 8 bits
    int value = 0;
    for (const auto& [bits, count] : lengths) {
        for (int k = 0; k < count; ++k, ++value) {
            const int span = 1 << (8 - bits);
            for (int i = 0; i < span; ++i) {
                table.upper[size_t(code + i)] = quint8(value);
                table.length[size_t(code + i)] = quint8(bits);
            }
            code += span;
        }
    }
    return table;
}

constexpr PositionTable positionTable = makePositionTable();

} // namespace

class TLZH::BitReader {
public:
    explicit BitReader(QByteArrayView data)
        : m_data(reinterpret_cast<const quint8*>(data.data()))
        , m_size(data.size()) {}
    int bit() { return int(bits(1)); }
    // Up to 16 bits, most significant first; past the end of the data every bit is zero.
    unsigned bits(int count) {
        while (m_have < count) {
            const unsigned byte = m_pos < m_size ? m_data[m_pos] : 0;
            ++m_pos;
            m_buffer = (m_buffer << 8) | byte;
            m_have += 8;
        }
        m_have -= count;
        return (m_buffer >> m_have) & ((1u << count) - 1);
    }

private:
    const quint8* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    quint32 m_buffer = 0;
    int m_have = 0;
};

TLZH::TLZH()
    : m_t(new (std::nothrow) Tables) {
    if (!m_t) throw CompressionError(QStringLiteral("LZH : Cannot get memory for dictionary tables"));
}

TLZH::~TLZH() = default;

void TLZH::startHuff() {
    auto& t = *m_t;
    for (int i = 0; i < charCount; ++i) {
        t.freq[i] = 1;
        t.son[i] = qint16(i + treeSize);
        t.parent[i + treeSize] = qint16(i);
    }
    for (int i = 0, j = charCount; j <= root; i += 2, ++j) {
        t.freq[j] = quint16(t.freq[i] + t.freq[i + 1]);
        t.son[j] = qint16(i);
        t.parent[i] = t.parent[i + 1] = qint16(j);
    }
    t.freq[treeSize] = 0xFFFF;
    t.parent[root] = 0;
}

// Halves every frequency and rebuilds the tree from the leaves, keeping frequencies in order.
void TLZH::reconst() {
    auto& t = *m_t;
    int j = 0;
    for (int i = 0; i < treeSize; ++i) {
        if (t.son[i] >= treeSize) {
            t.freq[j] = quint16((t.freq[i] + 1) / 2);
            t.son[j] = t.son[i];
            ++j;
        }
    }
    for (int i = 0, n = charCount; n < treeSize; i += 2, ++n) {
        const quint16 f = quint16(t.freq[i] + t.freq[i + 1]);
        int k = n - 1;
        while (f < t.freq[k])
            --k;
        ++k;
        std::memmove(&t.freq[k + 1], &t.freq[k], size_t(n - k) * sizeof(t.freq[0]));
        t.freq[k] = f;
        std::memmove(&t.son[k + 1], &t.son[k], size_t(n - k) * sizeof(t.son[0]));
        t.son[k] = qint16(i);
    }
    for (int i = 0; i < treeSize; ++i) {
        const int k = t.son[i];
        if (k >= treeSize)
            t.parent[k] = qint16(i);
        else
            t.parent[k] = t.parent[k + 1] = qint16(i);
    }
}

// Counts one more use of symbol c and restores the sibling order by swapping nodes upwards.
void TLZH::update(int c) {
    auto& t = *m_t;
    if (t.freq[root] == maxFreq) reconst();
    c = t.parent[c + treeSize];
    do {
        const unsigned k = ++t.freq[c];
        int l = c + 1;
        if (k > t.freq[l]) {
            while (k > t.freq[++l]) {
            }
            --l;
            t.freq[c] = t.freq[l];
            t.freq[l] = quint16(k);
            const int i = t.son[c];
            t.parent[i] = qint16(l);
            if (i < treeSize) t.parent[i + 1] = qint16(l);
            const int j = t.son[l];
            t.son[l] = qint16(i);
            t.parent[j] = qint16(c);
            if (j < treeSize) t.parent[j + 1] = qint16(c);
            t.son[c] = qint16(j);
            c = l;
        }
        c = t.parent[c];
    } while (c != 0);
}

int TLZH::decodeChar(BitReader& in) {
    auto& t = *m_t;
    int c = t.son[root];
    while (c < treeSize)
        c = t.son[c + in.bit()];
    c -= treeSize;
    update(c);
    return c;
}

int TLZH::decodePosition(BitReader& in) {
    const unsigned first = in.bits(8);
    const unsigned upper = positionTable.upper[first];
    const int extra = positionTable.length[first] - 2;
    const unsigned lower = extra > 0 ? (first << extra) | in.bits(extra) : first;
    return int((upper << 6) | (lower & 0x3F));
}

QByteArray TLZH::decode(QByteArrayView stream, qsizetype plainLength) {
    auto& t = *m_t;
    startHuff();
    // Blanks before the first write position; the look-ahead part behind it starts as zeros.
    t.window.fill(0);
    std::fill_n(t.window.begin(), windowSize - lookAhead, quint8(' '));
    QByteArray out(plainLength, Qt::Uninitialized);
    BitReader in(stream);
    int r = windowSize - lookAhead;
    qsizetype count = 0;
    while (count < plainLength) {
        const int c = decodeChar(in);
        if (c < 256) {
            out[count++] = char(c);
            t.window[size_t(r)] = quint8(c);
            r = (r + 1) & (windowSize - 1);
            continue;
        }
        const int from = (r - decodePosition(in) - 1) & (windowSize - 1);
        const int len = c - 255 + threshold;
        for (int k = 0; k < len && count < plainLength; ++k) {
            const quint8 b = t.window[size_t((from + k) & (windowSize - 1))];
            out[count++] = char(b);
            t.window[size_t(r)] = b;
            r = (r + 1) & (windowSize - 1);
        }
    }
    return out;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "lzhencoder.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace quibo::test {
namespace {

constexpr int N = 4096; // window
constexpr int F = 60;   // look-ahead
constexpr int THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

// The fixed prefix code for the upper six bits of a position: lengths and left-aligned codes.
constexpr std::array<int, 64> p_len = {3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
                                       6, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
                                       7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};
constexpr std::array<int, 64> p_code = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

class Encoder {
public:
    Encoder() {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void encodeChar(int c) {
        // Walk from the leaf to the root; an odd node index is the right child, a 1 bit.
        unsigned code = 0;
        int len = 0;
        int k = prnt[c + T];
        do {
            code >>= 1;
            if (k & 1) code |= 0x80000000u;
            ++len;
        } while ((k = prnt[k]) != R);
        for (int b = 0; b < len; ++b)
            putBit((code >> (31 - b)) & 1);
        update(c);
    }

    void encodePosition(int pos) {
        const int upper = pos >> 6;
        for (int b = 0; b < p_len[upper]; ++b)
            putBit((p_code[upper] >> (7 - b)) & 1);
        for (int b = 5; b >= 0; --b)
            putBit((pos >> b) & 1);
    }

    QByteArray finish() {
        while (bitCount % 8 != 0)
            putBit(0);
        return out;
    }

private:
    void putBit(int bit) {
        if (bitCount % 8 == 0) out.append('\0');
        if (bit) out[out.size() - 1] = char(out.back() | (0x80 >> (bitCount % 8)));
        ++bitCount;
    }

    void reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i)
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
            const unsigned f = freq[j2] = freq[i] + freq[i + 1];
            int k = j2 - 1;
            while (f < freq[k])
                --k;
            ++k;
            for (int m = j2; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = f;
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }

    void update(int c) {
        if (freq[R] == MAX_FREQ) reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    std::array<unsigned, T + 1> freq{};
    std::array<int, T + N_CHAR> prnt{};
    std::array<int, T> son{};
    QByteArray out;
    qint64 bitCount = 0;
};

} // namespace

QByteArray lzhEncode(const QByteArray& plain, int searchDepth) {
    // history = the blanks the decoder starts with, then the plain text; position p of history is
    // window index p mod N on the decoder's side.
    const int start = N - F;
    const QByteArray history = QByteArray(start, ' ') + plain;
    Encoder enc;
    int p = start;
    while (p < history.size()) {
        int bestLen = 0;
        int bestFrom = 0;
        const int limit = qMin<int>(F, int(history.size()) - p);
        for (int q = p - 1; q >= qMax(0, p - searchDepth); --q) {
            int len = 0;
            while (len < limit && history[q + len] == history[p + len])
                ++len;
            if (len > bestLen) {
                bestLen = len;
                bestFrom = q;
            }
        }
        if (bestLen > THRESHOLD) {
            enc.encodeChar(255 - THRESHOLD + bestLen);
            enc.encodePosition(p - bestFrom - 1);
            p += bestLen;
        } else {
            enc.encodeChar(quint8(history[p]));
            ++p;
        }
    }
    return enc.finish();
}

QByteArray lzhFile(const QByteArray& plain, int searchDepth) {
    QByteArray file(8, Qt::Uninitialized);
    qToLittleEndian(quint32(0x4C5A4821), file.data());
    qToLittleEndian(quint32(plain.size()), file.data() + 4);
    return file + lzhEncode(plain, searchDepth);
}

} // namespace quibo::test

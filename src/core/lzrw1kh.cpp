// SPDX-License-Identifier: MIT
#include "lzrw1kh.h"

#include "compressionerror.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace quibo {
namespace {

constexpr int hashSize = 4096;
constexpr quint16 emptySlot = 0xFFFF;
constexpr int maxDistance = 4095;
constexpr int minCopy = 3;
constexpr int maxCopy = 18;
constexpr int minRun = 16;
constexpr int maxRun = 4095;
constexpr int itemsPerGroup = 16;

inline unsigned hashOf(const quint8* p) {
    const quint32 mixed = ((((quint32(p[0]) << 4) ^ p[1]) << 4) ^ p[2]) * 40543u;
    return (mixed >> 4) & (hashSize - 1);
}

// Length of the run of bytes equal to *p, *p included, capped at maxRun and at end.
inline int runLength(const quint8* p, const quint8* end) {
    const quint8 b = *p;
    const quint8* stop = end - p > maxRun ? p + maxRun : end;
    const quint8* q = p + 1;
    while (q < stop && *q == b)
        ++q;
    return int(q - p);
}

// Eight bytes with the first one lowest, so the first differing byte is the lowest set byte of an
// exclusive or, whatever the machine's byte order.
inline quint64 load64(const quint8* p) {
    return qFromLittleEndian<quint64>(p);
}

// Number of equal bytes at a and b, comparing whole words past the first eight; needs 18 bytes at
// both places.
inline int longMatchLength(quint64 firstDiff, const quint8* a, const quint8* b) {
    if (firstDiff) return std::countr_zero(firstDiff) / 8;
    const quint64 diff = load64(a + 8) ^ load64(b + 8);
    if (diff) return 8 + std::countr_zero(diff) / 8;
    return a[16] != b[16] ? 16 : (a[17] != b[17] ? 17 : 18);
}

// Number of equal bytes at a and b, at most limit, for the last few bytes of a piece.
inline int shortMatchLength(const quint8* a, const quint8* b, int limit) {
    int len = 0;
    while (len < limit && a[len] == b[len])
        ++len;
    return len;
}

inline void store16(quint8* p, unsigned v) {
    p[0] = quint8(v >> 8);
    p[1] = quint8(v);
}

} // namespace

TLZR::TLZR()
    : m_hash(new (std::nothrow) quint16[hashSize]) {
    if (!m_hash) throw CompressionError(QStringLiteral("LZRW1KH : no memory for HASH table"));
}

TLZR::~TLZR() = default;

int TLZR::compress(const quint8* src, int n, quint8* dst) {
    quint16* const hash = m_hash.get();
    std::fill_n(hash, hashSize, emptySlot);
    const quint8* const end = src + n;
    const quint8* ip = src;
    // Each pass writes at most 6 bytes (a new control word and a run item), so stopping once the
    // output passes n keeps every write inside n + 16.
    const quint8* const outLimit = dst + n;
    dst[0] = flagCompressed;
    quint8* controlAt = dst + 1;
    quint8* op = dst + 3;
    // The item bits gather below a marker bit; the marker reaching bit 16 means the group is full.
    unsigned control = 1;
    while (ip < end && op <= outLimit) {
        if (control & 0x10000) {
            store16(controlAt, control & 0xFFFF);
            controlAt = op;
            op += 2;
            control = 1;
        }
        const int run = (end - ip > 1 && ip[1] == ip[0]) ? runLength(ip, end) : 1;
        if (run >= minRun) {
            const unsigned v = unsigned(run - minRun);
            op[0] = 0;
            op[1] = quint8(v >> 8);
            op[2] = quint8(v);
            op[3] = *ip;
            op += 4;
            ip += run;
            control = (control << 1) | 1;
            continue;
        }
        const int pos = int(ip - src);
        if (end - ip >= maxCopy) {
            // The usual case, shaped for few branches: a slot that is empty or too far back reads
            // the piece's first bytes instead and is then ignored.
            quint16& slot = hash[hashOf(ip)];
            const int candidate = slot;
            slot = quint16(pos);
            const bool inReach = unsigned(pos - candidate - 1) < unsigned(maxDistance);
            const quint8* from = src + (inReach ? candidate : 0);
            const quint64 diff = load64(from) ^ load64(ip);
            if (inReach && (diff & 0xFFFFFF) == 0) {
                const int len = longMatchLength(diff, from, ip);
                store16(op, (unsigned(pos - candidate) << 4) | unsigned(len - minCopy));
                op += 2;
                ip += len;
                control = (control << 1) | 1;
                continue;
            }
        } else if (end - ip >= minCopy) {
            quint16& slot = hash[hashOf(ip)];
            const int candidate = slot;
            slot = quint16(pos);
            if (candidate != emptySlot && pos - candidate <= maxDistance) {
                const int len = shortMatchLength(src + candidate, ip, int(end - ip));
                if (len >= minCopy) {
                    store16(op, (unsigned(pos - candidate) << 4) | unsigned(len - minCopy));
                    op += 2;
                    ip += len;
                    control = (control << 1) | 1;
                    continue;
                }
            }
        }
        *op++ = *ip++;
        control <<= 1;
    }
    const int items = std::bit_width(control) - 1;
    store16(controlAt, (control ^ (1u << items)) << (itemsPerGroup - items));
    if (op > outLimit) {
        dst[0] = flagCopied;
        if (n > 0) // an empty piece may come without any storage behind src
            std::memcpy(dst + 1, src, size_t(n));
        return n + 1;
    }
    return int(op - dst);
}

namespace {

// Decodes the copy or run item at item, with available input bytes left in the block. Returns the
// input bytes it used, or 0 with fault set.
inline int copyOrRun(const quint8* item, int available, quint8* dst, int& out, TLZR::Fault& fault) {
    if (available < 2) {
        fault = TLZR::Fault::Truncated;
        return 0;
    }
    const int distance = (int(item[0]) << 4) | (item[1] >> 4);
    if (distance == 0) {
        if (available < 4) {
            fault = TLZR::Fault::Truncated;
            return 0;
        }
        const int count = ((item[1] & 0x0F) << 8 | item[2]) + minRun;
        if (count > TLZR::pieceSize - out) {
            fault = TLZR::Fault::TooLarge;
            return 0;
        }
        std::memset(dst + out, item[3], size_t(count));
        out += count;
        return 4;
    }
    const int count = (item[1] & 0x0F) + minCopy;
    if (distance > out) {
        fault = TLZR::Fault::BeforeStart;
        return 0;
    }
    if (count > TLZR::pieceSize - out) {
        fault = TLZR::Fault::TooLarge;
        return 0;
    }
    quint8* to = dst + out;
    const quint8* from = to - distance;
    if (distance >= 8) {
        // Whole words never overlap here; the last one may run up to 6 bytes past the copy, which
        // stays inside the buffer's spare 16 bytes and is overwritten by what follows.
        std::memcpy(to, from, 8);
        std::memcpy(to + 8, from + 8, 8);
        if (count > 16) std::memcpy(to + 16, from + 16, 8);
    } else {
        for (int i = 0; i < count; ++i)
            to[i] = from[i];
    }
    out += count;
    return 2;
}

// Decodes a group of 16 items whose input is all there with 16 bytes to spare, so literals move
// as one 16-byte word and no item needs its own bounds check on the input.
inline bool fullGroup(unsigned control, const quint8* src, int& pos, quint8* dst, int& out,
                      TLZR::Fault& fault) {
    // Far enough into the piece that no copy can reach before its start, and far enough from its
    // end that sixteen copies fit: copies then need no checks until a run comes.
    bool roomy = out >= maxDistance && out <= TLZR::pieceSize - itemsPerGroup * maxCopy;
    for (int i = 0; i < itemsPerGroup;) {
        if (!(control & 0x8000)) {
            const int k = std::min(itemsPerGroup - i, std::countl_zero(quint16(control)));
            if (k > TLZR::pieceSize - out) {
                fault = TLZR::Fault::TooLarge;
                return false;
            }
            std::memcpy(dst + out, src + pos, 16);
            out += k;
            pos += k;
            i += k;
            control = (control << k) & 0xFFFF;
            continue;
        }
        const int distance = (int(src[pos]) << 4) | (src[pos + 1] >> 4);
        if (roomy && distance >= 8) {
            quint8* to = dst + out;
            const quint8* from = to - distance;
            std::memcpy(to, from, 8);
            std::memcpy(to + 8, from + 8, 8);
            std::memcpy(to + 16, from + 16, 8);
            out += (src[pos + 1] & 0x0F) + minCopy;
            pos += 2;
        } else {
            // A run ends the guarantee; a copy of short distance keeps it.
            roomy = roomy && distance != 0;
            const int used = copyOrRun(src + pos, 4, dst, out, fault);
            if (used == 0) return false;
            pos += used;
        }
        control = (control << 1) & 0xFFFF;
        ++i;
    }
    return true;
}

// Decodes the items of a group near the block's end, checking each against the input left.
inline bool lastGroup(unsigned control, const quint8* src, int len, int& pos, quint8* dst, int& out,
                      TLZR::Fault& fault) {
    for (int i = 0; i < itemsPerGroup && pos < len; ++i, control <<= 1) {
        if (control & 0x8000) {
            const int used = copyOrRun(src + pos, len - pos, dst, out, fault);
            if (used == 0) return false;
            pos += used;
        } else if (out < TLZR::pieceSize) {
            dst[out++] = src[pos++];
        } else {
            fault = TLZR::Fault::TooLarge;
            return false;
        }
    }
    return true;
}

} // namespace

int TLZR::decompress(const quint8* src, int len, quint8* dst, Fault& fault) {
    fault = Fault::None;
    if (len > maxBlockLength) {
        fault = Fault::TooLong;
        return -1;
    }
    if (len < 2) return 0;
    if (src[0] == flagCopied) {
        std::memcpy(dst, src + 1, size_t(len - 1));
        return len - 1;
    }
    int pos = 1;
    int out = 0;
    // A two-byte block has a flag and half a control word: no items.
    while (pos < len && len > 2) {
        if (len - pos < 2) {
            fault = Fault::Truncated;
            return -1;
        }
        const unsigned control = (unsigned(src[pos]) << 8) | src[pos + 1];
        pos += 2;
        const bool ok = len - pos >= 4 * itemsPerGroup + 16
                            ? fullGroup(control, src, pos, dst, out, fault)
                            : lastGroup(control, src, len, pos, dst, out, fault);
        if (!ok) return -1;
    }
    return out;
}

const char* TLZR::faultText(Fault fault) {
    switch (fault) {
    case Fault::TooLong:
        return "a block is longer than any piece can code to";
    case Fault::Truncated:
        return "a block ends inside an item";
    case Fault::BeforeStart:
        return "a block refers to data before its start";
    case Fault::TooLarge:
        return "a block decodes to more than 32768 bytes";
    case Fault::None:
        break;
    }
    return "";
}

} // namespace quibo

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

// The coder's output: the items written so far and the control word of the current group.
struct ItemWriter {
    quint8* op;
    quint8* controlAt;
    // The item bits gather below a marker bit; the marker reaching bit 16 means the group is full.
    unsigned control = 1;

    // Starts a new group when the current one holds 16 items.
    void makeRoom() {
        if (control & 0x10000) {
            store16(controlAt, control & 0xFFFF);
            controlAt = op;
            op += 2;
            control = 1;
        }
    }
    void literal(quint8 b) {
        *op++ = b;
        control <<= 1;
    }
    void copy(int distance, int len) {
        store16(op, (unsigned(distance) << 4) | unsigned(len - minCopy));
        op += 2;
        control = (control << 1) | 1;
    }
    void run(int count, quint8 b) {
        const unsigned v = unsigned(count - minRun);
        op[0] = 0;
        op[1] = quint8(v >> 8);
        op[2] = quint8(v);
        op[3] = b;
        op += 4;
        control = (control << 1) | 1;
    }
    // Moves the last group's item bits to the top and stores its control word.
    void finish() {
        const int items = std::bit_width(control) - 1;
        store16(controlAt, (control ^ (1u << items)) << (itemsPerGroup - items));
    }
};

// Codes the item at ip, with at least maxCopy bytes left in the piece, and returns where the next
// item starts. One 8-byte load serves the run test, the hash and the first compare. A run of 16 or
// more starts with 8 equal bytes, so shorter repeats cost no count at all; a slot that is empty or
// too far back reads the piece's first bytes instead and is then ignored.
inline const quint8* codeFar(const quint8* src, const quint8* ip, const quint8* end, quint16* hash,
                             ItemWriter& out) {
    const quint64 here = load64(ip);
    if (((here ^ (here >> 8)) & 0x00FFFFFFFFFFFFFFull) == 0) {
        const int run = runLength(ip, end);
        if (run >= minRun) {
            out.run(run, quint8(here));
            return ip + run;
        }
    }
    const int pos = int(ip - src);
    quint16& slot = hash[hashOf(ip)];
    const int candidate = slot;
    slot = quint16(pos);
    const bool inReach = unsigned(pos - candidate - 1) < unsigned(maxDistance);
    const quint8* from = src + (inReach ? candidate : 0);
    const quint64 diff = load64(from) ^ here;
    if (inReach && (diff & 0xFFFFFF) == 0) {
        const int len = longMatchLength(diff, from, ip);
        out.copy(pos - candidate, len);
        return ip + len;
    }
    out.literal(quint8(here));
    return ip + 1;
}

// Codes the item at ip within the last maxCopy bytes of the piece, byte by byte.
inline const quint8* codeNear(const quint8* src, const quint8* ip, const quint8* end, quint16* hash,
                              ItemWriter& out) {
    const int run = (end - ip > 1 && ip[1] == ip[0]) ? runLength(ip, end) : 1;
    if (run >= minRun) {
        out.run(run, *ip);
        return ip + run;
    }
    if (end - ip >= minCopy) {
        const int pos = int(ip - src);
        quint16& slot = hash[hashOf(ip)];
        const int candidate = slot;
        slot = quint16(pos);
        if (candidate != emptySlot && pos - candidate <= maxDistance) {
            const int len = shortMatchLength(src + candidate, ip, int(end - ip));
            if (len >= minCopy) {
                out.copy(pos - candidate, len);
                return ip + len;
            }
        }
    }
    out.literal(*ip);
    return ip + 1;
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
    // Each item writes at most 6 bytes (a new control word and a run item), so stopping once the
    // output passes n keeps every write inside n + 16.
    const quint8* const outLimit = dst + n;
    dst[0] = flagCompressed;
    ItemWriter out{dst + 3, dst + 1};
    while (end - ip >= maxCopy && out.op <= outLimit) {
        out.makeRoom();
        ip = codeFar(src, ip, end, hash, out);
    }
    while (ip < end && out.op <= outLimit) {
        out.makeRoom();
        ip = codeNear(src, ip, end, hash, out);
    }
    out.finish();
    if (out.op > outLimit) {
        dst[0] = flagCopied;
        if (n > 0) // an empty piece may come without any storage behind src
            std::memcpy(dst + 1, src, size_t(n));
        return n + 1;
    }
    return int(out.op - dst);
}

namespace {

// Input a group needs for the fast path: sixteen two-byte items and one 16-byte literal read past
// them. Runs, the only longer items, leave the fast path.
constexpr int fastInput = 2 * itemsPerGroup + 16;
// Output room a group needs for the fast path: sixteen longest copies.
constexpr int fastOutput = itemsPerGroup * maxCopy;

// The items of a group with the next item's bit highest; a marker bit follows the last item, so
// the word turns zero when the marker itself is shifted out.
inline quint32 itemBits(unsigned control) {
    return (quint32(control) << 16) | 0x8000u;
}

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
        // Whole words never overlap here; the last one may run up to 13 bytes past the copy, which
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

// Decodes the items left in bits one by one, checking each against the input and output left;
// the block may end before the group does.
inline bool carefulItems(quint32 bits, const quint8* src, int len, int& pos, quint8* dst, int& out,
                         TLZR::Fault& fault) {
    while (pos < len) {
        const bool isCopy = bits & 0x80000000u;
        bits <<= 1;
        if (bits == 0) break;
        if (isCopy) {
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

// Copies count (3 to 18) bytes from distance (1 to 4095) back to to, writing up to 24 bytes.
// From distance 8 on, 8-byte words never overlap their source. A shorter distance repeats a
// pattern: its first 8 bytes go one by one, the rest as words from a whole number of patterns
// back that is at least 8.
inline void copyItem(quint8* to, unsigned distance, unsigned count) {
    const quint8* from = to - distance;
    if (distance < 8) {
        static constexpr quint8 patternsBack[8] = {0, 8, 8, 9, 8, 10, 12, 14};
        for (int i = 0; i < 8; ++i)
            to[i] = from[i];
        from = to + 8 - patternsBack[distance];
        std::memcpy(to + 8, from, 8);
        if (count > 16) std::memcpy(to + 16, from + 8, 8);
        return;
    }
    std::memcpy(to, from, 8);
    std::memcpy(to + 8, from + 8, 8);
    if (count > 16) std::memcpy(to + 16, from + 16, 8);
}

// Decodes a group with fastInput bytes of input and fastOutput bytes of output room ahead, so only
// a copy's distance needs a check. Each burst of literals moves as one 16-byte word, each copy of
// distance 8 or more as three 8-byte words (which never overlap their source); the words may
// write up to 16 bytes past the output, into the buffer's spare room, where what follows
// overwrites them. A run, or a copy reaching before the start, hands the rest of the group to the
// careful path.
inline bool fastGroup(quint32 bits, const quint8* src, int len, int& pos, quint8* dst, int& out,
                      TLZR::Fault& fault) {
    const quint8* ip = src + pos;
    quint8* op = dst + out;
    for (;;) {
        if (!(bits & 0x80000000u)) {
            const int literals = std::countl_zero(bits);
            std::memcpy(op, ip, 16);
            op += literals;
            ip += literals;
            bits <<= literals;
        }
        bits <<= 1;
        if (bits == 0) break;
        const unsigned distance = (unsigned(ip[0]) << 4) | (ip[1] >> 4);
        const unsigned count = (ip[1] & 0x0Fu) + minCopy;
        if (distance - 1 >= unsigned(op - dst)) {
            // The copy bit goes back in front of the rest for the careful path to decode it.
            pos = int(ip - src);
            out = int(op - dst);
            return carefulItems((bits >> 1) | 0x80000000u, src, len, pos, dst, out, fault);
        }
        copyItem(op, distance, count);
        op += count;
        ip += 2;
    }
    pos = int(ip - src);
    out = int(op - dst);
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
    // A two-byte block has a flag and half a control word: no items.
    if (len == 2) return 0;
    int pos = 1;
    int out = 0;
    while (pos < len) {
        if (len - pos < 2) {
            fault = Fault::Truncated;
            return -1;
        }
        const quint32 bits = itemBits((unsigned(src[pos]) << 8) | src[pos + 1]);
        pos += 2;
        const bool ok = len - pos >= fastInput && out <= pieceSize - fastOutput
                            ? fastGroup(bits, src, len, pos, dst, out, fault)
                            : carefulItems(bits, src, len, pos, dst, out, fault);
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

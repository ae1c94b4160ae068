// SPDX-License-Identifier: MIT
// TLZR: the block coder of the compression component. It codes one piece of at most 32768 bytes as
// a block (LZ77 items found through a one-entry hash table, plus run items) and decodes such blocks
// back. No state carries from one piece to the next. Owned by whoever codes a stream (Tlzrw1); one
// instance may code any number of pieces, one after the other.
#pragma once

#include <QtGlobal>
#include <memory>

namespace quibo {

class TLZR {
public:
    static constexpr int pieceSize = 32768;
    // Every working buffer has room for a piece and 16 bytes more: the coder may write a few bytes
    // past the piece's length before it notices that the block does not shrink, and the decoder
    // copies in whole machine words.
    static constexpr int bufferSize = pieceSize + 16;
    static constexpr int maxBlockLength = pieceSize + 1;
    static constexpr quint8 flagCompressed = 0x40;
    static constexpr quint8 flagCopied = 0x80;

    // Why a block was refused by decompress().
    enum class Fault { None, TooLong, Truncated, BeforeStart, TooLarge };

    TLZR();
    ~TLZR();
    TLZR(const TLZR&) = delete;
    TLZR& operator=(const TLZR&) = delete;

    // Codes n bytes (0 <= n <= pieceSize) of src into dst (room for bufferSize bytes) and returns
    // the block length: the coded form, or the copied form when coding does not shrink the piece.
    int compress(const quint8* src, int n, quint8* dst);

    // Decodes a block of len bytes into dst (room for bufferSize bytes). Returns the decoded length,
    // or -1 with the reason in fault when the block is malformed; nothing outside src[0..len) and
    // dst[0..bufferSize) is touched either way.
    static int decompress(const quint8* src, int len, quint8* dst, Fault& fault);

    // The user-facing reason for a fault, without file name.
    static const char* faultText(Fault fault);

private:
    std::unique_ptr<quint16[]> m_hash; // last position per hash value, 0xFFFF when empty
};

} // namespace quibo

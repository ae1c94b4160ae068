// SPDX-License-Identifier: MIT
// A test-only encoder for the older LZH stream form (LZSS over a 4096-byte window pre-filled with
// blanks, adaptive Huffman codes for the 314 letter-and-length symbols, fixed prefix codes for the
// upper six bits of a position). It exists so the product's decoder can be checked against streams
// made independently of it.
#pragma once

#include <QByteArray>

namespace quibo::test {

// The bit stream only (no file header). searchDepth bounds how far back matches are sought.
QByteArray lzhEncode(const QByteArray& plain, int searchDepth = 4095);

// The whole file: identifier 0x4C5A4821, the plain length, then the stream.
QByteArray lzhFile(const QByteArray& plain, int searchDepth = 4095);

} // namespace quibo::test

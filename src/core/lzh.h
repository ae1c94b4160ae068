// SPDX-License-Identifier: MIT
// TLZH: the decoder for the older LZH streams the compression component still reads (LZSS with a
// 4096-byte window and adaptive Huffman codes for letters and lengths). It never writes that form.
// Owned by Tlzrw1 for the duration of one decompression.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace quibo {

class TLZH {
public:
    static constexpr int windowSize = 4096;
    static constexpr int lookAhead = 60;
    static constexpr int threshold = 2;
    static constexpr int charCount = 256 - threshold + lookAhead; // 314 symbols
    static constexpr int treeSize = charCount * 2 - 1;            // 627 nodes
    static constexpr int root = treeSize - 1;
    static constexpr unsigned maxFreq = 0x8000;

    TLZH();
    ~TLZH();
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // Decodes exactly plainLength bytes from the bit stream; bits past its end read as zero. The
    // caller bounds plainLength, since a short stream can describe a long output.
    QByteArray decode(QByteArrayView stream, qsizetype plainLength);

private:
    struct Tables;
    class BitReader;

    void startHuff();
    void reconst();
    void update(int c);
    int decodeChar(BitReader& in);
    static int decodePosition(BitReader& in);

    std::unique_ptr<Tables> m_t;
};

} // namespace quibo

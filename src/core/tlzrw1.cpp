// SPDX-License-Identifier: MIT
#include "tlzrw1.h"

#include "compressionerror.h"
#include "lzh.h"
#include "lzrw1kh.h"

#include <QFile>
#include <QtEndian>
#include <memory>
#include <new>

namespace quibo {
namespace {

const QString lzrwMismatch =
    QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
const QString lzhMismatch =
    QStringLiteral("Lzrw1 (LZH decompression) : Original and compressed sizes do not match !");

[[noreturn]] void fail(const QString& message) {
    throw CompressionError(message);
}

[[noreturn]] void failReading(const QString& inputName) {
    fail(QStringLiteral("Lzrw1 : Error reading from input file : ") + inputName);
}

[[noreturn]] void failDamaged(const QString& inputName, const QString& reason) {
    fail(inputName + QStringLiteral(" : Lzrw1 decompression : ") + reason + QStringLiteral(" !"));
}

std::unique_ptr<quint8[]> ioBuffer() {
    std::unique_ptr<quint8[]> buffer(new (std::nothrow) quint8[TLZR::bufferSize]);
    if (!buffer) fail(QStringLiteral("Lzrw1 (de)compression : Failed to get memory for I/O buffers !"));
    return buffer;
}

QByteArray header(quint32 identifier, quint32 plainLength) {
    QByteArray bytes(Tlzrw1::headerSize, Qt::Uninitialized);
    qToLittleEndian(identifier, bytes.data());
    qToLittleEndian(plainLength, bytes.data() + 4);
    return bytes;
}

// Codes one piece and appends its 2-byte length and the block to out.
void appendBlock(TLZR& coder, const quint8* piece, int n, quint8* work, QByteArray& out) {
    const int length = coder.compress(piece, n, work);
    char prefix[2];
    qToLittleEndian(quint16(length), prefix);
    out.append(prefix, 2);
    out.append(reinterpret_cast<const char*>(work), length);
}

QByteArray decodeBlocks(QByteArrayView blocks, quint32 plainLength, const QString& inputName) {
    // Blocks decode straight into the result, which keeps a buffer's worth of room past its end.
    QByteArray plain;
    plain.reserve(qMin<qsizetype>(plainLength, qsizetype(16) << 20) + TLZR::bufferSize);
    const auto* data = reinterpret_cast<const quint8*>(blocks.data());
    qsizetype pos = 0;
    qsizetype total = 0;
    for (;;) {
        if (blocks.size() - pos < 2) failReading(inputName);
        const int length = qFromLittleEndian<quint16>(data + pos);
        pos += 2;
        if (length > TLZR::maxBlockLength)
            failDamaged(inputName, QString::fromLatin1(TLZR::faultText(TLZR::Fault::TooLong)));
        if (blocks.size() - pos < length) failReading(inputName);
        plain.resize(total + TLZR::bufferSize);
        TLZR::Fault fault;
        const int n =
            TLZR::decompress(data + pos, length, reinterpret_cast<quint8*>(plain.data() + total), fault);
        if (n < 0) failDamaged(inputName, QString::fromLatin1(TLZR::faultText(fault)));
        pos += length;
        total += n;
        // More output than stated can only end in a mismatch; stop before holding it.
        if (total > qsizetype(plainLength)) fail(lzrwMismatch);
        if (n < TLZR::pieceSize) break;
    }
    if (total != qsizetype(plainLength)) fail(lzrwMismatch);
    plain.resize(total);
    return plain;
}

QByteArray decodeLzh(QByteArrayView stream, quint32 plainLength, const QString& inputName) {
    if (plainLength > Tlzrw1::maxLzhLength)
        failDamaged(inputName, QStringLiteral("the stated length of the LZH stream is too large"));
    TLZH coder;
    QByteArray plain = coder.decode(stream, plainLength);
    if (plain.size() != qsizetype(plainLength)) fail(lzhMismatch);
    return plain;
}

void writeAll(QFile& out, QByteArrayView bytes) {
    if (out.write(bytes.data(), bytes.size()) != bytes.size())
        fail(QStringLiteral("Lzrw1 : Error writing to output file : ") + out.fileName());
}

void openFiles(QFile& in, QFile& out) {
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + in.fileName());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + out.fileName());
}

// Runs work on the open output; on failure the output is closed and removed before the error
// goes on, so a half-written file never stays behind.
template <typename Work>
qint64 withOutput(QFile& out, Work work) {
    try {
        work();
        if (!out.flush()) fail(QStringLiteral("Lzrw1 : Error writing to output file : ") + out.fileName());
        const qint64 written = out.size();
        out.close();
        return written;
    } catch (...) {
        out.close();
        out.remove();
        throw;
    }
}

} // namespace

Tlzrw1::Tlzrw1(QObject* parent)
    : QObject(parent) {}

QByteArray Tlzrw1::compressBytes(QByteArrayView plain) {
    if (quint64(plain.size()) > 0xFFFFFFFFu)
        fail(QStringLiteral("Lzrw1 compression : the input is too large"));
    auto work = ioBuffer();
    TLZR coder;
    QByteArray out = header(lzrwIdentifier, quint32(plain.size()));
    out.reserve(headerSize + plain.size() + plain.size() / TLZR::pieceSize * 3 + 3);
    const auto* data = reinterpret_cast<const quint8*>(plain.data());
    qsizetype pos = 0;
    for (;;) {
        const int n = int(qMin<qsizetype>(TLZR::pieceSize, plain.size() - pos));
        appendBlock(coder, data + pos, n, work.get(), out);
        pos += n;
        if (n < TLZR::pieceSize) break;
    }
    return out;
}

QByteArray Tlzrw1::decompressBytes(QByteArrayView packed, const QString& inputName) {
    if (packed.size() < 4) failReading(inputName);
    const quint32 identifier = qFromLittleEndian<quint32>(packed.data());
    if (identifier != lzrwIdentifier && identifier != lzhIdentifier)
        fail(inputName + QStringLiteral(" : Lzrw1 decompression : this file has no valid header !"));
    if (packed.size() < headerSize) failReading(inputName);
    const quint32 plainLength = qFromLittleEndian<quint32>(packed.data() + 4);
    if (identifier == lzrwIdentifier) return decodeBlocks(packed.sliced(headerSize), plainLength, inputName);
    return decodeLzh(packed.sliced(headerSize), plainLength, inputName);
}

qint64 Tlzrw1::Compress() {
    QFile in(m_inputFile);
    QFile out(m_outputFile);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + m_inputFile);
    const qint64 size = in.isSequential() ? -1 : in.size();
    if (size < 0 || size > qint64(0xFFFFFFFFu))
        fail(QStringLiteral("Lzrw1 compression : Failed to obtain the size of : ") + m_inputFile);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + m_outputFile);
    return withOutput(out, [&] {
        auto piece = ioBuffer();
        auto work = ioBuffer();
        TLZR coder;
        writeAll(out, header(lzrwIdentifier, quint32(size)));
        QByteArray block;
        for (;;) {
            const qint64 n = in.read(reinterpret_cast<char*>(piece.get()), TLZR::pieceSize);
            if (n < 0)
                fail(QStringLiteral("Lzrw1 : Error reading from input file : ") + m_inputFile +
                     QStringLiteral(" (LZRW1/KH)"));
            block.clear();
            appendBlock(coder, piece.get(), int(n), work.get(), block);
            writeAll(out, block);
            if (n < TLZR::pieceSize) break;
        }
    });
}

qint64 Tlzrw1::Decompress() {
    QFile in(m_inputFile);
    QFile out(m_outputFile);
    openFiles(in, out);
    return withOutput(out, [&] {
        const QByteArray packed = in.readAll();
        if (in.error() != QFileDevice::NoError) failReading(m_inputFile);
        writeAll(out, decompressBytes(packed, m_inputFile));
    });
}

Tlzrw1::TCompressMode Tlzrw1::Advise() const {
    return TCompressMode::Fast;
}

} // namespace quibo

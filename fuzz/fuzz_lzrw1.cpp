// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the tally file's decoders. The first byte picks the form: the rest is
// given an LZRW1/KH header, an LZH header, or taken as a whole file as it stands; a decoded
// LZRW1/KH result must code back to the same content, and a decoded text is loaded into a grid.
#include "compressionerror.h"
#include "tallygrid.h"
#include "tlzrw1.h"

#include <QtEndian>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray withHeader(quint32 identifier, QByteArrayView body) {
    QByteArray file(8, Qt::Uninitialized);
    qToLittleEndian(identifier, file.data());
    // The stated length comes from the body itself, bounded so one input cannot ask for much.
    const quint32 stated = body.size() >= 2 ? qFromLittleEndian<quint16>(body.data()) % 8192u : 0u;
    qToLittleEndian(stated, file.data() + 4);
    return file + body.toByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QByteArrayView body(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QByteArray file;
    switch (data[0] % 3) {
    case 0:
        file = withHeader(quibo::Tlzrw1::lzrwIdentifier, body);
        break;
    case 1:
        file = withHeader(quibo::Tlzrw1::lzhIdentifier, body);
        break;
    default:
        // Whole files as they stand; an LZH stream of a large stated length is slow rather than
        // wrong (the limit itself has a unit test), so such inputs are skipped.
        if (body.size() >= 8 && qFromLittleEndian<quint32>(body.data() + 4) > (1u << 16)) return 0;
        file = body.toByteArray();
        break;
    }
    try {
        const QByteArray plain = quibo::Tlzrw1::decompressBytes(file, QStringLiteral("fuzz"));
        if (quibo::Tlzrw1::decompressBytes(quibo::Tlzrw1::compressBytes(plain)) != plain) std::abort();
        quibo::TallyGrid grid;
        grid.fromText(plain);
    } catch (const quibo::CompressionError&) {
    }
    return 0;
}

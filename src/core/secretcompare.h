// SPDX-License-Identifier: MIT
// Comparing secrets a peer presents (a seat's key, a password's digest): equal and unequal texts
// of one length take the same time, so the time of an answer tells nothing about how much of a
// guess was right.
#pragma once

#include <QByteArrayView>

namespace quibo {

inline bool sameSecret(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace quibo

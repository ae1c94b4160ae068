// SPDX-License-Identifier: MIT
#include "messagefields.h"

#include "protocol.h"

namespace quibo {

bool FieldCursor::number(int& value, FieldRange range) {
    const std::optional<int> parsed = parseDecimal(field());
    if (!parsed || !range.contains(*parsed)) return false;
    value = *parsed;
    return true;
}

QByteArray FieldCursor::field() {
    const qsizetype plus = m_rest.indexOf('+');
    if (plus < 0) return rest();
    const QByteArray value = m_rest.first(plus).toByteArray();
    m_rest = m_rest.sliced(plus + 1);
    return value;
}

QByteArray FieldCursor::rest() {
    const QByteArray value = m_rest.toByteArray();
    m_rest = QByteArrayView();
    return value;
}

} // namespace quibo

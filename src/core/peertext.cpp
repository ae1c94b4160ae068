// SPDX-License-Identifier: MIT
#include "peertext.h"

#include <QChar>

namespace quibo {

namespace {

bool needsEscape(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

void appendEscape(QString& out, char32_t c) {
    switch (c) {
    case U'\n':
        out += QLatin1String("\\n");
        return;
    case U'\r':
        out += QLatin1String("\\r");
        return;
    case U'\t':
        out += QLatin1String("\\t");
        return;
    default:
        break;
    }
    if (c <= 0xFF)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

bool isContinuationByte(char byte) {
    return (uchar(byte) & 0xC0) == 0x80;
}

} // namespace

QString escapedForLog(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (c == U'\\')
            out += QLatin1String("\\\\");
        else if (needsEscape(c))
            appendEscape(out, c);
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QString escapedForLog(QByteArrayView utf8) {
    return escapedForLog(QString::fromUtf8(utf8));
}

QString cutToCharacters(const QString& text, qsizetype maxCharacters) {
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (characters == maxCharacters) return text.left(i);
        ++characters;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    }
    return text;
}

QByteArray cutToCharacters(QByteArrayView utf8, qsizetype maxCharacters) {
    // Every byte that does not continue a sequence starts a character, so the cut falls before the
    // start of the first character past the bound.
    qsizetype characters = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (isContinuationByte(utf8[i])) continue;
        if (characters == maxCharacters) return utf8.first(i).toByteArray();
        ++characters;
    }
    return utf8.toByteArray();
}

QByteArray cutToBytes(QByteArrayView utf8, qsizetype maxBytes) {
    if (utf8.size() <= maxBytes) return utf8.toByteArray();
    qsizetype end = qMax<qsizetype>(maxBytes, 0);
    while (end > 0 && isContinuationByte(utf8[end]))
        --end;
    return utf8.first(end).toByteArray();
}

QByteArray cutColourText(QByteArrayView textWithColour, qsizetype maxCharacters, bool* wasCut) {
    const qsizetype bar = textWithColour.lastIndexOf('|');
    const bool hasColour = bar >= 0 && textWithColour.size() - bar <= maxColourSuffixBytes;
    const QByteArrayView text = hasColour ? textWithColour.first(bar) : textWithColour;
    QByteArray cut = cutToCharacters(text, maxCharacters);
    if (wasCut) *wasCut = cut.size() < text.size();
    if (hasColour) cut += textWithColour.sliced(bar);
    return cut;
}

} // namespace quibo

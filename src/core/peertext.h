// SPDX-License-Identifier: MIT
// Text that came from a peer (names, chat, versions), made safe for the two places that must not
// trust it: the log and a bounded line.
//
// A peer chooses every byte of what it sends, so a name with a line break would forge whole log
// lines and an escape sequence would reach the terminal of whoever reads the log. escapedForLog
// turns every control and invisible formatting character into a visible escape (\n, \x1b, \u202e).
// The cutting helpers bound a text to a number of characters without ever cutting inside a
// character, so what is left still decodes to the same characters it started with.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quibo {

// The text with "\" doubled and every control character, format character (bidirectional
// overrides among them) and line or paragraph separator written as an escape: \n, \r, \t,
// \x00 to \x1f, \x7f to \x9f, and \uXXXX above. Nothing else changes.
QString escapedForLog(QStringView text);
// The same for text in UTF-8 as it travelled; bytes that are not UTF-8 show as U+FFFD.
QString escapedForLog(QByteArrayView utf8);

// The first maxCharacters characters (code points) of the text; the whole text when it is shorter.
QString cutToCharacters(const QString& text, qsizetype maxCharacters);
// The same for text in UTF-8. A byte that is not part of a UTF-8 sequence counts as one character.
QByteArray cutToCharacters(QByteArrayView utf8, qsizetype maxCharacters);
// The longest start of the UTF-8 text of at most maxBytes bytes that ends between characters.
QByteArray cutToBytes(QByteArrayView utf8, qsizetype maxBytes);

// The longest colour suffix ("|" and the colour's text form) that a chat or action text keeps
// through a cut; a longer tail after the last "|" is no colour any window could read.
inline constexpr qsizetype maxColourSuffixBytes = 32;

// A chat or action text ("text|colour") with its text part cut to maxCharacters characters and its
// colour suffix, from the last "|", kept. A text whose last "|" is followed by more than a colour
// could be is cut as a whole. wasCut tells whether anything was dropped.
QByteArray cutColourText(QByteArrayView textWithColour, qsizetype maxCharacters, bool* wasCut = nullptr);

} // namespace quibo

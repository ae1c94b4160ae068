// SPDX-License-Identifier: MIT
// The value ranges of the protocol's fields and the non-throwing field reader that the message types
// decode with. Only the message types use FieldCursor; everything else reads typed messages.
//
// Fields are read the way the handlers have always read them: a field runs to the next "+" or to the
// end of the message, so a missing "+" after the last field is accepted, and fields after the
// expected ones are ignored (a later version of the protocol adds optional trailing fields there).
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <limits>

namespace quibo {

// Seat records run 1 to 11: seats 1 to 9 are handed out, 10 holds a connection being refused.
inline constexpr int highestSeatNumber = 11;
inline constexpr int highestLetterCode = 26;

// The steals setting that means "no limit".
inline constexpr int unlimitedSteals = 10000;

// The two values of a just-watch message.
inline constexpr int watchStarts = 1; // the computer plays the seat
inline constexpr int watchEnds = 2;   // the owner plays again

struct FieldRange {
    int min;
    int max;
    bool contains(int value) const { return value >= min && value <= max; }
};

inline constexpr FieldRange anyNumber{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
inline constexpr FieldRange seatNumbers{1, highestSeatNumber};
inline constexpr FieldRange handSlotNumbers{1, handSlots};
inline constexpr FieldRange boardCellNumbers{1, boardCells};
inline constexpr FieldRange letterCodes{0, highestLetterCode};

// Reads fields left to right. Each reading operation answers false when the field is missing, is not
// a decimal integer, or lies outside its range; the decoders then answer "not a valid message".
class FieldCursor {
public:
    explicit FieldCursor(QByteArrayView args)
        : m_rest(args) {}

    bool number(int& value, FieldRange range = anyNumber);
    bool seat(int& value) { return number(value, seatNumbers); }
    bool handSlot(int& value) { return number(value, handSlotNumbers); }
    bool boardCell(int& value) { return number(value, boardCellNumbers); }
    bool letterCode(int& value) { return number(value, letterCodes); }
    // A text field, as raw bytes; empty when nothing is left.
    QByteArray field();
    // Everything left (names and chat texts run to the end of the message).
    QByteArray rest();
    bool atEnd() const { return m_rest.isEmpty(); }

private:
    QByteArrayView m_rest;
};

} // namespace quibo

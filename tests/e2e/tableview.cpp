// SPDX-License-Identifier: MIT
#include "tableview.h"

#include "protocol.h"

#include <utility>

namespace quibo::test {
namespace {

bool isPlayer(int seat) {
    return seat == 1 || seat == 2;
}
bool isSlot(int slot) {
    return slot >= 1 && slot <= handSlots;
}
bool isCell(int cell) {
    return cell >= 1 && cell <= boardCells;
}
bool isLetter(int code) {
    return code >= 1 && code <= 26;
}

} // namespace

int TableView::firstEmptySlot() const {
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (m_hand[slot - 1] == 0) return slot;
    }
    return 0;
}

QString TableView::apply(const QByteArray& message) {
    static const std::pair<const char*, Handler> handlers[] = {
        {"CMD_startgame", &TableView::startgame},
        {"CMD_letters", &TableView::letters},
        {"CMD_newletter", &TableView::newletter},
        {"CMD_placemyletter", &TableView::placemyletter},
        {"CMD_discardextra", &TableView::discardextra},
        {"CMD_discardletter", &TableView::discardletter},
        {"CMD_formedword", &TableView::formedword},
        {"CMD_nextplayer", &TableView::ignore},
        {"CMD_winner", &TableView::ignore},
    };
    const SplitMessage split = splitMessage(message);
    for (const auto& [command, handler] : handlers) {
        if (split.command != command) continue;
        try {
            const QString error = (this->*handler)(split.args);
            return error.isEmpty() ? error : error + QStringLiteral(" in ") + QString::fromUtf8(message);
        } catch (const FieldError&) {
            return QStringLiteral("malformed field in ") + QString::fromUtf8(message);
        }
    }
    return QStringLiteral("unexpected message ") + QString::fromUtf8(message);
}

QString TableView::startgame(const QByteArray&) {
    m_hand = {};
    m_boards = {};
    m_scores = {};
    m_formed = {};
    return {};
}

QString TableView::letters(const QByteArray& args) {
    FieldReader fields(args);
    if (fields.number() != m_seat) return QStringLiteral("letters for another seat");
    // The pairs end without "+", so the last letter code is the remainder.
    for (int expected = 1; expected <= handSlots - 1; ++expected) {
        const int slot = fields.number();
        const int code =
            expected < handSlots - 1 ? fields.number() : parseDecimal(fields.restBytes()).value_or(-1);
        if (slot != expected || !isLetter(code)) return QStringLiteral("not five letters in slots 1 to 5");
        m_hand[slot - 1] = code;
    }
    return {};
}

QString TableView::newletter(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const int slot = fields.number();
    const int code = fields.number();
    if (seat != m_seat) return QStringLiteral("another seat's letter");
    if (!isSlot(slot) || slot != firstEmptySlot() || !isLetter(code) || !fields.atEnd())
        return QStringLiteral("new letter not in the lowest empty slot");
    m_hand[slot - 1] = code;
    return {};
}

QString TableView::placemyletter(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const int slot = fields.number();
    const int cell = fields.number();
    const int code = fields.number();
    if (!isPlayer(seat) || !isSlot(slot) || !isCell(cell) || !isLetter(code) || !fields.atEnd())
        return QStringLiteral("placement out of range");
    if (seat == m_seat) {
        if (m_hand[slot - 1] != code) return QStringLiteral("placed letter is not the one in the hand");
        m_hand[slot - 1] = 0;
    }
    m_boards[seat][cell - 1] = code;
    return {};
}

QString TableView::discardextra(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const int slot = fields.number();
    if (seat != m_seat || !isSlot(slot) || !fields.atEnd())
        return QStringLiteral("hand discard not for this seat");
    m_hand[slot - 1] = 0;
    return {};
}

QString TableView::discardletter(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const int cell = fields.number();
    if (!isPlayer(seat) || !isCell(cell) || !fields.atEnd())
        return QStringLiteral("board discard out of range");
    if (m_boards[seat][cell - 1] == 0) return QStringLiteral("board discard of an empty cell");
    m_boards[seat][cell - 1] = 0;
    return {};
}

QString TableView::formedword(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const QByteArray word = fields.text();
    const int points = fields.number();
    const int total = fields.number();
    if (!isPlayer(seat) || !fields.atEnd()) return QStringLiteral("formed word out of range");
    if (!m_planner.isWord(word)) return QStringLiteral("formed word is not in the word list");
    if (word != boardText(m_boards[seat]).trimmed())
        return QStringLiteral("formed word is not what the board spells");
    if (m_formed[seat].contains(word)) return QStringLiteral("word scored twice for one seat");
    if (points != WordPlanner::points(word)) return QStringLiteral("word scored wrongly");
    if (total != m_scores[seat] + points) return QStringLiteral("total does not add up");
    m_formed[seat].insert(word);
    m_scores[seat] = total;
    return {};
}

} // namespace quibo::test

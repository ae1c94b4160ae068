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
        {"CMD_startgame", &TableView::startgame},       {"CMD_letters", &TableView::letters},
        {"CMD_newletter", &TableView::newletter},       {"CMD_placemyletter", &TableView::placemyletter},
        {"CMD_discardextra", &TableView::discardextra}, {"CMD_discardletter", &TableView::discardletter},
        {"CMD_formedword", &TableView::formedword},     {"CMD_stoldletter", &TableView::stoldletter},
        {"CMD_nextplayer", &TableView::nextplayer},     {"CMD_winner", &TableView::winner},
        {"CMD_gamestats", &TableView::gamestats},       {"CMD_newplayerinfo", &TableView::ignore},
        {"CMD_sendlogininfo", &TableView::ignore},      {"CMD_existingplayers", &TableView::ignore},
        {"CMD_notvalid", &TableView::ignore},
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

QString TableView::startgame(const QByteArray& args) {
    FieldReader fields(args);
    fields.text();
    fields.number();
    fields.number();
    m_stealsAllowed = fields.number();
    m_hand = {};
    m_boards = {};
    m_scores = {};
    m_formed = {};
    m_stealsUsed = {};
    m_stealsKnown = {true, true, true};
    m_pendingWord = {};
    return {};
}

// A newcomer learns the settings and scores after the boards.
QString TableView::gamestats(const QByteArray& args) {
    FieldReader fields(args);
    fields.number();
    fields.number();
    m_stealsAllowed = fields.number();
    m_scores[1] = fields.number();
    m_scores[2] = fields.number();
    m_stealsKnown = {};
    return fields.atEnd() ? QString() : QStringLiteral("game figures out of order");
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
    // Slot 0 marks a board replayed to a newcomer.
    if (!isPlayer(seat) || (slot != 0 && !isSlot(slot)) || !isCell(cell) || !isLetter(code) ||
        !fields.atEnd())
        return QStringLiteral("placement out of range");
    if (seat == m_seat && slot != 0) {
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
    if (word != boardText(m_boards[seat]).trimmed()) m_pendingWord[seat] = word;
    if (m_formed[seat].contains(word)) return QStringLiteral("word scored twice for one seat");
    if (points != WordPlanner::points(word)) return QStringLiteral("word scored wrongly");
    if (total != m_scores[seat] + points) return QStringLiteral("total does not add up");
    m_formed[seat].insert(word);
    m_scores[seat] = total;
    return {};
}

QString TableView::stoldletter(const QByteArray& args) {
    FieldReader fields(args);
    const int thief = fields.number();
    const int victim = fields.number();
    const int cell = fields.number();
    const int hisCell = fields.number();
    const int code = fields.number();
    if (!isPlayer(thief) || victim != 3 - thief || !isCell(cell) || !isCell(hisCell) || !fields.atEnd())
        return QStringLiteral("steal out of range");
    if (m_boards[victim][hisCell - 1] != code)
        return QStringLiteral("stolen letter was not on the victim's board");
    if (m_pendingWord[thief].isEmpty()) return QStringLiteral("steal without a new word");
    m_boards[thief][cell - 1] = code;
    m_boards[victim][hisCell - 1] = 0;
    if (boardText(m_boards[thief]).trimmed() != m_pendingWord[thief])
        return QStringLiteral("word scored by the steal is not what the board spells");
    m_pendingWord[thief].clear();
    ++m_stealsUsed[thief];
    return {};
}

QString TableView::checkPendingWords() {
    for (int seat = 1; seat <= 2; ++seat) {
        if (!m_pendingWord[seat].isEmpty()) return QStringLiteral("formed word is not what the board spells");
    }
    return {};
}

QString TableView::nextplayer(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const int stealsLeft = fields.number();
    if (!isPlayer(seat) || !fields.atEnd()) return QStringLiteral("next turn out of range");
    if (!m_stealsKnown[seat]) {
        m_stealsUsed[seat] = m_stealsAllowed - stealsLeft;
        m_stealsKnown[seat] = true;
    }
    if (stealsLeft != this->stealsLeft(seat)) return QStringLiteral("steals left do not add up");
    return checkPendingWords();
}

QString TableView::winner(const QByteArray& args) {
    FieldReader fields(args);
    if (!isPlayer(fields.number()) || !fields.atEnd()) return QStringLiteral("winner out of range");
    return checkPendingWords();
}

} // namespace quibo::test

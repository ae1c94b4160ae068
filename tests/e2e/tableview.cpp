// SPDX-License-Identifier: MIT
#include "tableview.h"

#include "messagetext.h"

#include <optional>
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

const QString malformed = QStringLiteral("malformed field");

// The typed message, when the text is exactly what the host writes for it: no field missing or
// malformed, none after the expected ones, every number written plainly.
template <class M>
std::optional<M> exactly(const QByteArray& message) {
    std::optional<M> typed = decodeText<M>(message);
    if (typed && textOf(*typed) != message) return std::nullopt;
    return typed;
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
        {cmd::startgame, &TableView::startgame},       {cmd::letters, &TableView::letters},
        {cmd::newletter, &TableView::newletter},       {cmd::placemyletter, &TableView::placemyletter},
        {cmd::discardextra, &TableView::discardextra}, {cmd::discardletter, &TableView::discardletter},
        {cmd::formedword, &TableView::formedword},     {cmd::stoldletter, &TableView::stoldletter},
        {cmd::nextplayer, &TableView::nextplayer},     {cmd::winner, &TableView::winner},
        {cmd::gamestats, &TableView::gamestats},       {cmd::newplayerinfo, &TableView::ignore},
        {cmd::sendlogininfo, &TableView::ignore},      {cmd::existingplayers, &TableView::ignore},
        {cmd::notvalid, &TableView::ignore},           {cmd::seatkey, &TableView::ignore},
        {cmd::earlierword, &TableView::ignore},        {cmd::turnstate, &TableView::ignore},
        {cmd::tableclosed, &TableView::ignore},
    };
    const SplitMessage split = splitMessage(message);
    for (const auto& [command, handler] : handlers) {
        if (split.command != command) continue;
        const QString error = (this->*handler)(message);
        return error.isEmpty() ? error : error + QStringLiteral(" in ") + QString::fromUtf8(message);
    }
    return QStringLiteral("unexpected message ") + QString::fromUtf8(message);
}

QString TableView::startgame(const QByteArray& message) {
    const auto start = decodeText<msg::StartGame>(message);
    if (!start) return malformed;
    m_stealsAllowed = start->stealsallowed;
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
QString TableView::gamestats(const QByteArray& message) {
    const auto stats = decodeText<msg::GameStats>(message);
    if (!stats) return malformed;
    if (textOf(*stats) != message) return QStringLiteral("game figures out of order");
    m_stealsAllowed = stats->stealsallowed;
    m_scores[1] = stats->score1;
    m_scores[2] = stats->score2;
    m_stealsKnown = {};
    return {};
}

QString TableView::letters(const QByteArray& message) {
    const auto letters = exactly<msg::Letters>(message);
    if (!letters) return malformed;
    if (letters->seat != m_seat) return QStringLiteral("letters for another seat");
    if (int(letters->hand.size()) != handSlots - 1) return QStringLiteral("not five letters in slots 1 to 5");
    for (int expected = 1; expected <= handSlots - 1; ++expected) {
        const msg::HandLetter& letter = letters->hand.at(std::size_t(expected - 1));
        if (letter.slot != expected || !isLetter(letter.code))
            return QStringLiteral("not five letters in slots 1 to 5");
        m_hand[letter.slot - 1] = letter.code;
    }
    return {};
}

QString TableView::newletter(const QByteArray& message) {
    const auto dealt = exactly<msg::NewLetter>(message);
    if (!dealt) return malformed;
    if (dealt->seat != m_seat) return QStringLiteral("another seat's letter");
    if (!isSlot(dealt->slot) || dealt->slot != firstEmptySlot() || !isLetter(dealt->code))
        return QStringLiteral("new letter not in the lowest empty slot");
    m_hand[dealt->slot - 1] = dealt->code;
    return {};
}

QString TableView::placemyletter(const QByteArray& message) {
    const auto placed = exactly<msg::PlaceMyLetter>(message);
    if (!placed) return malformed;
    const auto [seat, slot, cell, code] = *placed;
    // Slot 0 marks a board replayed to a newcomer.
    if (!isPlayer(seat) || (slot != 0 && !isSlot(slot)) || !isCell(cell) || !isLetter(code))
        return QStringLiteral("placement out of range");
    if (seat == m_seat && slot != 0) {
        if (m_hand[slot - 1] != code) return QStringLiteral("placed letter is not the one in the hand");
        m_hand[slot - 1] = 0;
    }
    m_boards[seat][cell - 1] = code;
    return {};
}

QString TableView::discardextra(const QByteArray& message) {
    const auto discarded = exactly<msg::DiscardExtra>(message);
    if (!discarded) return malformed;
    if (discarded->seat != m_seat || !isSlot(discarded->slot))
        return QStringLiteral("hand discard not for this seat");
    m_hand[discarded->slot - 1] = 0;
    return {};
}

QString TableView::discardletter(const QByteArray& message) {
    const auto discarded = exactly<msg::DiscardLetter>(message);
    if (!discarded) return malformed;
    const int seat = discarded->seat;
    const int cell = discarded->cell;
    if (!isPlayer(seat) || !isCell(cell)) return QStringLiteral("board discard out of range");
    if (m_boards[seat][cell - 1] == 0) return QStringLiteral("board discard of an empty cell");
    m_boards[seat][cell - 1] = 0;
    return {};
}

QString TableView::formedword(const QByteArray& message) {
    const auto formed = exactly<msg::FormedWord>(message);
    if (!formed) return malformed;
    const int seat = formed->seat;
    const QByteArray& word = formed->word;
    if (!isPlayer(seat)) return QStringLiteral("formed word out of range");
    if (!m_planner.isWord(word)) return QStringLiteral("formed word is not in the word list");
    if (word != boardText(m_boards[seat]).trimmed()) m_pendingWord[seat] = word;
    if (m_formed[seat].contains(word)) return QStringLiteral("word scored twice for one seat");
    if (formed->points != WordPlanner::points(word)) return QStringLiteral("word scored wrongly");
    if (formed->score != m_scores[seat] + formed->points) return QStringLiteral("total does not add up");
    m_formed[seat].insert(word);
    m_scores[seat] = formed->score;
    return {};
}

QString TableView::stoldletter(const QByteArray& message) {
    const auto steal = exactly<msg::StoldLetter>(message);
    if (!steal) return malformed;
    const int thief = steal->seat;
    const int victim = steal->robbedSeat;
    const int cell = steal->myCell;
    const int hisCell = steal->hisCell;
    const int code = steal->code;
    if (!isPlayer(thief) || victim != 3 - thief || !isCell(cell) || !isCell(hisCell))
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

QString TableView::nextplayer(const QByteArray& message) {
    const auto next = exactly<msg::NextPlayer>(message);
    if (!next) return malformed;
    const int seat = next->seat;
    if (!isPlayer(seat)) return QStringLiteral("next turn out of range");
    if (!m_stealsKnown[seat]) {
        m_stealsUsed[seat] = m_stealsAllowed - next->stealsLeft;
        m_stealsKnown[seat] = true;
    }
    if (next->stealsLeft != this->stealsLeft(seat)) return QStringLiteral("steals left do not add up");
    return checkPendingWords();
}

QString TableView::winner(const QByteArray& message) {
    const auto winner = exactly<msg::Winner>(message);
    if (!winner) return malformed;
    if (!isPlayer(winner->seat)) return QStringLiteral("winner out of range");
    return checkPendingWords();
}

} // namespace quibo::test

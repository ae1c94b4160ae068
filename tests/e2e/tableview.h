// SPDX-License-Identifier: MIT
// TableView: what one raw client knows about the table, built only from the host's messages: its own
// hand, both players' boards, the scores, the steals used and the words each player has formed. Every
// game message is checked against what came before (a placed letter must come from the hand, a stolen
// one from the opponent's board, a formed word must be what the board spells once the move is told,
// be listed, be new to the seat and be scored right, the totals and the steals left must add up).
// One per raw client in the end-to-end games; a spectator's view starts from the host's replay.
#pragma once

#include "letters.h"
#include "wordplanner.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <array>

namespace quibo::test {

class TableView {
public:
    TableView(int seat, const WordPlanner& planner)
        : m_seat(seat)
        , m_planner(planner) {}

    // Applies one message text from the host. Answers an empty text, or what the message contradicts.
    QString apply(const QByteArray& message);

    int seat() const { return m_seat; }
    const Hand& hand() const { return m_hand; }
    const Board& board(int seat) const { return m_boards.at(seat); }
    int score(int seat) const { return m_scores.at(seat); }
    const QSet<QByteArray>& formed(int seat) const { return m_formed.at(seat); }
    int stealsLeft(int seat) const { return m_stealsAllowed - m_stealsUsed.at(seat); }
    // The lowest empty hand slot, or 0 for a full hand.
    int firstEmptySlot() const;

private:
    // Each handler gets the whole message text and answers an empty text or what it contradicts.
    using Handler = QString (TableView::*)(const QByteArray& message);
    QString startgame(const QByteArray& message);
    QString letters(const QByteArray& message);
    QString newletter(const QByteArray& message);
    QString placemyletter(const QByteArray& message);
    QString discardextra(const QByteArray& message);
    QString discardletter(const QByteArray& message);
    QString formedword(const QByteArray& message);
    QString stoldletter(const QByteArray& message);
    QString nextplayer(const QByteArray& message);
    QString winner(const QByteArray& message);
    QString gamestats(const QByteArray& message);
    QString checkPendingWords();
    QString ignore(const QByteArray&) { return {}; }

    int m_seat;
    const WordPlanner& m_planner;
    Hand m_hand{};
    std::array<Board, 3> m_boards{}; // index 1 and 2
    std::array<int, 3> m_scores{};
    std::array<QSet<QByteArray>, 3> m_formed{};
    std::array<int, 3> m_stealsUsed{};
    // A newcomer is not told the steals used so far; it learns them from the next turns.
    std::array<bool, 3> m_stealsKnown{};
    int m_stealsAllowed = 0;
    // A word scored by a steal is told before the stolen letter moves; it is checked against the
    // board when the steal arrives.
    std::array<QByteArray, 3> m_pendingWord{};
};

} // namespace quibo::test

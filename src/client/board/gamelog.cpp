// SPDX-License-Identifier: MIT
// Everything here is derived from messages every window already gets: the host says nothing about
// why a word did not score, and hand letters thrown away by others are never sent to this window.
#include "gamelog.h"

#include "letters.h"
#include "tablemodel.h"

namespace quibo {

namespace {

QString capitalLetter(int code) {
    return QString(QChar::fromLatin1(convertoletter(code))).toUpper();
}

} // namespace

GameLog::GameLog(const TableModel& table)
    : m_table(table) {}

QString GameLog::nameOf(int seat) const {
    return shownSeatName(m_table.seatName(TableModel::displaySeat(seat)), isMine(seat));
}

bool GameLog::isMine(int seat) const {
    return m_table.isOwn(seat);
}

void GameLog::gameStarted() {
    m_running = true;
    m_turnSeat = 0;
    m_turnSettled = false;
    m_checkOwnBoard = false;
    m_ownRearranged = false;
    m_scores = {};
    m_words.clear();
    m_ownWords.clear();
    m_clock.start();
}

void GameLog::turnBegan(int seat) {
    closeTurn();
    if (!m_running) {
        // A window that joined a running game learns of it from its first turn.
        m_running = true;
        m_clock.start();
    }
    m_turnSeat = seat;
    m_turnSettled = false;
    m_checkOwnBoard = false;
    m_ownRearranged = false;
}

void GameLog::closeTurn() {
    // A turn that passes on without a board move, a lost turn or a departure ended with a hand letter
    // thrown away; only the owner's window hears of that from the host.
    if (m_turnSeat != 0 && !m_turnSettled && !isMine(m_turnSeat))
        say(tr("%1 threw away a letter.").arg(nameOf(m_turnSeat)));
    if (m_checkOwnBoard) explainOwnBoard();
}

void GameLog::explainOwnBoard() {
    QString letters;
    for (int cell = 1; cell <= boardCellCount; ++cell)
        letters += QChar::fromLatin1(convertoletter(m_table.code(Row::OwnBoard, cell)));
    const QString run = letters.trimmed();
    if (run.size() < 2) return;
    if (run.contains(u' ')) {
        say(tr("Your letters are not in one unbroken run."));
    } else if (m_ownWords.contains(run, Qt::CaseInsensitive)) {
        say(tr("You already scored %1.").arg(run.toUpper()));
    } else {
        say(tr("%1 is not in the word list.").arg(run.toUpper()));
    }
}

void GameLog::placed(const msg::PlaceMyLetter& m, int replaced) {
    if (m.slot == 0) return; // a board letter replayed to a joining window, not a move
    m_turnSettled = true;
    if (isMine(m.seat)) m_checkOwnBoard = true;
    // A letter put on a taken cell takes its place, and the letter that was there is gone.
    if (replaced == 0) return;
    const QString placedLetter = capitalLetter(m.code);
    const QString lost = capitalLetter(replaced);
    if (isMine(m.seat))
        say(tr("Your %1 replaced the %2 on your board; the %2 is gone.").arg(placedLetter, lost));
    else
        say(tr("%1's %2 replaced the %3 on their board; the %3 is gone.")
                .arg(nameOf(m.seat), placedLetter, lost));
}

void GameLog::removed(const msg::DiscardLetter& m, int code) {
    m_turnSettled = true;
    if (isMine(m.seat)) {
        m_checkOwnBoard = true;
        say(tr("You removed the %1 from your board.").arg(capitalLetter(code)));
    } else {
        say(tr("%1 removed the %2 from their board.").arg(nameOf(m.seat), capitalLetter(code)));
    }
}

void GameLog::thrownAway(const msg::DiscardExtra& m, int code) {
    if (!isMine(m.seat)) return;
    // A lost turn takes a letter from the hand too; that is told as the time running out.
    if (!m_turnSettled && code != 0) say(tr("You threw away the %1.").arg(capitalLetter(code)));
    // The host checks the board after a thrown-away letter only because a rearrangement may have
    // spelled a word; a lost turn is not checked at all.
    if (m_ownRearranged && !m_turnSettled) m_checkOwnBoard = true;
}

void GameLog::rearranged(const msg::TradingMyLetter& m) {
    if (isMine(m.seat)) m_ownRearranged = true;
}

void GameLog::wordFormed(const msg::FormedWord& m) {
    const int d = TableModel::displaySeat(m.seat);
    if (d != 1 && d != 2) return;
    const QString word = QString::fromUtf8(m.word);
    m_words.append({word, m.points, d});
    m_scores[size_t(d - 1)] = m.score;
    if (isMine(m.seat)) {
        m_ownWords.append(word);
        m_checkOwnBoard = false;
    }
}

void GameLog::stolen(const msg::StoldLetter& m) {
    m_turnSettled = true;
    const QString letter = capitalLetter(m.code);
    // The robbed board is always the other row.
    const int robbed = 3 - TableModel::displaySeat(m.seat);
    const int me = m_table.ownSeat();
    if (isMine(m.seat))
        say(tr("You stole the %1 from %2's board.").arg(letter, nameOf(robbed)));
    else if (me >= 1 && me <= 3 && TableModel::displaySeat(me) == robbed)
        say(tr("%1 stole the %2 from your board.").arg(nameOf(m.seat), letter));
    else
        say(tr("%1 stole the %2 from %3's board.").arg(nameOf(m.seat), letter, nameOf(robbed)));
}

void GameLog::timeRanOut() {
    m_turnSettled = true;
    if (m_turnSeat == 0) {
        say(tr("Time Up!"));
        return;
    }
    say(isMine(m_turnSeat) ? tr("Your time ran out.") : tr("%1's time ran out.").arg(nameOf(m_turnSeat)));
}

void GameLog::scoresKnown(int score1, int score2) {
    m_scores = {score1, score2};
}

void GameLog::wordKnown(const msg::EarlierWord& m) {
    const int d = TableModel::displaySeat(m.seat);
    if (d != 1 && d != 2) return;
    const QString word = QString::fromUtf8(m.word);
    m_words.append({word, m.points, d});
    if (isMine(m.seat)) m_ownWords.append(word);
}

void GameLog::turnKnown(int seat) {
    // The turn was under way before the window came: nothing of it is explained at its end.
    if (!m_running) {
        m_running = true;
        m_clock.start();
    }
    m_turnSeat = seat;
    m_turnSettled = true;
    m_checkOwnBoard = false;
    m_ownRearranged = false;
}

void GameLog::forgetRecord() {
    m_words.clear();
    m_ownWords.clear();
    m_turnSeat = 0;
    m_checkOwnBoard = false;
}

void GameLog::seatLeft(int seat, const QString& name) {
    if (!m_running) return;
    if (seat == m_turnSeat) m_turnSettled = true; // the host passes the turn on without a move
    // The computer plays an empty seat 2; seat 1's turns run out on the clock until it is taken.
    if (seat == 2) say(tr("%1 plays for %2 until someone takes the seat.").arg(computerPlayerName(), name));
}

void GameLog::abandon() {
    m_running = false;
    m_turnSeat = 0;
    m_checkOwnBoard = false;
}

GameSummary GameLog::finish(int winner) {
    GameSummary summary;
    summary.winner = winner;
    const int me = m_table.ownSeat();
    if (me >= 1 && me <= 3) summary.ownSeat = TableModel::displaySeat(me);
    for (int d : {1, 2})
        summary.names[size_t(d - 1)] = m_table.seatName(d);
    summary.scores = m_scores;
    for (const GameSummary::Word& w : m_words) {
        summary.words[size_t(w.seat - 1)].append(w);
        // Ties keep the earlier word.
        if (w.word.size() > summary.longest.word.size()) summary.longest = w;
        if (summary.best.word.isEmpty() || w.points > summary.best.points) summary.best = w;
    }
    summary.seconds = m_clock.isValid() ? m_clock.elapsed() / 1000 : 0;
    abandon();
    return summary;
}

} // namespace quibo

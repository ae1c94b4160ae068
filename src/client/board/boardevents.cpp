// SPDX-License-Identifier: MIT
// The host's game messages as the board shows them. The window never judges a move or a word: it
// shows what the host decided. Every message arrives decoded and checked (seat, cell, hand slot and
// letter code in range), so a malformed message never reaches the board and leaves it as it was.
#include "boardpanel.h"
#include "gamesummarywindow.h"
#include "meaningtips.h"
#include "namedwidgets.h"
#include "plaintext.h"
#include "tile.h"

#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace quibo {

Q_LOGGING_CATEGORY(lcBoard, "quibo.client.board")

namespace {

// Steals settings above this mean "no limit"; the host sends unlimitedSteals for unlimited.
constexpr int unlimitedStealsShownAbove = 100;

} // namespace

void BoardPanel::startthegame(const msg::StartGame& m) {
    const QString starter = QString::fromUtf8(m.starter);
    const int time = m.turntime;
    const int score = m.targetscore;
    const int steals = m.stealsallowed;

    m_log->gameStarted();
    m_optionsFromGame = true;
    m_stealsLeft = {steals, steals};
    m_summary->hide();
    m_labelTurntime->setText(tr("Time: 0:00")); // no longer "Game Over"
    m_panelWinner->hide();
    m_buttonStart->hide();
    m_buttonGive->hide();
    endJustWatching();
    m_labelStatus->clear();

    clearall();
    m_listboxMywords->clear();
    m_labelMywords->setText(tr("Your Words: (0)"));
    setOptionLabels(time, tr("Play to Score: ") + QString::number(score), steals);
    setComputerLevelLabel(m.level.value_or(ComputerLevel::Normal));
    if (steals == unlimitedSteals) {
        setSeatText("label_status", 1, tr("Steals Left: Unlimited"));
        setSeatText("label_status", 2, tr("Steals Left: Unlimited"));
    } else {
        setSeatText("label_status", 1, tr("Steals Left: ") + QString::number(steals));
        setSeatText("label_status", 2, tr("Steal Left: ") + QString::number(steals));
    }
    // Only seat 1 starts games; a solo player is called "You".
    const bool byMe = m_mynumber == 1 && GameLog::isYou(starter);
    Q_EMIT chatLine(byMe ? tr("You have started a game.") : starter + tr(" has started a game."),
                    colorStatus);

    for (Tile* tile : m_myletters)
        clearTile(tile);
    for (Tile* tile : m_hisletters)
        clearTile(tile);
    for (Tile* tile : m_extras)
        clearTile(tile);
    for (int seat : {1, 2}) {
        if (QWidget* eyes = seatWidget("image_eyes", seat)) eyes->hide();
    }
    // Nobody took seat 2: the computer opponent plays it.
    if (seatName(2) == waitingSeatText()) setSeatText("label_playername", 2, computerPlayerName());
}

void BoardPanel::letters(const msg::Letters& m) {
    if (m.seat != m_mynumber) return;
    for (const msg::HandLetter& letter : m.hand)
        showLetter(extra(letter.slot), letter.code);
}

void BoardPanel::newletter(const msg::NewLetter& m) {
    // Any seat's new letter puts the own hand at rest.
    for (Tile* tile : m_extras)
        tile->setRowTop(extraTop);
    if (m.seat != m_mynumber) return;
    showLetter(extra(m.slot), m.code);
}

void BoardPanel::getnextplayer(const msg::NextPlayer& m) {
    const int seat = m.seat;
    const int stealsLeft = std::max(m.stealsLeft, 0);

    // The log closes the turn that ended while the board still shows how it ended.
    m_log->turnBegan(seat);
    resettiles();
    const int d = displaySeat(seat);
    if (d == 1 || d == 2) m_stealsLeft[size_t(d - 1)] = stealsLeft;
    setStealsLeft(d, stealsLeft);
    showTurn(seat);
    if (m_turnseat == m_mynumber) {
        Q_EMIT soundRequested(QStringLiteral("start"));
        if (!window()->isActiveWindow()) Q_EMIT attentionWanted();
    }
    startClock();
    Q_EMIT turnBegan(seat);
}

// Whose turn it is, on the turn markers and the status line.
void BoardPanel::showTurn(int seat) {
    m_turnseat = seat;
    const int d = displaySeat(seat);
    for (int s : {1, 2}) {
        if (QWidget* marker = seatWidget("image_Turn", s)) marker->hide();
    }
    if (QWidget* marker = seatWidget("image_Turn", d)) marker->show();
    m_labelStatus->setText(m_turnseat == m_mynumber ? tr("Place a Letter") : seatName(d) + tr("'s turn."));
}

void BoardPanel::turnstate(const msg::TurnState& m) {
    // The turn was under way before this window came: shown as it stands, with no sound and no
    // fresh count.
    resettiles();
    m_log->turnKnown(m.seat);
    m_stealsLeft = {std::max(m.stealsLeft1, 0), std::max(m.stealsLeft2, 0)};
    setStealsLeft(1, m_stealsLeft[0]);
    setStealsLeft(2, m_stealsLeft[1]);
    showTurn(m.seat);
    stopClock();
    m_turnsecsleft = m.secondsLeft;
    showTimeLeft();
    // A turn that is open with its clock stopped was rearranged.
    if (m.clockRunning)
        m_turntimer->start();
    else
        holdClock();
    Q_EMIT turnBegan(m.seat);
}

void BoardPanel::earlierword(const msg::EarlierWord& m) {
    m_log->wordKnown(m);
    if (m.seat == m_mynumber) listOwnWord(QString::fromUtf8(m.word), m.points);
}

void BoardPanel::listOwnWord(const QString& word, int points) {
    auto* item = new QListWidgetItem(word + QStringLiteral(" : ") + QString::number(points));
    item->setData(MeaningTips::wordRole, word);
    m_listboxMywords->insertItem(0, item);
    m_labelMywords->setText(tr("Your Words: (") + QString::number(m_listboxMywords->count()) +
                            QLatin1Char(')'));
}

void BoardPanel::forgetGameRecord() {
    m_listboxMywords->clear();
    m_labelMywords->setText(tr("Your Words: (0)"));
    m_log->forgetRecord();
}

void BoardPanel::tableClosed() {
    stopClock();
    resettiles();
    m_turnseat = 0;
    m_log->abandon();
    for (int s : {1, 2}) {
        if (QWidget* marker = seatWidget("image_Turn", s)) marker->hide();
    }
    m_labelStatus->clear();
}

void BoardPanel::placemyletter(const msg::PlaceMyLetter& m) {
    stopClock();
    m_log->placed(m);
    showLetter(boardTile(m.seat, m.cell), m.code);
    if (m.seat == m_mynumber) {
        // Slot 0 is a board letter replayed to a window joining a running game: no hand tile moved.
        if (m.slot != 0) clearTile(extra(m.slot));
        Q_EMIT soundRequested(QStringLiteral("place"));
    }
    resettiles();
}

void BoardPanel::discardextra(const msg::DiscardExtra& m) {
    stopClock();
    m_log->thrownAway(m);
    if (m.seat != m_mynumber) return;
    clearTile(extra(m.slot));
    resettiles();
    Q_EMIT soundRequested(QStringLiteral("clear"));
}

void BoardPanel::discardletter(const msg::DiscardLetter& m) {
    stopClock();
    Tile* tile = boardTile(m.seat, m.cell);
    m_log->removed(m, tile ? tile->shownCode() : 0);
    clearTile(tile);
    const int me = m_mynumber;
    if (me >= 3 || displaySeat(m.seat) == me) Q_EMIT soundRequested(QStringLiteral("clear"));
    resettiles();
}

void BoardPanel::tradingmyletter(const msg::TradingMyLetter& m) {
    // A rearrangement stops the countdown until the turn's next move; the host ends the turn once
    // the turn's full time has passed after the last rearrangement.
    holdClock();
    m_log->rearranged(m);
    Tile* first = boardTile(m.seat, m.firstCell);
    Tile* second = boardTile(m.seat, m.secondCell);
    clearTile(first);
    clearTile(second);
    showLetter(first, m.firstCode);
    showLetter(second, m.secondCode);
    Q_EMIT soundRequested(QStringLiteral("place"));
    resettiles();
}

void BoardPanel::notvalid(const msg::NotValid& m) {
    resettiles();
    if (m.seat != m_mynumber) return;
    refuseSteal(tr("You can steal a letter only if you can use it immediately to create a valid word."),
                [this] {
                    for (Tile* tile : m_hisletters)
                        tile->setRowTop(hisletterTop);
                });
}

void BoardPanel::toomany(const msg::TooMany& m) {
    resettiles();
    if (m.seat != m_mynumber) return;
    refuseSteal(tr("You have used all your steals."), [] {});
}

void BoardPanel::refuseSteal(const QString& text, std::function<void()> afterClose) {
    // One refusal box at a time. The queue keeps running while a box is open, so every refusal that
    // arrives meanwhile would open a box inside the last one, and a host sending thousands of them
    // would exhaust the stack. Those are dropped: the open box already tells the player, and closing
    // it cancels the steal.
    if (m_refusalShown) return;
    m_refusalShown = true;
    // The box is opened from a posted call, not from inside the handler: the window's queue runs on
    // a timer, and a timer does not fire again while its own handler is still running, so a box
    // opened here would stop the queue. From a posted call the queue keeps going while the box waits
    // for the player, and the refusal's sound follows when the box is closed.
    QMetaObject::invokeMethod(
        this,
        [this, text, afterClose = std::move(afterClose)] {
            if (!informModally(text)) return;
            m_refusalShown = false;
            afterClose();
            m_pickedhis = 0;
            Q_EMIT soundRequested(QStringLiteral("badword"));
        },
        Qt::QueuedConnection);
}

void BoardPanel::formedword(const msg::FormedWord& m) {
    stopClock();
    const int seat = m.seat;
    const QString word = QString::fromUtf8(m.word);
    const int points = m.points;
    const int total = m.score;
    m_log->wordFormed(m);

    if (seat == m_mynumber) {
        listOwnWord(word, points);
        Q_EMIT soundRequested(QStringLiteral("goodword"));
        Q_EMIT wordFormed(word, points);
    }
    const int d = displaySeat(seat);
    setSeatText("label_score", d, QString::number(total));
    Q_EMIT chatLine(tr("For ") + QString::number(points) + tr(" points ") + seatName(d) + tr(" formed ") +
                        word.toUpper(),
                    colorStatus, word);
    if (m_mynumber >= 3) Q_EMIT soundRequested(QStringLiteral("goodword"));
    resettiles();
}

void BoardPanel::stoldletter(const msg::StoldLetter& m) {
    // The robbed seat is always the other row, so only the stealer's seat decides the rows.
    const int stealer = m.seat;
    m_log->stolen(m);
    // The stealer's count goes down with the steal, not only at the stealer's next turn; a window
    // that joined the game learns a seat's count only at that seat's next turn.
    const int d = displaySeat(stealer);
    if ((d == 1 || d == 2) && m_stealsLeft[size_t(d - 1)] >= 0 &&
        m_stealsLeft[size_t(d - 1)] <= unlimitedStealsShownAbove) {
        int& left = m_stealsLeft[size_t(d - 1)];
        left = std::max(left - 1, 0);
        setStealsLeft(d, left);
    }
    const bool stealerBelow = displaySeat(stealer) == bottomSeat();
    showLetter(stealerBelow ? myletter(m.myCell) : hisletter(m.myCell), m.code);
    clearTile(stealerBelow ? hisletter(m.hisCell) : myletter(m.hisCell));
    const int me = m_mynumber;
    if (me >= 3 || displaySeat(stealer) == me) Q_EMIT soundRequested(QStringLiteral("roundover"));
    resettiles();
}

void BoardPanel::gamestats(const msg::GameStats& m) {
    m_log->scoresKnown(m.score1, m.score2);
    m_optionsFromGame = true;
    m_stealsLeft = {-1, -1};
    setSeatText("label_score", 1, QString::number(m.score1));
    setSeatText("label_score", 2, QString::number(m.score2));
    // A joining window writes "score" in lower case, unlike the game start.
    setOptionLabels(m.turntime, tr("Play to score: ") + QString::number(m.targetscore), m.stealsallowed);
    setComputerLevelLabel(m.level);
}

void BoardPanel::winner(const msg::Winner& m) {
    const int seat = m.seat;
    stopClock();
    m_turnsecsleft = 0;
    m_turnseat = 0;
    const int d = displaySeat(seat);
    Q_EMIT soundRequested(QStringLiteral("winner"));
    const QString name = seatName(d);
    const bool you = d == displaySeat(m_mynumber) && m_mynumber <= 3 && GameLog::isYou(name);
    // The clock and the status line show that the game is over; the banner lies over the status line.
    showClockWarning(false);
    m_labelTurntime->setText(tr("Game Over"));
    m_labelWinner1->setText(you ? tr("You have won the game!") : name + tr(" has won the game!"));
    m_labelStatus->setText(m_labelWinner1->text());
    m_labelWinner2->setText(m_labelWinner1->text());
    m_panelWinner->show();
    m_panelWinner->raise();
    Q_EMIT gameWon(d, name);
    Q_EMIT chatLine(you ? tr("You have Won the Game!") : name + tr(" has Won the Game!"), colorStatus);
    if (m_hosting) m_buttonStart->show();
    m_summary->showSummary(m_log->finish(d), m_hosting);
    Q_EMIT soundRequested(QStringLiteral("gameover"));
}

void BoardPanel::timeup(const msg::TimeUp&) {
    Q_EMIT chatLine(tr("Time Up!"), colorStatus);
    m_log->timeRanOut();
}

void BoardPanel::seatLeft(int seat, const QString& name) {
    m_log->seatLeft(seat, name);
}

void BoardPanel::setOptionLabels(int time, const QString& scoreText, int steals) {
    m_labelTimeperturn->setText(tr("Time per Turn: ") + QString::number(time));
    setWidgetTag(m_labelTimeperturn, time);
    m_labelPlaytoscore->setText(scoreText);
    m_labelSteals->setText(steals == unlimitedSteals ? tr("# of Steals: Unlimited")
                                                     : tr("# of Steals: ") + QString::number(steals));
}

void BoardPanel::setComputerLevelLabel(ComputerLevel level) {
    const char* names[] = {QT_TR_NOOP("Easy"), QT_TR_NOOP("Normal"), QT_TR_NOOP("Strong"),
                           QT_TR_NOOP("Expert")};
    m_labelComputer->setText(tr("Computer: ") + tr(names[int(level)]));
}

void BoardPanel::setStealsLeft(int seat, int stealsLeft) {
    setSeatText("label_status", seat,
                stealsLeft > unlimitedStealsShownAbove ? tr("Steals Left: Unlimited")
                                                       : tr("Steals Left: ") + QString::number(stealsLeft));
}

Tile* BoardPanel::boardTile(int seat, int cell) const {
    Tile* tile = displaySeat(seat) == bottomSeat() ? myletter(cell) : hisletter(cell);
    if (!tile) qCWarning(lcBoard) << "ignoring board cell" << cell << "outside the board";
    return tile;
}

void BoardPanel::showLetter(Tile* tile, int code) {
    if (!tile) return;
    if (code != 0 && !TileSet::isLetter(code))
        qCWarning(lcBoard) << "letter code" << code << "shown as an empty tile";
    tile->showLetter(m_tiles, code);
}

void BoardPanel::clearTile(Tile* tile) {
    if (tile) tile->clearPicture();
}

bool BoardPanel::informModally(const QString& text) {
    QPointer<BoardPanel> self(this);
    // The box runs its own event loop, so queued messages keep being handled while it is open;
    // one of them may even close the window, which takes the box with it.
    QPointer<QMessageBox> box =
        makePlainMessageBox(QMessageBox::NoIcon, tr("Quibo"), text, QMessageBox::Ok, window());
    box->setObjectName(QStringLiteral("refusalbox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
    return !self.isNull();
}

} // namespace quibo

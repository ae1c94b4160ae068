// SPDX-License-Identifier: MIT
// The game's events as the board tells them: the chat lines, the sounds, the banner and the boxes.
// The table model has taken each in before the board hears of it, so the board reads the table as
// it now stands; what the model holds is shown in boardpanel.cpp.
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

void BoardPanel::connectModel() {
    TableModel* m = m_model;
    connect(m, &TableModel::rowChanged, this, &BoardPanel::showRow);
    connect(m, &TableModel::pickChanged, this, &BoardPanel::showPick);
    connect(m, &TableModel::seatsChanged, this, &BoardPanel::showSeats);
    connect(m, &TableModel::ownSeatChanged, this, &BoardPanel::placeSeatSets);
    connect(m, &TableModel::turnChanged, this, &BoardPanel::showTurn);
    connect(m, &TableModel::clockChanged, this, &BoardPanel::showClock);
    connect(m, &TableModel::gameStarted, this, &BoardPanel::tellGameStart);
    connect(m, &TableModel::turnBegan, this, &BoardPanel::tellTurn);
    connect(m, &TableModel::turnResumed, this, &BoardPanel::tellTurnResumed);
    connect(m, &TableModel::letterPlaced, this, &BoardPanel::tellPlaced);
    connect(m, &TableModel::handLetterThrown, this, &BoardPanel::tellThrownAway);
    connect(m, &TableModel::letterRemoved, this, &BoardPanel::tellRemoved);
    connect(m, &TableModel::lettersSwapped, this, &BoardPanel::tellSwapped);
    connect(m, &TableModel::letterStolen, this, &BoardPanel::tellStolen);
    connect(m, &TableModel::wordFormed, this, &BoardPanel::tellWord);
    connect(m, &TableModel::earlierWordKnown, this, &BoardPanel::tellEarlierWord);
    connect(m, &TableModel::gameWon, this, &BoardPanel::tellWinner);
    connect(m, &TableModel::stealRefused, this, &BoardPanel::refuseSteal);
    connect(m, &TableModel::recordForgotten, this, &BoardPanel::forgetGameRecord);
    // The log says whose time ran out, which says all that "Time Up!" would.
    connect(m, &TableModel::timeRanOut, this, [this] { m_log->timeRanOut(); });
    connect(m, &TableModel::scoresKnown, this, [this] {
        const GameOptions& o = m_model->options();
        setOptionLabels(o.turntime, tr("Play to Score: ") + QString::number(o.targetscore), o.stealsallowed);
        setComputerLevelLabel(o.level);
        m_log->scoresKnown(m_model->seat(1).score, m_model->seat(2).score);
    });
    connect(m, &TableModel::seatLeft, this, [this](int seat, const QString& name) {
        if (seat == 1 || seat == 2) m_log->seatLeft(seat, name);
    });
    connect(m, &TableModel::phaseChanged, this, [this] {
        showRow(Row::Hand);
        // A game that ends without a winner (player 3 left, the table closed) leaves no record.
        if (m_model->phase() == GamePhase::None) m_log->abandon();
    });
}

void BoardPanel::tellGameStart(const msg::StartGame& m) {
    const QString starter = QString::fromUtf8(m.starter);
    const int steals = m.stealsallowed;

    m_log->gameStarted();
    m_summary->hide();
    m_labelTurntime->setText(tr("Time: 0:00")); // no longer "Game Over"
    m_panelWinner->hide();
    m_buttonStart->hide();
    m_buttonGive->hide();
    endJustWatching();
    m_labelStatus->clear();

    m_listboxMywords->clear();
    m_labelMywords->setText(tr("Your Words: (0)"));
    setOptionLabels(m.turntime, tr("Play to Score: ") + QString::number(m.targetscore), steals);
    setComputerLevelLabel(m.level.value_or(ComputerLevel::Normal));
    // The game start writes seat 2's count in the singular, as it always has.
    if (steals == unlimitedSteals) {
        setSeatText("label_status", 1, tr("Steals Left: Unlimited"));
        setSeatText("label_status", 2, tr("Steals Left: Unlimited"));
    } else {
        setSeatText("label_status", 1, tr("Steals Left: ") + QString::number(steals));
        setSeatText("label_status", 2, tr("Steal Left: ") + QString::number(steals));
    }
    // Only seat 1 starts games, and the host names the hosting player as the starter.
    const bool byMe = m_model->ownSeat() == 1;
    Q_EMIT chatLine(byMe ? tr("You have started a game.") : tr("%1 has started a game.").arg(starter),
                    colorStatus);
}

void BoardPanel::tellTurn(int seat) {
    releaseClockHold();
    // The log closes the turn that ended while the board still shows how it ended.
    m_log->turnBegan(seat);
    const int d = TableModel::displaySeat(seat);
    setStealsLeft(d, m_model->seat(d).stealsLeft);
    if (m_model->isOwnTurn()) {
        Q_EMIT soundRequested(QStringLiteral("start"));
        if (!window()->isActiveWindow()) Q_EMIT attentionWanted();
    }
    Q_EMIT turnBegan(seat);
}

// Whose turn it is, on the turn markers and the status line.
void BoardPanel::showTurn() {
    const int seat = m_model->turnSeat();
    for (int s : {1, 2}) {
        if (QWidget* marker = seatWidget("image_Turn", s))
            marker->setVisible(seat != 0 && TableModel::displaySeat(seat) == s);
    }
    if (m_clockHeld && seat != 0) {
        m_labelStatus->setText(tr("Clock stopped: rearranging"));
        return;
    }
    if (seat == 0) {
        // The game is over (the banner's text stands in the status line) or the table closed.
        if (m_model->phase() != GamePhase::Over) m_labelStatus->clear();
        return;
    }
    m_labelStatus->setText(m_model->isOwnTurn() ? tr("Place a Letter")
                                                : seatName(TableModel::displaySeat(seat)) + tr("'s turn."));
}

void BoardPanel::tellTurnResumed(int seat) {
    // The turn was under way before this window came: shown as it stands, with no sound.
    m_log->turnKnown(seat);
    showTimeLeft();
    setStealsLeft(1, m_model->seat(1).stealsLeft);
    setStealsLeft(2, m_model->seat(2).stealsLeft);
    // A turn that is open with its clock stopped was rearranged.
    if (!m_model->clockRunning()) holdClock();
    Q_EMIT turnBegan(seat);
}

void BoardPanel::tellEarlierWord(const msg::EarlierWord& m) {
    m_log->wordKnown(m);
    if (m_model->isOwn(m.seat)) listOwnWord(QString::fromUtf8(m.word), m.points);
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

void BoardPanel::tellPlaced(const msg::PlaceMyLetter& m, int replaced) {
    releaseClockHold();
    m_log->placed(m, replaced);
    if (m_model->isOwn(m.seat)) Q_EMIT soundRequested(QStringLiteral("place"));
}

void BoardPanel::tellThrownAway(const msg::DiscardExtra& m, int code) {
    releaseClockHold();
    m_log->thrownAway(m, code);
    if (m_model->isOwn(m.seat)) Q_EMIT soundRequested(QStringLiteral("clear"));
}

void BoardPanel::tellRemoved(const msg::DiscardLetter& m, int code) {
    releaseClockHold();
    m_log->removed(m, code);
    const int me = m_model->ownSeat();
    if (me >= 3 || TableModel::displaySeat(m.seat) == me) Q_EMIT soundRequested(QStringLiteral("clear"));
}

void BoardPanel::tellSwapped(const msg::TradingMyLetter& m) {
    // A rearrangement stops the countdown until the turn's next move; the host ends the turn once
    // the turn's full time has passed after the last rearrangement.
    holdClock();
    m_log->rearranged(m);
    Q_EMIT soundRequested(QStringLiteral("place"));
}

void BoardPanel::refuseSteal(bool noStealsLeft, const QString& alreadyScored) {
    if (noStealsLeft)
        showRefusal(tr("You have used all your steals."));
    else if (!alreadyScored.isEmpty())
        showRefusal(tr("You already scored %1.").arg(alreadyScored));
    else
        showRefusal(tr("You can steal a letter only if you can use it immediately to create a valid word."));
}

void BoardPanel::showRefusal(const QString& text) {
    // One refusal box at a time. The queue keeps running while a box is open, so every refusal that
    // arrives meanwhile would open a box inside the last one, and a host sending thousands of them
    // would exhaust the stack. Those are dropped: the open box already tells the player, and the
    // model has already cancelled the steal.
    if (m_refusalShown) return;
    m_refusalShown = true;
    // The box is opened from a posted call, not from inside the handler: the window's queue runs on
    // a timer, and a timer does not fire again while its own handler is still running, so a box
    // opened here would stop the queue. From a posted call the queue keeps going while the box waits
    // for the player, and the refusal's sound follows when the box is closed.
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            if (!informModally(text)) return;
            m_refusalShown = false;
            m_model->clearPick();
            Q_EMIT soundRequested(QStringLiteral("badword"));
        },
        Qt::QueuedConnection);
}

void BoardPanel::tellWord(const msg::FormedWord& m) {
    const QString word = QString::fromUtf8(m.word);
    m_log->wordFormed(m);
    if (m_model->isOwn(m.seat)) {
        listOwnWord(word, m.points);
        Q_EMIT soundRequested(QStringLiteral("goodword"));
        Q_EMIT wordFormed(word, m.points);
    }
    const int d = TableModel::displaySeat(m.seat);
    const QString line =
        m_model->isOwn(m.seat)
            ? tr("For %1 points you formed %2").arg(m.points).arg(word.toUpper())
            : tr("For %1 points %2 formed %3").arg(m.points).arg(seatName(d), word.toUpper());
    Q_EMIT chatLine(line, colorStatus, word);
    if (m_model->ownSeat() >= 3) Q_EMIT soundRequested(QStringLiteral("goodword"));
}

void BoardPanel::tellStolen(const msg::StoldLetter& m) {
    m_log->stolen(m);
    const int d = TableModel::displaySeat(m.seat);
    // A window that joined the game learns a seat's count only at that seat's next turn.
    if (m_model->seat(d).stealsLeft >= 0) setStealsLeft(d, m_model->seat(d).stealsLeft);
    const int me = m_model->ownSeat();
    if (me >= 3 || d == me) Q_EMIT soundRequested(QStringLiteral("roundover"));
}

void BoardPanel::tellWinner(int d) {
    Q_EMIT soundRequested(QStringLiteral("winner"));
    const int me = m_model->ownSeat();
    // Player 3 wins in seat 1's place.
    const bool you = me >= 1 && me <= 3 && d == TableModel::displaySeat(me);
    // The clock and the status line show that the game is over; the banner lies over the status line.
    const QString name = m_model->seatName(d);
    const QString banner = you ? tr("You have won the game!") : tr("%1 has won the game!").arg(seatName(d));
    m_labelTurntime->setText(tr("Game Over"));
    m_labelWinner1->setText(banner);
    m_labelStatus->setText(banner);
    m_labelWinner2->setText(banner);
    m_panelWinner->show();
    m_panelWinner->raise();
    Q_EMIT gameWon(d, name);
    Q_EMIT chatLine(banner, colorStatus);
    if (m_hosting) m_buttonStart->show();
    m_summary->showSummary(m_log->finish(d), m_hosting);
    Q_EMIT soundRequested(QStringLiteral("gameover"));
}

void BoardPanel::setOptionLabels(int time, const QString& scoreText, int steals) {
    m_labelTimeperturn->setText(tr("Time per Turn: ") + QString::number(time));
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

void BoardPanel::showLetter(Tile* tile, int code) {
    if (!tile) return;
    if (code == 0) {
        tile->clearPicture();
        return;
    }
    if (!TileSet::isLetter(code)) qCWarning(lcBoard) << "letter code" << code << "shown as an empty tile";
    tile->showLetter(m_tiles, code);
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

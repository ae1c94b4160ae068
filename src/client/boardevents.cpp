// SPDX-License-Identifier: MIT
// The host's game messages as the board shows them. The window never judges a move or a word: it
// shows what the host decided. Every handler reads all its fields before it changes anything, so a
// malformed message leaves the board as it was.
#include "boardpanel.h"
#include "namedwidgets.h"
#include "plaintext.h"
#include "protocol.h"
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

// Steals settings above this mean "no limit"; the host sends 10000 for unlimited.
constexpr int unlimitedStealsShownAbove = 100;
constexpr int unlimitedSteals = 10000;

} // namespace

void BoardPanel::startthegame(const QByteArray& args) {
    FieldReader r(args);
    const QString starter = r.string();
    const int time = r.number();
    const int score = r.number();
    const int steals = r.number();

    m_panelWinner->hide();
    m_buttonStart->hide();
    m_buttonGive->hide();
    m_context.setJustWatching(false);
    m_labelStatus->clear();

    clearall();
    m_listboxMywords->clear();
    m_labelMywords->setText(tr("Your Words: (0)"));
    setOptionLabels(time, tr("Play to Score: ") + QString::number(score), steals);
    if (steals == unlimitedSteals) {
        setSeatText("label_status", 1, tr("Steals Left: Unlimited"));
        setSeatText("label_status", 2, tr("Steals Left: Unlimited"));
    } else {
        setSeatText("label_status", 1, tr("Steals Left: ") + QString::number(steals));
        setSeatText("label_status", 2, tr("Steal Left: ") + QString::number(steals));
    }
    m_context.addlinetochat(starter + tr(" has started a game."), colorStatus);

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

void BoardPanel::letters(const QByteArray& args) {
    FieldReader r(args);
    if (r.number() != m_context.mynumber()) return;
    // Pairs of hand slot and letter code; the last code has no "+" after it.
    std::vector<std::pair<int, int>> dealt;
    while (!r.atEnd()) {
        const int slot = r.number();
        const int code = r.number();
        dealt.emplace_back(slot, code);
    }
    for (const auto& [slot, code] : dealt)
        showLetter(extra(slot), code);
}

void BoardPanel::newletter(const QByteArray& args) {
    for (Tile* tile : m_extras)
        tile->move(tile->x(), extraTop);
    FieldReader r(args);
    if (r.number() != m_context.mynumber()) return;
    const int slot = r.number();
    const int code = r.number();
    showLetter(extra(slot), code);
}

void BoardPanel::getnextplayer(const QByteArray& args) {
    FieldReader r(args);
    const int seat = r.number();
    const int stealsLeft = std::max(r.number(), 0);

    resettiles();
    m_turnseat = seat;
    const int d = displaySeat(seat);
    for (int s : {1, 2}) {
        if (QWidget* marker = seatWidget("image_Turn", s)) marker->hide();
    }
    if (QWidget* marker = seatWidget("image_Turn", d)) marker->show();
    setStealsLeft(d, stealsLeft);
    if (m_turnseat == m_context.mynumber()) {
        m_labelStatus->setText(tr("Place a Letter"));
        m_context.playsounds(QStringLiteral("start"));
        if (!window()->isActiveWindow()) m_context.requestAttention();
    } else {
        m_labelStatus->setText(seatName(d) + tr("'s turn."));
    }
    startClock();
    Q_EMIT turnBegan(seat);
}

void BoardPanel::placemyletter(const QByteArray& args) {
    stopClock();
    FieldReader r(args);
    const int seat = r.number();
    const int slot = r.number();
    const int cell = r.number();
    const int code = r.number();
    showLetter(boardTile(seat, cell), code);
    if (seat == m_context.mynumber()) {
        // Slot 0 is a board letter replayed to a window joining a running game: no hand tile moved.
        if (slot != 0) clearTile(extra(slot));
        m_context.playsounds(QStringLiteral("place"));
    }
    resettiles();
}

void BoardPanel::discardextra(const QByteArray& args) {
    stopClock();
    FieldReader r(args);
    if (r.number() != m_context.mynumber()) return;
    const int slot = r.number();
    clearTile(extra(slot));
    resettiles();
    m_context.playsounds(QStringLiteral("clear"));
}

void BoardPanel::discardletter(const QByteArray& args) {
    stopClock();
    FieldReader r(args);
    const int seat = r.number();
    const int cell = r.number();
    clearTile(boardTile(seat, cell));
    const int me = m_context.mynumber();
    if (me >= 3 || displaySeat(seat) == me) m_context.playsounds(QStringLiteral("clear"));
    resettiles();
}

void BoardPanel::tradingmyletter(const QByteArray& args) {
    // A rearrangement stops the countdown for the rest of the turn; the host stops its timer too.
    stopClock();
    FieldReader r(args);
    const int seat = r.number();
    const int cell1 = r.number();
    const int code1 = r.number();
    const int cell2 = r.number();
    const int code2 = r.number();
    Tile* first = boardTile(seat, cell1);
    Tile* second = boardTile(seat, cell2);
    clearTile(first);
    clearTile(second);
    showLetter(first, code1);
    showLetter(second, code2);
    m_context.playsounds(QStringLiteral("place"));
    resettiles();
}

void BoardPanel::notvalid(const QByteArray& args) {
    resettiles();
    FieldReader r(args);
    if (r.number() != m_context.mynumber()) return;
    refuseSteal(tr("You can steal a letter only if you can use it immediately to create a valid word."),
                [this] {
                    for (Tile* tile : m_hisletters)
                        tile->move(tile->x(), hisletterTop);
                });
}

void BoardPanel::toomany(const QByteArray& args) {
    resettiles();
    FieldReader r(args);
    if (r.number() != m_context.mynumber()) return;
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
            m_context.playsounds(QStringLiteral("badword"));
        },
        Qt::QueuedConnection);
}

void BoardPanel::formedword(const QByteArray& args) {
    stopClock();
    FieldReader r(args);
    const int seat = r.number();
    const QString word = r.string();
    const int points = r.number();
    const int total = r.number();

    if (seat == m_context.mynumber()) {
        m_listboxMywords->insertItem(0, word + QStringLiteral(" : ") + QString::number(points));
        m_labelMywords->setText(tr("Your Words: (") + QString::number(m_listboxMywords->count()) +
                                QLatin1Char(')'));
        m_context.playsounds(QStringLiteral("goodword"));
        m_context.tallyWord(word, points);
    }
    const int d = displaySeat(seat);
    setSeatText("label_score", d, QString::number(total));
    m_context.addlinetochat(tr("For ") + QString::number(points) + tr(" points ") + seatName(d) +
                                tr(" formed ") + word.toUpper(),
                            colorStatus);
    if (m_context.mynumber() >= 3) m_context.playsounds(QStringLiteral("goodword"));
    resettiles();
}

void BoardPanel::stoldletter(const QByteArray& args) {
    FieldReader r(args);
    const int stealer = r.number();
    r.number(); // the robbed seat: always the other row
    const int stealerCell = r.number();
    const int victimCell = r.number();
    const int code = r.number();

    const bool stealerBelow = displaySeat(stealer) == bottomSeat();
    showLetter(stealerBelow ? myletter(stealerCell) : hisletter(stealerCell), code);
    clearTile(stealerBelow ? hisletter(victimCell) : myletter(victimCell));
    const int me = m_context.mynumber();
    if (me >= 3 || displaySeat(stealer) == me) m_context.playsounds(QStringLiteral("roundover"));
    resettiles();
}

void BoardPanel::gamestats(const QByteArray& args) {
    FieldReader r(args);
    const int time = r.number();
    const int score = r.number();
    const int steals = r.number();
    const int score1 = r.number();
    const int score2 = r.number();

    setSeatText("label_score", 1, QString::number(score1));
    setSeatText("label_score", 2, QString::number(score2));
    // A joining window writes "score" in lower case, unlike the game start.
    setOptionLabels(time, tr("Play to score: ") + QString::number(score), steals);
}

void BoardPanel::winner(const QByteArray& args) {
    FieldReader r(args);
    const int seat = r.number();
    stopClock();
    m_turnsecsleft = 0;
    m_turnseat = 0;
    const int d = displaySeat(seat);
    m_context.playsounds(QStringLiteral("winner"));
    const QString name = seatName(d);
    m_labelWinner1->setText(name + tr(" has won the game!"));
    m_labelWinner2->setText(m_labelWinner1->text());
    m_panelWinner->show();
    m_panelWinner->raise();
    m_context.tallyWinner(d, name);
    m_context.addlinetochat(name + tr(" has Won the Game!"), colorStatus);
    if (m_context.ishost()) m_buttonStart->show();
    m_context.playsounds(QStringLiteral("gameover"));
}

void BoardPanel::timeup(const QByteArray&) {
    m_context.addlinetochat(tr("Time Up!"), colorStatus);
}

void BoardPanel::setOptionLabels(int time, const QString& scoreText, int steals) {
    m_labelTimeperturn->setText(tr("Time per Turn: ") + QString::number(time));
    setWidgetTag(m_labelTimeperturn, time);
    m_labelPlaytoscore->setText(scoreText);
    m_labelSteals->setText(steals == unlimitedSteals ? tr("# of Steals: Unlimited")
                                                     : tr("# of Steals: ") + QString::number(steals));
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

// SPDX-License-Identifier: MIT
// board/: the board of the player window: tile rows, the host's moves, turn clock, game options.
//
// BoardPanel: the board of the player window and the game as this window sees it.
//
// The panel ("panel_board") holds the three tile rows (own board, opponent's board, own hand), the
// per-seat name, score, status, turn and just-watching widgets, the game options labels, the countdown,
// the central status line, the winner banner and the "Start Game" and "Give turn to Player 3" buttons.
// It is a pure view and input device: the host holds the letters and judges every move, the table
// model keeps what the host told, and the panel shows the model: tiles, seats, the pick, the turn
// and its countdown. It tells the model's events (boardevents.cpp), takes the tile clicks
// (boardclicks.cpp) and shows the turn clock (turnclock.cpp); its game log explains in the chat what the
// board alone does not show, and the summary window looks back at a game that was won. Created and owned by
// the player window, which keeps the board's view of the connection current (setConnected, ...) and hears
// what the board asks for through its signals. The two seat sets keep their names; the set of the seat shown
// at the bottom (the own seat for seat 2) stands above the own row.
#pragma once

#include "boardlayout.h"
#include "colortext.h"
#include "gamelog.h"
#include "messages.h"
#include "tablemodel.h"
#include "tiles.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace quibo {

class GameSummaryWindow;
class QuickInstructions;
class Tgamestart;
class Tile;

class BoardPanel : public QWidget {
    Q_OBJECT
public:
    // Builds every widget of the board in its place inside centralWidget: the panel at (68, 18), the
    // own-words heading and list beside it, the hidden quick-instruction panel, and the game options
    // window (a tool window of the main window).
    // The board follows `model`; without one it keeps a model of its own (a board on its own).
    explicit BoardPanel(QWidget* centralWidget, TableModel* model = nullptr);
    ~BoardPanel() override;

    // The table this board shows; it takes the host's messages in, and the board follows it.
    TableModel& model() const { return *m_model; }

    // The window this board sits in. Connected: the host has assigned the seat; no move is sent
    // before. Hosting: this copy runs the host or was given seat 1. The name starts games. Just
    // watching: the tick of the Options menu; while ticked tile clicks do nothing.
    void setConnected(bool connected) { m_connected = connected; }
    void setHosting(bool hosting) { m_hosting = hosting; }
    void setMyname(const QString& name);
    void setJustWatching(bool watching) { m_justWatching = watching; }

    // Forgets what a table left (the game record, the clock); the widgets' own state is brought
    // back by WindowReset.
    void resetForNextTable();
    // The countdown of the current turn: one tick a second while a turn runs; it decides nothing.
    QTimer* turntimer() const { return m_turntimer; }
    void turntimerTimer();

    // Tile input, as the tiles report it (tile = its number in the row).
    void myletter1MouseDown(Qt::MouseButton button, int tile);
    void extra1MouseDown(Qt::MouseButton button, int tile);
    void hisletter1Click(int tile);

    // "Start Game" on the board and in the File menu: the options window when connected, else the
    // message box "You are not connected".
    void startGameRequested();

    Tile* myletter(int cell) const;
    Tile* hisletter(int cell) const;
    Tile* extra(int slot) const;
    const TileSet& tiles() const { return m_tiles; }
    QLabel* labelMywords() const { return m_labelMywords; }
    QListWidget* listboxMywords() const { return m_listboxMywords; }
    QPushButton* buttonStart() const { return m_buttonStart; }
    QPushButton* buttonGive() const { return m_buttonGive; }
    Tgamestart* gamestart() const { return m_gamestart; }
    QuickInstructions* quickInstructions() const { return m_quickInstructions; }
    GameSummaryWindow* summaryWindow() const { return m_summary; }
    // The last seconds of the own turn, shown in red with a tick each second.
    static constexpr int warningSeconds = 10;

Q_SIGNALS:
    // "Give turn to Player 3" was pressed; the player window sends the request.
    void giveRequested();
    // One whole message (terminator included) for the host: a move, or a game start.
    void sendRequested(const QByteArray& wholeMessage);
    // A line for the chat; one about a word names it, so that its meaning can be shown.
    void chatLine(const QString& text, quibo::ColorValue colour, const QString& meaningWord = QString());
    void soundRequested(const QString& name);
    // A word the host confirmed as formed by the local player, with its points.
    void wordFormed(const QString& word, int points);
    // The game was won by the given display seat (1 or 2) whose name label reads winnerName. Sent in
    // every window; the window decides whether and how the game is tallied.
    void gameWon(int displaySeat, const QString& winnerName);
    // The turn passed to the local player while the window is not the active one.
    void attentionWanted();
    // A game started: the "Just Watch" tick goes.
    void justWatchingEnded();
    // A turn began for `seat` (the seat as the host sent it); the board is ready for its clicks.
    void turnBegan(int seat);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The model's events as the board tells them (chat lines, sounds, boxes) and shows them.
    void connectModel();
    void tellGameStart(const msg::StartGame& m);
    void tellTurn(int seat);
    void tellTurnResumed(int seat);
    void tellPlaced(const msg::PlaceMyLetter& m, int replaced);
    void tellThrownAway(const msg::DiscardExtra& m, int code);
    void tellRemoved(const msg::DiscardLetter& m, int code);
    void tellSwapped(const msg::TradingMyLetter& m);
    void tellStolen(const msg::StoldLetter& m);
    void tellWord(const msg::FormedWord& m);
    void tellEarlierWord(const msg::EarlierWord& m);
    void tellWinner(int displaySeatNumber);
    void refuseSteal(bool noStealsLeft, const QString& alreadyScored);
    // Forgets the own words and the game's record, which a host's catch-up tells again.
    void forgetGameRecord();
    // What the model holds, as the widgets show it.
    void showRow(Row row);
    void showPick();
    void showSeats();
    void placeSeatSets();
    void showClock();
    void processturntime();
    void resettiles() { m_model->clearPick(); }

    void buildSeatWidgets();
    void buildSeatSet(int seat, int top);
    void buildRows();
    void buildOptionsAndStatus();
    void buildLegend();
    void buildWinnerBanner();
    void buildButtons();
    void buildWordsList(QWidget* centralWidget);

    QWidget* seatWidget(const char* base, int seat) const;
    QLabel* seatLabel(const char* base, int seat) const;
    void setSeatText(const char* base, int seat, const QString& text);

    bool turnGatePassed() const;
    void send(const QByteArray& message);
    void showLetter(Tile* tile, int code);
    void setStealsLeft(int displaySeatNumber, int stealsLeft);
    void showTurn();
    void showTimeLeft();
    void listOwnWord(const QString& word, int points);
    void setOptionLabels(int time, const QString& scoreText, int steals);
    void setComputerLevelLabel(ComputerLevel level);
    QString seatName(int displaySeatNumber) const;
    // Before any game the score label shows the score the options window would start with.
    void followOptionsWindow();
    void showClockWarning(bool on);

    // Shows a modal message box; answers false when the panel was destroyed while it was open.
    bool informModally(const QString& text);
    // Tells the player why the steal was refused, then plays the refusal.
    void showRefusal(const QString& text);
    // A rearrangement stops the clock until the turn's next move; the status line says so meanwhile.
    void holdClock();
    void releaseClockHold();

    TableModel* m_model = nullptr;
    TileSet m_tiles;
    std::array<Tile*, 10> m_myletters{};
    std::array<Tile*, 10> m_hisletters{};
    std::array<Tile*, 6> m_extras{};
    QLabel* m_wordback1 = nullptr;
    QLabel* m_wordback2 = nullptr;
    QLabel* m_labelTimeperturn = nullptr;
    QLabel* m_labelPlaytoscore = nullptr;
    QLabel* m_labelSteals = nullptr;
    QLabel* m_labelComputer = nullptr;
    QLabel* m_labelTurntime = nullptr;
    QLabel* m_labelStatus = nullptr;
    QWidget* m_panelWinner = nullptr;
    QLabel* m_labelWinner1 = nullptr;
    QLabel* m_labelWinner2 = nullptr;
    QPushButton* m_buttonStart = nullptr;
    QPushButton* m_buttonGive = nullptr;
    QLabel* m_labelMywords = nullptr;
    QListWidget* m_listboxMywords = nullptr;
    Tgamestart* m_gamestart = nullptr;
    bool m_ownsGamestart = false; // no main window to own it
    GameLog* m_log = nullptr;
    GameSummaryWindow* m_summary = nullptr;
    QuickInstructions* m_quickInstructions = nullptr;
    QTimer* m_turntimer = nullptr;

    void endJustWatching();

    bool m_connected = false;
    bool m_hosting = false;
    bool m_justWatching = false;
    bool m_refusalShown = false;           // a refusal box is open or about to open
    bool m_clockHeld = false;              // the status line reads "Clock stopped: rearranging"
    bool m_clockStoppedForOptions = false; // the options window is open over a running game
};

} // namespace quibo

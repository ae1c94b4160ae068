// SPDX-License-Identifier: MIT
// windows/: the player window, where the program is wired together, and the small windows around it.
//
// Tchat: the player window, the program's main window.
//
// Owns the connection to the game host (HostConnection: the socket, the receive queue and the 1 ms
// queue timer), the player's seat and name, the chat pane and entry, and the menu bar. It
// coordinates the other windows: the board panel handles the game's messages, the spectator list
// shows who watches, and the windows of preferences and statistics hear its signals. The same
// window serves the hosting copy (whose host runs in this process and is reached over the loop-back address),
// a joining copy and a solo game.
#pragma once

#include "colortext.h"
#include "messages.h"
#include "tchatsetup.h"
#include "tsock.h"

#include <QLoggingCategory>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QTimer;

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

class BoardPanel;
class HostConnection;
class TableModel;
class ChatView;
class Preferences;
class Tspylist;
class Ttallylist;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    explicit Tchat(QWidget* parent = nullptr);
    ~Tchat() override;

    // What the window is given by whoever builds the program (or a test), before it is shown.
    TchatSetup& setup() { return m_setup; }
    // The player chose the name for solo games in the start window.
    void soloNameChosen(const QString& name);

    // --- State --------------------------------------------------------------------------------
    // The own seat, as the table model holds it.
    int mynumber() const;
    bool isconnected() const { return m_isconnected; }
    // The hosting player's controls (Start Game, removing players, giving the turn) belong to the
    // copy that runs the host and to a window that a remote host gave seat 1.
    bool ishost() const { return m_ishost || mynumber() == 1; }
    // This copy's own host listens (hosting or solo).
    bool runsHost() const { return m_ishost; }
    QString myname() const { return m_myname; }
    ChatView* chatView() const { return m_chatView; }
    BoardPanel* board() const { return m_board; }
    HostConnection* connection() const { return m_connection; }
    TableModel* model() const { return m_model; }

    // Finds a seat widget ("label_playername", 2) by name without regard to letter case.
    QWidget* seatWidget(const QString& base, int seat) const;

    // --- Operations used across the player window --------------------------------------------
    void addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord = QString());
    // Sends a whole message to the host; nothing when there is no connection.
    void sendToHost(const QByteArray& message);
    // The named sound, played only while "Play Sounds" is ticked.
    void playsounds(const QString& name);

    // --- Start-up -----------------------------------------------------------------------------
    void processparams();
    // Brings back what the window keeps about a table as it was built: its own state, the
    // connection and side channel (made anew), the board's and the chat's state. What its widgets
    // show is brought back by WindowReset, which calls this.
    void resetForNextTable();

    // --- User actions -------------------------------------------------------------------------
    // File > "Copy Table Link": quibo://ADDRESS:PORT of this table on the clipboard; empty when
    // there is no table to link to (a solo game, no connection).
    QString tableLinkText() const;
    void kicking(int seat);
    void label_playername2ContextPopup(QWidget* label);
    int popupKickSeat() const { return m_popupKickSeat; }

Q_SIGNALS:
    // The window has closed; the program ends with it.
    void closed();
    // A notice for the player that needs a modal box ("Game is full"); the window closes after it.
    void noticeRequested(const QString& text);
    // A whole message the window handed to the connection for the host.
    void sentToHost(const QByteArray& wholeMessage);

    // The work the window hands to the parts of the program attached to it; nothing happens while
    // nobody listens, so the window works on its own in tests.
    // The named sound ("entered", "gameover", ...), sent only while "Play Sounds" is ticked.
    void soundRequested(const QString& name);
    // Read the settings file and apply it (on the own arrival); write the changeable settings.
    void settingsLoadRequested();
    void settingsSaveRequested();
    // Options > "Text Color" and "Action Color"; View > "Phrase List" and "View Tally".
    void textColorChoiceRequested();
    void actionColorChoiceRequested();
    void phraseEditorRequested();
    void tallyRequested();
    // View > "Game Records…": the kept games.
    void recordsRequested();
    // Help > "About": the About box, which the program makes at its first showing.
    void aboutRequested();
    // A word the local player formed, with its points; a winner announced (display seat 1 or 2 and
    // the name its label shows), for the tally of followed opponents.
    void wordFormed(const QString& word, int points);
    void gameWon(int displaySeat, const QString& winnerName);
    // For the spectator list: a spectator came or went, this copy may remove spectators, and
    // View > "Spy List" was chosen.
    void spectatorArrived(int seat, const QString& name);
    void spectatorLeft(int seat, const QString& name);
    void spectatorRemovalAllowed();
    void spyListRequested();
    // The start window should offer hosting and joining, filled with this name and host address
    // (either may be empty).
    void startWindowRequested(const QString& name, const QString& address);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The board's and the spectator list's requests that only the window's wiring hands over.
    friend void connectBoard(Tchat& window, BoardPanel& board);
    friend void assembleWindows(Tchat& window, Tspylist* spylist, Ttallylist* tally,
                                Preferences* preferences);
    void requestAttention();
    void button_giveClick();
    bool justWatching() const;
    void setJustWatching(bool watching);
    // A spectator's entry left the spectator list.
    void spectatorGone(const QString& name);
    void copyTableLink();
    // Asks before leaving would end a running game or take a table with players down; true when
    // nothing is lost or the player agreed.
    bool mayLeave();
    void loadinifile();
    void saveinifile();

    // The connection's own events and the host's messages about seats and the connection, each
    // registered once in routeSeatMessages.
    void routeSeatMessages();
    void sockInfo(TSocketInfo info, const QString& text);
    // Closes the connection of a host that broke the rules, saying why in the chat.
    void dropConnection(const QString& reason);

    void sendloginfo(const msg::SendLoginInfo& m);
    void newplayerinfo(const msg::NewPlayerInfo& m);
    void newplayerinfo(const msg::ExistingPlayers& m);
    void playerdisconnected(const msg::PlayerDisconnected& m);
    void justwatching(const msg::JustWatching& m);
    void giving3(const msg::Giving3& m);
    void giveback(const msg::GiveBack& m);
    void cantgive(const msg::CantGive& m);
    void havewrongversion(const msg::HaveWrongVersion& m);
    void wrongversion(const msg::WrongVersion& m);
    // "Game is full": the host closes the connection right after.
    void gameFull(const msg::Full& m);
    // The key that gives this window's seat back after a break, kept for the next login.
    void seatkey(const msg::SeatKey& m);
    // The host gave this window its held seat back instead of the one the greeting offered.
    void yourseat(const msg::YourSeat& m);
    // The host closes the table on purpose; the window stays when the connection closes.
    void tableclosed(const msg::TableClosed& m);

    // Start-up and the menu items' handlers.
    bool hostpress(HostingMode mode);
    bool hostFailed(HostingMode mode, const QString& reason);
    bool offerSoloGame(const QString& why);
    void playSolo();
    bool joinpress();
    void joinFromLink(const QString& link);
    void askForPassword(int reason);
    void passwordGiven(const QString& password);
    // The host does not seat this window without the table's password; it closes the connection
    // next, and the window asks the player for the password instead of closing.
    void passwordneeded(const msg::PasswordNeeded& m);
    void seatVacated(int seat, const QString& leaving);
    void seatAnnounced(const msg::NewPlayerInfo& m, bool existing);
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void JustWatch1Click();
    void ScrollChatOff1Click(bool checked);
    void N14Click(int size);
    void SpyList1Click();
    void showQuickInstructions();
    QString hostaddress() const { return m_hostaddress; }
    TSock* Sock11() const { return m_sock11; }

    void FormCreate();
    void createConnection();
    void createClientArea();
    void createFrame(QWidget* area);
    void createMenus();
    void createOptionsMenu();
    void createViewAndHelpMenus();
    void createPopupKick();
    void attachNameLabelMenus();
    void enableHostControls();
    void setStartControlsVisible(bool visible);
    // Tells the board and the chat what they show of this window's seat.
    void updateSeatViews();
    bool openConnection();
    void openSideChannel();
    void connectionFailed(const QString& reason);
    void connectionLost(const QString& reason);
    void reconnected();
    void reconnectFailed(const QString& reason);
    void tableLeft();
    void openStartWindow(const QString& name, const QString& address);
    void closeAfterNotice(const QString& line);
    QAction* menuAction(QMenu* menu, const char* objectName, const QString& caption);

    TchatSetup m_setup;

    bool m_isconnected = false;
    QString m_myname;
    QString m_hostaddress;
    bool m_ishost = false;
    bool m_paramsProcessed = false;
    bool m_sockOpen = false;
    bool m_closing = false;
    int m_popupKickSeat = 0;
    // Coming back after a break: the host's key for the seat (empty: none given), and where the
    // window is in being seated again. While it rejoins the host's account of the table is not news.
    enum class Rejoin { No, AwaitingSeat, Seated };
    QByteArray m_seatKey;
    Rejoin m_rejoin = Rejoin::No;
    bool m_tableClosed = false;
    // A private table: the host's last refusal while the window waits for the player to type its
    // password (the password given at each login is the setup's).
    int m_passwordRefusal = -1;
    bool m_playingSolo = false;
    QPointer<QWidget> m_passwordPrompt;
    // Where the connection goes: the host and its port, as read from the address given.
    QString m_connectHost;
    quint16 m_connectPort = 0;

    TableModel* m_model = nullptr;
    HostConnection* m_connection = nullptr;
    TSock* m_sock11 = nullptr;

    QWidget* m_area = nullptr;
    ChatView* m_chatView = nullptr;
    BoardPanel* m_board = nullptr;
    QMenu* m_popupKick = nullptr;
    QAction* m_startGame1 = nullptr;
    QAction* m_copyTableLink1 = nullptr;
    QAction* m_playSounds1 = nullptr;
    QAction* m_scrollChatOff2 = nullptr;
    QAction* m_justWatch1 = nullptr;
    QAction* m_removeFromGame1 = nullptr;
    QAction* m_settoJustWatch1 = nullptr;
    QAction* m_unsetJustWatch1 = nullptr;
};

} // namespace quibo

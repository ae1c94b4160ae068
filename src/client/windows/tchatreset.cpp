// SPDX-License-Identifier: MIT
// A player window brought back to the state it was built in, for a program that plays many short
// sessions on one window (the fuzzer, which would otherwise spend its time building windows). The
// connection and the side channel are made anew, as cheap as they are to build; the window's, the
// board's, the game log's, the chat's and the tally's own state go back to what their constructors leave;
// what the widgets show is put back by WindowReset.
//
// Whoever gives one of these classes a new member that a session can change resets it here too; the
// reset test plays the same session on a fresh window and on a reset one and compares what they
// send and show.
#include "boardpanel.h"
#include "chatview.h"
#include "gamelog.h"
#include "hostconnection.h"
#include "tablemodel.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tile.h"
#include "ttallylist.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

namespace quibo {

void Tchat::resetForNextTable() {
    m_sock11->disconnectEvents();
    delete m_sock11;
    delete m_connection;
    createConnection();
    m_sock11 = new TSock(this);
    m_sock11->setObjectName(QStringLiteral("Sock11"));

    m_isconnected = false;
    m_myname.clear();
    m_hostaddress.clear();
    m_ishost = false;
    m_paramsProcessed = false;
    m_sockOpen = false;
    m_closing = false;
    m_popupKickSeat = 0;
    m_seatKey.clear();
    m_rejoin = Rejoin::No;
    m_tableClosed = false;
    m_setup.tablePassword.clear();
    m_passwordRefusal = -1;
    m_setup.rememberedName.clear();
    m_playingSolo = false;
    delete m_passwordPrompt;
    m_connectHost.clear();
    m_connectPort = 0;
    m_model->reset();
    m_board->resetForNextTable();
    m_chatView->resetForNextTable();

    // A window that was closed or lent its window to a box keeps a window of the platform's that a
    // built one has not; with it the next close would go past closeEvent.
    if (windowHandle()) destroy();
    // Work the last session left posted (a close after a notice) would reach the next one.
    QCoreApplication::removePostedEvents(this);
    for (QObject* child : findChildren<QObject*>())
        QCoreApplication::removePostedEvents(child);
}

void BoardPanel::resetForNextTable() {
    m_turntimer->stop();
    m_clockStoppedForOptions = false;
    for (auto* row : {&m_myletters, &m_hisletters}) {
        for (Tile* tile : *row)
            tile->clearPicture();
    }
    for (Tile* tile : m_extras)
        tile->clearPicture();
    m_log->resetForNextTable();
    m_gamestart->setStarterName(QString());
    m_connected = false;
    m_hosting = false;
    m_justWatching = false;
    m_refusalShown = false;
}

void GameLog::resetForNextTable() {
    // A new game's empty record, without a game running.
    gameStarted();
    m_running = false;
    m_clock.invalidate();
}

void ChatView::resetForNextTable() {
    m_mynumber = 0;
    m_connected = false;
    m_canchat = true;
    m_chatticks = 0;
    m_textcolor = colorBlack;
    m_actioncolor = colorBlack;
    m_ownName.clear();
    m_awaitedEchoes.clear();
}

void Ttallylist::resetForNextTable() {
    stringgrid_scores = TallyGrid();
    m_seats = {};
    m_listedOpponents.clear();
    m_unreadablePath.clear();
    m_filling = false;
    load();
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "windowwiring.h"

#include "boardpanel.h"
#include "chatview.h"
#include "gamesummarywindow.h"
#include "hostconnection.h"
#include "meaningtips.h"
#include "phrasebuttons.h"
#include "preferences.h"
#include "tchat.h"
#include "tspylist.h"
#include "ttallylist.h"

#include <QListWidget>

namespace quibo {

namespace {

void connectSeatMessages(HostConnection& c, Tchat& w) {
    using C = HostConnection;
    QObject::connect(&c, &C::sendlogininfoReceived, &w, &Tchat::sendloginfo);
    QObject::connect(&c, &C::newplayerinfoReceived, &w,
                     qOverload<const msg::NewPlayerInfo&>(&Tchat::newplayerinfo));
    QObject::connect(&c, &C::havewrongversionReceived, &w, &Tchat::havewrongversion);
    QObject::connect(&c, &C::wrongversionReceived, &w, &Tchat::wrongversion);
    QObject::connect(&c, &C::existingplayersReceived, &w,
                     qOverload<const msg::ExistingPlayers&>(&Tchat::newplayerinfo));
    QObject::connect(&c, &C::playerdisconnectedReceived, &w, &Tchat::playerdisconnected);
    QObject::connect(&c, &C::justwatchingReceived, &w, &Tchat::justwatching);
    QObject::connect(&c, &C::fullReceived, &w, &Tchat::gameFull);
    QObject::connect(&c, &C::giving3Received, &w, &Tchat::giving3);
    QObject::connect(&c, &C::givebackReceived, &w, &Tchat::giveback);
    QObject::connect(&c, &C::cantgiveReceived, &w, &Tchat::cantgive);
    QObject::connect(&c, &C::seatkeyReceived, &w, &Tchat::seatkey);
    QObject::connect(&c, &C::yourseatReceived, &w, &Tchat::yourseat);
    QObject::connect(&c, &C::tableclosedReceived, &w, &Tchat::tableclosed);
}

void connectGameMessages(HostConnection& c, BoardPanel& b) {
    using C = HostConnection;
    QObject::connect(&c, &C::startgameReceived, &b, &BoardPanel::startthegame);
    QObject::connect(&c, &C::nextplayerReceived, &b, &BoardPanel::getnextplayer);
    QObject::connect(&c, &C::winnerReceived, &b, &BoardPanel::winner);
    QObject::connect(&c, &C::lettersReceived, &b, &BoardPanel::letters);
    QObject::connect(&c, &C::newletterReceived, &b, &BoardPanel::newletter);
    QObject::connect(&c, &C::placemyletterReceived, &b, &BoardPanel::placemyletter);
    QObject::connect(&c, &C::discardextraReceived, &b, &BoardPanel::discardextra);
    QObject::connect(&c, &C::discardletterReceived, &b, &BoardPanel::discardletter);
    QObject::connect(&c, &C::tradingmyletterReceived, &b, &BoardPanel::tradingmyletter);
    QObject::connect(&c, &C::notvalidReceived, &b, &BoardPanel::notvalid);
    QObject::connect(&c, &C::formedwordReceived, &b, &BoardPanel::formedword);
    QObject::connect(&c, &C::stoldletterReceived, &b, &BoardPanel::stoldletter);
    QObject::connect(&c, &C::timeupReceived, &b, &BoardPanel::timeup);
    QObject::connect(&c, &C::gamestatsReceived, &b, &BoardPanel::gamestats);
    QObject::connect(&c, &C::toomanyReceived, &b, &BoardPanel::toomany);
    QObject::connect(&c, &C::earlierwordReceived, &b, &BoardPanel::earlierword);
    QObject::connect(&c, &C::turnstateReceived, &b, &BoardPanel::turnstate);
}

} // namespace

void connectHostMessages(HostConnection& connection, Tchat& window, BoardPanel& board) {
    connectSeatMessages(connection, window);
    connectGameMessages(connection, board);
}

void connectBoard(Tchat& window, BoardPanel& board) {
    QObject::connect(&board, &BoardPanel::sendRequested, &window, &Tchat::sendToHost);
    QObject::connect(&board, &BoardPanel::chatLine, &window, &Tchat::addlinetochat);
    QObject::connect(&board, &BoardPanel::soundRequested, &window, &Tchat::playsounds);
    QObject::connect(&board, &BoardPanel::wordFormed, &window, &Tchat::tallyWord);
    QObject::connect(&board, &BoardPanel::gameWon, &window, &Tchat::tallyWinner);
    QObject::connect(&board, &BoardPanel::attentionWanted, &window, &Tchat::requestAttention);
    QObject::connect(&board, &BoardPanel::justWatchingEnded, &window,
                     [&window] { window.setJustWatching(false); });
    QObject::connect(&board, &BoardPanel::giveRequested, &window, &Tchat::button_giveClick);
}

void connectChat(Tchat& window, ChatView& chat, HostConnection& connection) {
    using C = HostConnection;
    QObject::connect(&connection, &C::chatReceived, &chat,
                     qOverload<const msg::Chat&>(&ChatView::chatrecieved));
    QObject::connect(&connection, &C::actionReceived, &chat,
                     qOverload<const msg::Action&>(&ChatView::chatrecieved));
    QObject::connect(&connection, &C::chattoofastReceived, &chat, &ChatView::chattoofast);
    QObject::connect(&connection, &C::ticked, &chat, &ChatView::chatTick);
    QObject::connect(&chat, &ChatView::ticksWanted, &connection, &C::setTicksWanted);
    // Made once although a reset window wires a new connection to its chat again.
    QObject::connect(&chat, &ChatView::sendRequested, &window, &Tchat::sendToHost, Qt::UniqueConnection);
}

void connectPreferences(Tchat& window, Preferences& preferences) {
    Preferences* p = &preferences;
    QObject::connect(&preferences.phraseButtons(), &PhraseButtons::phraseChosen, window.chatView(),
                     &ChatView::sendPhrase);
    QObject::connect(&window, &Tchat::soundRequested, p, &Preferences::playsounds);
    QObject::connect(&window, &Tchat::settingsLoadRequested, p, &Preferences::loadSettings);
    QObject::connect(&window, &Tchat::settingsSaveRequested, p, &Preferences::saveSettings);
    QObject::connect(&window, &Tchat::textColorChoiceRequested, p, &Preferences::chooseTextColor);
    QObject::connect(&window, &Tchat::actionColorChoiceRequested, p, &Preferences::chooseActionColor);
    QObject::connect(&window, &Tchat::phraseEditorRequested, p, &Preferences::showPhraseEditor);
}

void assembleWindows(Tchat& window, Tspylist* spylist, Ttallylist* tally, Preferences* preferences) {
    if (preferences) connectPreferences(window, *preferences);
    if (spylist) {
        QObject::connect(&window, &Tchat::spectatorArrived, spylist, &Tspylist::addSpy);
        QObject::connect(&window, &Tchat::spectatorLeft, spylist, &Tspylist::removeSpy);
        QObject::connect(&window, &Tchat::spectatorRemovalAllowed, spylist, &Tspylist::enableRemoval);
        QObject::connect(&window, &Tchat::spyListRequested, spylist, [spylist] {
            spylist->show();
            spylist->raise();
        });
        QObject::connect(spylist, &Tspylist::spyRemoved, &window,
                         [&window](int, const QString& name) { window.spectatorGone(name); });
        QObject::connect(spylist, &Tspylist::kickRequested, &window, &Tchat::kicking);
    }
    if (!tally) return;
    // The tally offers the players at the table when its window opens and when a game is won: it
    // is told who sits where just before either.
    const auto tellSeats = [&window, tally] {
        tally->setSeats({window.seatLabelText(1), window.seatLabelText(2), window.mynumber()});
    };
    QObject::connect(&window, &Tchat::tallyRequested, tally, [tally, tellSeats] {
        tellSeats();
        tally->loadchecklist();
        tally->show();
        tally->raise();
    });
    QObject::connect(&window, &Tchat::wordFormed, tally, &Ttallylist::recordWord);
    QObject::connect(&window, &Tchat::gameWon, tally,
                     [&window, tally, tellSeats](int displaySeat, const QString& name) {
                         tellSeats();
                         tally->recordGame(displaySeat, name, window.mynumber());
                     });
}

void showMeanings(Tchat& window, MeaningTips& tips) {
    window.chatView()->setMeaningTips(&tips);
    tips.watch(window.board()->listboxMywords());
    for (QListWidget* list : window.board()->summaryWindow()->findChildren<QListWidget*>())
        tips.watch(list);
}

} // namespace quibo

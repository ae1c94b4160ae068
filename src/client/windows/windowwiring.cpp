// SPDX-License-Identifier: MIT
#include "windowwiring.h"

#include "boardpanel.h"
#include "chatview.h"
#include "gamesummarywindow.h"
#include "hostconnection.h"
#include "meaningtips.h"
#include "phrasebuttons.h"
#include "preferences.h"
#include "recordkeeping.h"
#include "replayopener.h"
#include "tablemodel.h"
#include "tableroutes.h"
#include "tchat.h"
#include "tspylist.h"
#include "ttallylist.h"

#include <QListWidget>

namespace quibo {

void connectHostMessages(HostConnection& connection, Tchat& window) {
    // The model takes each message in before any view hears of it; the board follows the model.
    routeToModel(connection, *window.model());
    // After the model, so that the records see each message taken in.
    if (auto* keeping = window.findChild<RecordKeeping*>(QString(), Qt::FindDirectChildrenOnly))
        keeping->follow(connection, *window.model());
}

void keepGameRecords(Tchat& window, RecordKeeping& keeping, ReplayOpener* analyst) {
    keeping.setParent(&window);
    if (window.connection()) keeping.follow(*window.connection(), *window.model());
    if (!analyst) return;
    QObject::connect(&keeping, &RecordKeeping::gameRecorded, &window,
                     [&window, analyst](const GameRecord& record, const QString&) {
                         analyst->analyseForSummary(record, *window.board()->summaryWindow());
                     });
}

void connectBoard(Tchat& window, BoardPanel& board) {
    QObject::connect(&board, &BoardPanel::sendRequested, &window, &Tchat::sendToHost);
    QObject::connect(&board, &BoardPanel::chatLine, &window, &Tchat::addlinetochat);
    QObject::connect(&board, &BoardPanel::soundRequested, &window, &Tchat::playsounds);
    QObject::connect(&board, &BoardPanel::wordFormed, &window, &Tchat::wordFormed);
    QObject::connect(&board, &BoardPanel::gameWon, &window, &Tchat::gameWon);
    QObject::connect(&board, &BoardPanel::attentionWanted, &window, &Tchat::requestAttention);
    QObject::connect(&board, &BoardPanel::justWatchingEnded, &window,
                     [&window] { window.setJustWatching(false); });
    QObject::connect(&board, &BoardPanel::giveRequested, &window, &Tchat::button_giveClick);
}

void connectChat(Tchat& window, ChatView& chat, HostConnection& connection) {
    using C = HostConnection;
    connection.on<msg::Chat>(&chat, [&chat](const msg::Chat& m) { chat.chatrecieved(m); });
    connection.on<msg::Action>(&chat, [&chat](const msg::Action& m) { chat.chatrecieved(m); });
    connection.on(&chat, &ChatView::chattoofast);
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
        const TableModel& table = *window.model();
        tally->setSeats({table.seatName(1), table.seatName(2), window.mynumber()});
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
    // The words the player missed are listed with their meanings.
    window.board()->summaryWindow()->setMeaningTips(&tips);
}

} // namespace quibo

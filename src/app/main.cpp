// SPDX-License-Identifier: MIT
// The desktop program: one copy per desktop, all windows created at start in a fixed order, the
// player window deciding from the command line whether this copy hosts, joins or plays solo.
//
// Two environment variables exist for tests that run the real program beside a real game:
// QUIBO_GAME_PORT replaces the game port 7772 (for the host and the player window alike), and
// QUIBO_INSTANCE_NAME replaces the name under which one copy per desktop is kept.
#include "errorreport.h"
#include "preferences.h"
#include "signalwatcher.h"
#include "singleinstance.h"
#include "tabout.h"
#include "tchat.h"
#include "tdownload.h"
#include "thelp.h"
#include "tspylist.h"
#include "ttallylist.h"

#include <QApplication>
#include <QMessageBox>

namespace {

quint16 gamePortFromEnvironment() {
    bool ok = false;
    const uint port = qEnvironmentVariable("QUIBO_GAME_PORT").toUInt(&ok);
    return ok && port > 0 && port <= 0xFFFF ? quint16(port) : quibo::defaultGamePort;
}

QString instanceNameFromEnvironment() {
    const QString name = qEnvironmentVariable("QUIBO_INSTANCE_NAME");
    return name.isEmpty() ? quibo::SingleInstance::defaultInstanceName() : name;
}

void attachTally(quibo::Tchat& chat, quibo::Ttallylist& tally) {
    tally.setSeatProvider([&chat] {
        return quibo::Ttallylist::Seats{chat.seatLabelText(1), chat.seatLabelText(2), chat.mynumber()};
    });
    quibo::TchatHooks& hooks = chat.hooks();
    hooks.showTally = [&tally] {
        tally.loadchecklist();
        tally.show();
        tally.raise();
    };
    hooks.tallyWord = [&tally](const QString& word, int points) { tally.recordWord(word, points); };
    hooks.tallyWinner = [&chat, &tally](int displaySeat, const QString& winnerName) {
        tally.recordGame(displaySeat, winnerName, chat.mynumber());
    };
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quibo"));
    // The player window alone decides when the program ends, whatever other windows are open.
    app.setQuitOnLastWindowClosed(false);

    // SIGINT and SIGTERM end the program the way File > Exit does; watched from the start, so that
    // a signal during start-up waits in the watcher's pipe until the event loop runs.
    quibo::SignalWatcher signals;

    quibo::SingleInstance instance(instanceNameFromEnvironment());
    if (instance.anotherCopyRuns()) return 0;

    // The windows, in their fixed order; the player window is the main window.
    quibo::Tchat chat;
    quibo::Tabout about(&chat);
    // Tgamestart: created by the player window's board panel.
    quibo::Thelp help(&chat);
    // Settings, phrase buttons, sounds and the phrase editor Tphrases; after the board, so that the
    // buttons sit on it.
    quibo::Preferences preferences(chat, quibo::SettingsFile::forThisProgram());
    // TServer: created here; every copy has one, only a hosting copy makes it listen.
    quibo::Tspylist spylist(&chat);
    quibo::Ttallylist tally(QString(), &chat);
    quibo::Tdownload download(&chat);

    quibo::setErrorReporter(
        [&chat](const QString& text) { QMessageBox::critical(&chat, QStringLiteral("Quibo"), text); });
    chat.setNoticeBox(
        [&chat](const QString& text) { QMessageBox::information(&chat, QStringLiteral("Quibo"), text); });
    chat.setGamePort(gamePortFromEnvironment());
    chat.setAboutWindow(&about);
    chat.setHelpWindow(&help);
    chat.setDownloadWindow(&download);
    chat.setSpyList(&spylist);
    chat.setParameters(app.arguments().mid(1));
    attachTally(chat, tally);

    QObject::connect(&instance, &quibo::SingleInstance::activationRequested, &chat,
                     [&chat] { quibo::SingleInstance::bringForward(&chat); });
    QObject::connect(&chat, &quibo::Tchat::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(&signals, &quibo::SignalWatcher::signalReceived, &chat, &quibo::Tchat::close);

    chat.show();
    return app.exec();
}

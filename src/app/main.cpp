// SPDX-License-Identifier: MIT
// The desktop program: one copy per desktop, all windows created at start in a fixed order, the
// player window deciding from the command line whether this copy hosts, joins or plays solo.
//
// Two environment variables exist for tests that run the real program beside a real game:
// QUIBO_GAME_PORT replaces the game port 7772, QUIBO_INSTANCE_NAME the single-instance name.
#include "errorreport.h"
#include "preferences.h"
#include "singleinstance.h"
#include "tchat.h"
#include "tspylist.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quibo"));
    app.setQuitOnLastWindowClosed(false);

    quibo::SingleInstance instance(instanceNameFromEnvironment());
    if (instance.anotherCopyRuns()) return 0;

    // Windows in their fixed order, the player window first.
    quibo::Tchat chat;
    quibo::setErrorReporter(
        [&chat](const QString& text) { QMessageBox::critical(&chat, QStringLiteral("Quibo"), text); });
    chat.setNoticeBox(
        [&chat](const QString& text) { QMessageBox::information(&chat, QStringLiteral("Quibo"), text); });
    // Tabout, Tgamestart, Thelp, Tphrases: created here once their windows exist.
    // TServer: created here; every copy has one, only a hosting copy makes it listen.
    quibo::Tspylist spylist;
    // Ttallylist, Tdownload: created here once their windows exist.

    // Settings, phrase buttons and sounds; created after the board so the buttons sit on it.
    quibo::Preferences preferences(chat, quibo::SettingsFile::forThisProgram());

    chat.setGamePort(gamePortFromEnvironment());
    chat.setSpyList(&spylist);
    chat.setParameters(app.arguments().mid(1));
    QObject::connect(&instance, &quibo::SingleInstance::activationRequested, &chat,
                     [&chat] { quibo::SingleInstance::bringForward(&chat); });
    QObject::connect(&chat, &quibo::Tchat::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    chat.show();
    return app.exec();
}

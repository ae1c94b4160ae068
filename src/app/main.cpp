// SPDX-License-Identifier: MIT
// The desktop program: one copy per desktop, all windows created at start in a fixed order, the
// player window deciding from the command line whether this copy hosts, joins or plays solo.
//
// Two environment variables exist for tests that run the real program beside a real game:
// QUIBO_GAME_PORT replaces the game port 7772 (for the host and the player window alike), and
// QUIBO_INSTANCE_NAME replaces the name under which one copy per desktop is kept.
#include "errorreport.h"
#include "meaningtips.h"
#include "orderlyexit.h"
#include "plaintext.h"
#include "preferences.h"
#include "settingsfile.h"
#include "signalwatcher.h"
#include "singleinstance.h"
#include "tabout.h"
#include "tchat.h"
#include "tdownload.h"
#include "thelp.h"
#include "translations.h"
#include "tserver.h"
#include "tspylist.h"
#include "ttallylist.h"
#include "windowplacement.h"
#include "windowwiring.h"
#include "wordlists.h"
#include "wordmeanings.h"

#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QProcess>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

Q_LOGGING_CATEGORY(lcApp, "quibo.app")

constexpr const char* helpText =
    "Usage: quibo [NAME [HOST [true|false [t]]]]\n"
    "\n"
    "Quibo, a word game for two players, with spectators, chat and a computer opponent.\n"
    "\n"
    "Without arguments it starts a solo game against the computer and offers to host or join a\n"
    "table. NAME and HOST join the table at HOST; the Kivo22 Lobby passes:\n"
    "  NAME    the player's name\n"
    "  HOST    the address of the table to join\n"
    "  true    host the table on this computer (port 7772) instead of joining HOST\n"
    "  false   join the table at HOST (the same as leaving it out)\n"
    "  t       show \"Give turn to Player 3\"\n"
    "\n"
    "Options:\n"
    "  -h, --help     Displays help on commandline options.\n"
    "  -v, --version  Displays version information.\n"
    "  --define WORD  Prints the meanings of WORD from the WordNet database (package wordnet-base).\n";

// quibo --define WORD: every sense the WordNet database holds, one a line; exit 1 when it holds none.
int printMeanings(const char* word) {
    quibo::WordMeanings meanings;
    if (!meanings.isInstalled()) {
        std::fputs("No dictionary of meanings is installed (Debian package wordnet-base).\n", stderr);
        return 1;
    }
    const QList<quibo::WordSense> senses = meanings.senses(word, 0);
    if (senses.isEmpty()) {
        std::fprintf(stderr, "No meaning found for \"%s\".\n", word);
        return 1;
    }
    for (const quibo::WordSense& sense : senses)
        std::printf("%s\n", quibo::senseLine(sense, word).toUtf8().constData());
    return 0;
}

// --help and --version, alone on the command line (the lobby's first argument is a name), and
// --define with its word, answer on standard output before anything else runs: no window, no single-instance
// check, no network and no files.
std::optional<int> answerInformationRequest(int argc, char* argv[]) {
    if (argc == 3 && std::string_view(argv[1]) == "--define") return printMeanings(argv[2]);
    if (argc != 2) return std::nullopt;
    const std::string_view argument = argv[1];
    if (argument == "--help" || argument == "-h")
        std::fputs(helpText, stdout);
    else if (argument == "--version" || argument == "-v")
        std::printf("quibo %s\n", quibo::programVersion);
    else
        return std::nullopt;
    return 0;
}

// The positional parameters of the command line (the lobby's), in the system's encoding.
QStringList programParameters(int argc, char* argv[]) {
    QStringList parameters;
    for (int i = 1; i < argc; ++i)
        parameters << QString::fromLocal8Bit(argv[i]);
    return parameters;
}

// A name or an address that begins with "-" is an option, not a name: refused with a hint on
// standard error and status 2, before any window or file is touched. The start window refuses
// the same when it is typed or read from the settings file.
std::optional<int> refuseOptionLikeParameters(const QStringList& parameters) {
    const char* what[] = {"player name", "host address"};
    for (int i = 0; i < 2 && i < parameters.size(); ++i) {
        if (!parameters.at(i).startsWith(u'-')) continue;
        std::fprintf(
            stderr,
            "quibo: the %s \"%s\" begins with \"-\"; names and addresses may not, so that they are "
            "never read as options.\nUsage: quibo [NAME [HOST [true|false [t]]]] (see quibo --help)\n",
            what[i], parameters.at(i).toLocal8Bit().constData());
        return 2;
    }
    return std::nullopt;
}

quint16 gamePortFromEnvironment() {
    bool ok = false;
    const uint port = qEnvironmentVariable("QUIBO_GAME_PORT").toUInt(&ok);
    return ok && port > 0 && port <= 0xFFFF ? quint16(port) : quibo::defaultGamePort;
}

QString instanceNameFromEnvironment() {
    const QString name = qEnvironmentVariable("QUIBO_INSTANCE_NAME");
    return name.isEmpty() ? quibo::SingleInstance::defaultInstanceName() : name;
}

quibo::HostConfig hostConfig(quint16 port) {
    quibo::HostConfig config;
    config.port = port;
    config.workingDirectory = QDir::currentPath();
    config.computerWords = quibo::loadCandidateWords();
    // The table's word list, as the settings file names it: "large", or the standard list.
    const QString list =
        quibo::SettingsFile::forThisProgram().read(QStringLiteral("Dictionary"), QStringLiteral("standard"));
    if (const std::optional<QString> resource = quibo::wordFileResourceFor(list))
        config.dictionaryResource = *resource;
    // Only a copy that hosts tells its player about a missing dictionary (startHosting).
    config.reportMissingDictionary = false;
    return config;
}

// The player window's host starter: listening failures go back to it as ESockException.
quint16 startHosting(quibo::TServer& server, quibo::Tchat& chat, quibo::Tchat::HostingMode mode) {
    if (!server.spell()->isOpen())
        QMessageBox::warning(&chat, QStringLiteral("Quibo"),
                             QString::fromLatin1(quibo::TDictn::notFoundMessage));
    server.setListen(true, mode == quibo::Tchat::HostingMode::Solo ? quibo::TServer::Reach::Private
                                                                   : quibo::TServer::Reach::Open);
    return server.listeningPort();
}

// Runs the program until its player window closes. When the player chose to host or join from the
// start window, relaunch receives the command line for the copy that takes over.
int run(QApplication& app, const QStringList& parameters, QStringList& relaunch) {
    // SIGINT and SIGTERM end the program the way File > Exit does, at any moment: watched from the
    // start, and heard by any event loop, also that of a box shown during start-up.
    quibo::SignalWatcher signals;
    quibo::OrderlyExit orderlyExit;
    QObject::connect(&signals, &quibo::SignalWatcher::signalReceived, &orderlyExit,
                     &quibo::OrderlyExit::request);

    quibo::SingleInstance instance(instanceNameFromEnvironment());
    if (instance.anotherCopyRuns()) return 0;

    const quint16 gamePort = gamePortFromEnvironment();

    // The windows, in their fixed order; the player window is the main window.
    quibo::Tchat chat;
    orderlyExit.setMainWindow(&chat);
    // Failures that end a handler's work are shown in the standard error box from now on.
    quibo::setErrorReporter([&chat](const QString& text) {
        quibo::showPlainMessageBox(&chat, QMessageBox::Critical, QStringLiteral("Quibo"), text);
    });
    quibo::Tabout about(&chat);
    // Tgamestart: created by the player window's board panel.
    quibo::Thelp help(&chat);
    // Settings, phrase buttons, sounds and the phrase editor Tphrases; after the board, so that the
    // buttons sit on it.
    quibo::Preferences preferences(chat, quibo::SettingsFile::forThisProgram());
    // Every copy has a host; only a hosting copy makes it listen.
    quibo::TServer server(hostConfig(gamePort));
    quibo::Tspylist spylist(&chat);
    quibo::Ttallylist tally(QString(), &chat);
    quibo::Tdownload download(&chat);
    // The meanings of words, read from the WordNet database at the first question, not before.
    quibo::WordMeanings meanings;
    quibo::MeaningTips meaningTips(&meanings);
    download.setSettings(quibo::SettingsFile::forThisProgram());
    download.setPort(gamePort);

    QObject::connect(&chat, &quibo::Tchat::noticeRequested, &chat, [&chat](const QString& text) {
        quibo::showPlainMessageBox(&chat, QMessageBox::Information, QStringLiteral("Quibo"), text);
    });
    chat.setGamePort(gamePort);
    chat.setHostStarter(
        [&server, &chat](quibo::Tchat::HostingMode mode) { return startHosting(server, chat, mode); });
    chat.setAboutWindow(&about);
    chat.setHelpWindow(&help);
    chat.setDownloadWindow(&download);
    chat.setParameters(parameters);
    quibo::assembleWindows(chat, &spylist, &tally, &preferences);
    quibo::showMeanings(chat, meaningTips);
    QObject::connect(&chat, &quibo::Tchat::startWindowRequested, &download, &quibo::Tdownload::offer);
    // Hosting or joining starts this program anew in that mode, as the lobby would; this copy ends
    // first, the usual way, so settings and statistics are saved and the game port and the
    // one-copy-per-desktop check are free before the new copy starts.
    QObject::connect(&download, &quibo::Tdownload::startRequested, &chat,
                     [&chat, &relaunch](const QStringList& line) {
                         relaunch = line;
                         chat.close();
                     });

    QObject::connect(&instance, &quibo::SingleInstance::activationRequested, &chat,
                     [&chat] { quibo::SingleInstance::bringForward(&chat); });
    QObject::connect(&chat, &quibo::Tchat::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    // The window opens where and as large as it last closed.
    quibo::WindowPlacement placement(chat, quibo::SettingsFile::forThisProgram());
    placement.restore();

    // A request that came during start-up ends the program here, with everything saved on the way
    // out as at any other exit.
    if (!orderlyExit.requested()) chat.show();
    if (orderlyExit.requested()) return 0;
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = answerInformationRequest(argc, argv)) return *status;
    const QStringList parameters = programParameters(argc, argv);
    if (const std::optional<int> status = refuseOptionLikeParameters(parameters)) return *status;
    // The toolkit reads options of its own from the command line (-platform, -display,
    // -stylesheet, -platformpluginpath...), which would make a player name or a host address a
    // way to load code or end the program. The command line is the program's alone: the toolkit
    // sees only the program's path.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    app.setApplicationName(QStringLiteral("Quibo"));
    quibo::installTranslations(app);
    // The player window alone decides when the program ends, whatever other windows are open.
    app.setQuitOnLastWindowClosed(false);

    QStringList relaunch;
    const int status = run(app, parameters, relaunch);
    // Every window, the host and the single-instance check are gone by now.
    if (!relaunch.isEmpty() && !QProcess::startDetached(QCoreApplication::applicationFilePath(), relaunch))
        qCWarning(lcApp) << "could not start again with" << relaunch;
    return status;
}

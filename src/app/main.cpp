// SPDX-License-Identifier: MIT
// The desktop program: one copy per desktop, all windows created at start in a fixed order, the
// player window deciding from the command line whether this copy hosts, joins or plays solo.
//
// Five environment variables exist beside the command line. For tests that run the real program
// beside a real game: QUIBO_GAME_PORT replaces the game port 7772 (for the host and the player window
// alike), QUIBO_INSTANCE_NAME replaces the name under which one copy per desktop is kept, and
// QUIBO_PORT_MAPPING=off keeps a hosting copy from asking the router to forward the port.
// QUIBO_STARTUP_MARKS is for the start-up benchmark: the program says on standard output when its
// window is on screen and when it is seated. QUIBO_TABLE_PASSWORD carries a private table's password
// from the start window to the hosting copy it starts, since other users of the machine can read a
// command line but not the environment; the program takes it out of its environment at once.
#include "boardpanel.h"
#include "errorreport.h"
#include "gamesummarywindow.h"
#include "meaningtips.h"
#include "orderlyexit.h"
#include "plaintext.h"
#include "portmapper.h"
#include "preferences.h"
#include "recordfile.h"
#include "recordkeeping.h"
#include "recordshelf.h"
#include "recordswindow.h"
#include "replayopener.h"
#include "replaywindow.h"
#include "settingsfile.h"
#include "signalwatcher.h"
#include "singleinstance.h"
#include "startupmarks.h"
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
#include <memory>
#include <optional>
#include <string_view>

namespace {

Q_LOGGING_CATEGORY(lcApp, "quibo.app")

constexpr const char tablePasswordVariable[] = "QUIBO_TABLE_PASSWORD";

constexpr const char* usageText = "Usage: quibo [--verbose] [NAME [HOST [true|false [t]]]]\n"
                                  "       quibo [--verbose] quibo://HOST:PORT\n"
                                  "       quibo --help | --version | --define WORD\n"
                                  "       quibo --replay FILE\n";

// %1 is the game port.
constexpr const char* helpText =
    "Quibo, a word game for two players, with spectators, chat and a computer opponent.\n"
    "\n"
    "Without arguments it starts a solo game against the computer; its start window offers to host\n"
    "a table or to join one. With arguments:\n"
    "  NAME    your player name\n"
    "  HOST    the address of the table to join: a name or an address, with a port if the\n"
    "          table is not on port %1: gamebox, gamebox:7800, 192.0.2.7:7800,\n"
    "          [2001:db8::1]:7800 or ::1 (an IPv6 address without brackets has no port)\n"
    "  true    host a table on this computer, on port %1, instead of joining HOST\n"
    "  false   join the table at HOST (the same as leaving it out)\n"
    "  t       show \"Give turn to Player 3\"\n"
    "\n"
    "A table link (File > Copy Table Link) as the only argument joins that table under the name\n"
    "last used, or asks for a name. A private table asks for its password when joining.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Displays help on commandline options.\n"
    "  -v, --version  Displays version information.\n"
    "  --define WORD  Prints the meanings of WORD from the WordNet database (package wordnet-base).\n"
    "  --replay FILE  Replays the game record FILE (the menu View > Game Records lists them);\n"
    "                 a record that cannot be read is refused with a message and status 1.\n"
    "  --verbose      Writes every log line on standard error, not only the warnings\n"
    "                 (QT_LOGGING_RULES chooses lines as well).\n";

// The command line: the lobby's positional parameters, and the program's own options, which may
// stand anywhere among them.
struct CommandLine {
    enum class Answer { None, Help, Version, Define };
    Answer answer = Answer::None; // the first of --help, --version and --define given
    QString word;                 // of --define
    QString replayFile;           // of --replay: a record to replay instead of playing
    bool verbose = false;
    QStringList parameters; // NAME HOST true t, in the system's encoding
};

// A mistaken command line is refused on standard error with the usage, status 2, before any
// window or file is touched.
int refuseCommandLine(const QString& reason) {
    std::fprintf(stderr, "quibo: %s\n%s(see quibo --help)\n", reason.toLocal8Bit().constData(), usageText);
    return 2;
}

// Reads the command line; answers the exit status when it is refused. Every argument that begins
// with "-" is an option: an unknown one is refused, so a name or an address never begins with "-"
// (the start window refuses the same when it is typed or read from the settings file).
std::optional<int> readCommandLine(int argc, char* argv[], CommandLine& line) {
    const auto answer = [&line](CommandLine::Answer asked) {
        if (line.answer == CommandLine::Answer::None) line.answer = asked;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            answer(CommandLine::Answer::Help);
        } else if (argument == "--version" || argument == "-v") {
            answer(CommandLine::Answer::Version);
        } else if (argument == "--verbose") {
            line.verbose = true;
        } else if (argument == "--define") {
            if (i + 1 >= argc || *argv[i + 1] == '\0')
                return refuseCommandLine(QStringLiteral("--define needs a word"));
            if (line.answer == CommandLine::Answer::None) line.word = QString::fromLocal8Bit(argv[i + 1]);
            answer(CommandLine::Answer::Define);
            ++i;
        } else if (argument == "--replay") {
            if (i + 1 >= argc || *argv[i + 1] == '\0')
                return refuseCommandLine(QStringLiteral("--replay needs a file"));
            line.replayFile = QString::fromLocal8Bit(argv[++i]);
        } else if (argument.starts_with('-')) {
            return refuseCommandLine(
                QStringLiteral("unknown option \"%1\" (a name or an address never begins with \"-\")")
                    .arg(QString::fromLocal8Bit(argv[i])));
        } else {
            line.parameters << QString::fromLocal8Bit(argv[i]);
        }
    }
    return std::nullopt;
}

// quibo --define WORD: every sense the WordNet database holds, one a line; exit 1 when it holds none.
// The word is folded as the word lists fold theirs (café -> cafe).
int printMeanings(const QString& word) {
    quibo::WordMeanings meanings;
    if (!meanings.isInstalled()) {
        std::fputs("No dictionary of meanings is installed (Debian package wordnet-base).\n", stderr);
        return 1;
    }
    const QByteArray folded = quibo::foldedText(word).toUtf8();
    const QList<quibo::WordSense> senses = meanings.senses(folded, 0);
    if (senses.isEmpty()) {
        std::fprintf(stderr, "No meaning found for \"%s\".\n", word.toLocal8Bit().constData());
        return 1;
    }
    for (const quibo::WordSense& sense : senses)
        std::printf("%s\n", quibo::senseLine(sense, folded).toUtf8().constData());
    return 0;
}

// --help, --version and --define answer on standard output before anything else runs: no window,
// no single-instance check, no network and no files.
std::optional<int> answerInformationRequest(const CommandLine& line) {
    switch (line.answer) {
    case CommandLine::Answer::None:
        return std::nullopt;
    case CommandLine::Answer::Help:
        std::fputs(usageText, stdout);
        std::fputs("\n", stdout);
        std::fputs(QString::fromLatin1(helpText).arg(quibo::defaultGamePort).toLocal8Bit().constData(),
                   stdout);
        return 0;
    case CommandLine::Answer::Version:
        std::printf("quibo %s\n", quibo::programVersion);
        return 0;
    case CommandLine::Answer::Define:
        return printMeanings(line.word);
    }
    return std::nullopt;
}

// By default a window writes only warnings on standard error, and when it hosts a table for others
// the host's lines about connections and games, which its operator needs. --verbose, or rules of
// the user's own in QT_LOGGING_RULES, leave every line to the toolkit's rules.
QString defaultLogRules(bool hostsForOthers) {
    QString rules = QStringLiteral("*.debug=false\n*.info=false");
    if (hostsForOthers) rules += QStringLiteral("\nquibo.host.info=true\nquibo.game.info=true");
    return rules;
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

// The password the start window handed to this hosting copy, taken out of the environment so that
// nothing this program starts inherits it.
QString takeTablePassword() {
    const QString password = qEnvironmentVariable(tablePasswordVariable);
    qunsetenv(tablePasswordVariable);
    return password;
}

quibo::HostConfig hostConfig(quint16 port, const QString& password) {
    quibo::HostConfig config;
    config.port = port;
    config.password = password;
    config.workingDirectory = QDir::currentPath();
    config.computerWords = quibo::loadCandidateWords();
    // A table for others is listed on the local network; a solo game never is (it is private).
    config.announce = true;
    // The table's word list, as the settings file names it: "large", or the standard list.
    const QString list =
        quibo::SettingsFile::forThisProgram().read(QStringLiteral("Dictionary"), QStringLiteral("standard"));
    if (const std::optional<QString> resource = quibo::wordFileResourceFor(list))
        config.dictionaryResource = *resource;
    // Only a copy that hosts tells its player about a missing dictionary (startHosting).
    config.reportMissingDictionary = false;
    // Writing and reading the word file is the longest step of the start; the window does not wait.
    config.openDictionaryInBackground = true;
    return config;
}

// The player window's host starter: listening failures go back to it as ESockException.
quint16 startHosting(quibo::TServer& server, quibo::Tchat& chat, quibo::HostingMode mode,
                     bool chooseLogLines) {
    if (chooseLogLines && mode != quibo::HostingMode::Solo)
        QLoggingCategory::setFilterRules(defaultLogRules(true));
    const auto warnIfMissing = [&chat](bool open) {
        if (!open)
            QMessageBox::warning(&chat, QStringLiteral("Quibo"),
                                 QString::fromLatin1(quibo::TDictn::notFoundMessage));
    };
    // Still opening: the warning, if any, comes when it is done, and the window shows meanwhile.
    if (server.dictionaryOpening())
        QObject::connect(&server, &quibo::TServer::dictionaryOpened, &chat, warnIfMissing,
                         Qt::SingleShotConnection);
    else
        warnIfMissing(server.spell()->isOpen());
    server.setListen(true, mode == quibo::HostingMode::Solo ? quibo::TServer::Reach::Private
                                                            : quibo::TServer::Reach::Open);
    return server.listeningPort();
}

// Runs the program until its player window closes. When the player chose to host or join from the
// start window, relaunch receives the command line for the copy that takes over.
int run(QApplication& app, const QStringList& parameters, bool chooseLogLines, QStringList& relaunch,
        QString& relaunchPassword) {
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
    // The About box is made when it is first asked for: nothing of it is needed for the first frame.
    std::unique_ptr<quibo::Tabout> about;
    QObject::connect(&chat, &quibo::Tchat::aboutRequested, &chat, [&about, &chat] {
        if (!about) about = std::make_unique<quibo::Tabout>(&chat);
        about->show();
        about->raise();
    });
    // Tgamestart: created by the player window's board panel.
    quibo::Thelp help(&chat);
    // Settings, phrase buttons, sounds and the phrase editor Tphrases; after the board, so that the
    // buttons sit on it.
    quibo::Preferences preferences(chat, quibo::SettingsFile::forThisProgram());
    // Every copy has a host; only a hosting copy makes it listen.
    const QString tablePassword = takeTablePassword();
    quibo::TServer server(hostConfig(gamePort, tablePassword));
    // A table for others asks the router to forward its port and says in the chat what came of it.
    quibo::PortMapper portMapper;
    QObject::connect(&portMapper, &quibo::PortMapper::finished, &chat,
                     [&chat](const quibo::PortMapping& mapping) {
                         chat.addlinetochat(quibo::portMappingReport(mapping), quibo::colorStatus);
                     });
    quibo::Tspylist spylist(&chat);
    quibo::Ttallylist tally(QString(), &chat);
    // The kept games: View > "Game Records…" lists them and opens their replays.
    quibo::ReplayOpener replays;
    quibo::RecordsWindow records(replays, &chat);
    QObject::connect(&chat, &quibo::Tchat::recordsRequested, &records, &quibo::RecordsWindow::showList);
    quibo::Tdownload download(&chat);
    // The meanings of words, read from the WordNet database at the first question, not before.
    quibo::WordMeanings meanings;
    quibo::MeaningTips meaningTips(&meanings);
    download.setSettings(quibo::SettingsFile::forThisProgram());
    download.setPort(gamePort);
    chat.setup().tablePassword = tablePassword;
    chat.setup().rememberedName = download.rememberedName();

    QObject::connect(&chat, &quibo::Tchat::noticeRequested, &chat, [&chat](const QString& text) {
        quibo::showPlainMessageBox(&chat, QMessageBox::Information, QStringLiteral("Quibo"), text);
    });
    chat.setup().gamePort = gamePort;
    chat.setup().hostStarter = [&server, &chat, &portMapper, chooseLogLines](quibo::HostingMode mode) {
        const quint16 port = startHosting(server, chat, mode, chooseLogLines);
        if (mode == quibo::HostingMode::Table && qEnvironmentVariable("QUIBO_PORT_MAPPING") != u"off")
            portMapper.start(port);
        return port;
    };
    chat.setup().help = &help;
    chat.setup().download = &download;
    chat.setup().parameters = parameters;
    quibo::assembleWindows(chat, &spylist, &tally, &preferences);
    const quibo::SettingsFile settingsFile = quibo::SettingsFile::forThisProgram();
    auto* keeping = new quibo::RecordKeeping(quibo::RecordShelf::defaultFolder(),
                                             quibo::RecordKeeping::limitSetting(settingsFile), &chat);
    keeping->setWordList(settingsFile.read(QStringLiteral("Dictionary"), QStringLiteral("standard")));
    quibo::keepGameRecords(chat, *keeping, &replays);
    QObject::connect(keeping, &quibo::RecordKeeping::writeFailed, &chat,
                     [&chat](const QString& reason) { chat.addlinetochat(reason, quibo::colorStatus); });
    quibo::showMeanings(chat, meaningTips);
    QObject::connect(&chat, &quibo::Tchat::startWindowRequested, &download, &quibo::Tdownload::offer);
    QObject::connect(&download, &quibo::Tdownload::soloNameChosen, &chat, &quibo::Tchat::soloNameChosen);
    // Hosting or joining starts this program anew in that mode, as the lobby would; this copy ends
    // first, the usual way, so settings and statistics are saved and the game port and the
    // one-copy-per-desktop check are free before the new copy starts.
    QObject::connect(&download, &quibo::Tdownload::startRequested, &chat,
                     [&chat, &download, &relaunch, &relaunchPassword](const QStringList& line) {
                         relaunch = line;
                         // Only a copy that hosts has a password of its own.
                         if (line.size() > 2 && line.at(2) == QLatin1String("true"))
                             relaunchPassword = download.hostPassword();
                         chat.close();
                     });

    QObject::connect(&instance, &quibo::SingleInstance::activationRequested, &chat,
                     [&chat] { quibo::SingleInstance::bringForward(&chat); });
    QObject::connect(&chat, &quibo::Tchat::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    if (qEnvironmentVariableIsSet("QUIBO_STARTUP_MARKS")) new quibo::StartupMarks(chat);
    // The window opens where and as large as it last closed.
    quibo::WindowPlacement placement(chat, quibo::SettingsFile::forThisProgram());
    placement.restore();

    // A request that came during start-up ends the program here, with everything saved on the way
    // out as at any other exit.
    if (!orderlyExit.requested()) chat.show();
    if (orderlyExit.requested()) return 0;
    return app.exec();
}

// quibo --replay FILE: the record in a replay window and nothing else: no one-copy check, no host,
// no network and no files written. The record was read and accepted before the toolkit started.
int replayRecord(QApplication& app, const quibo::GameRecord& record, const QString& path) {
    quibo::ReplayOpener replays;
    quibo::ReplayWindow* window = replays.show(record, path, nullptr);
    QObject::connect(window, &QObject::destroyed, &app, &QApplication::quit);
    return app.exec();
}

// Starts the program anew with a command line; a private table's password goes in the new copy's
// environment.
bool startAgain(const QStringList& commandLine, const QString& password) {
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(commandLine);
    if (!password.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(tablePasswordVariable), password);
        process.setProcessEnvironment(environment);
    }
    return process.startDetached();
}

} // namespace

int main(int argc, char* argv[]) {
    CommandLine line;
    if (const std::optional<int> status = readCommandLine(argc, argv, line)) return *status;
    if (const std::optional<int> status = answerInformationRequest(line)) return *status;
    // A record that cannot be replayed is refused before any window opens.
    std::optional<quibo::GameRecord> replay;
    if (!line.replayFile.isEmpty()) {
        quibo::RecordReading reading = quibo::RecordFile::read(line.replayFile);
        if (!reading.record) {
            std::fprintf(stderr, "quibo: %s: %s\n", line.replayFile.toLocal8Bit().constData(),
                         reading.refusal.toLocal8Bit().constData());
            return 1;
        }
        replay = std::move(reading.record);
    }
    const bool chooseLogLines = !line.verbose && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES");
    if (chooseLogLines) QLoggingCategory::setFilterRules(defaultLogRules(false));
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
    if (replay) return replayRecord(app, *replay, line.replayFile);

    QStringList relaunch;
    QString relaunchPassword;
    const int status = run(app, line.parameters, chooseLogLines, relaunch, relaunchPassword);
    // The copy that takes over writes the same log lines as this one.
    if (!relaunch.isEmpty() && line.verbose) relaunch << QStringLiteral("--verbose");
    // Every window, the host and the single-instance check are gone by now.
    if (!relaunch.isEmpty() && !startAgain(relaunch, relaunchPassword))
        qCWarning(lcApp) << "could not start again with" << relaunch;
    return status;
}

// SPDX-License-Identifier: MIT
// quibo-host: the game host without a window or a player of its own.
//
//   quibo-host [--port N] [--seed N] [--login-timeout SECONDS] [--hold SECONDS] [--computer LEVEL]
//              [--thinking MILLISECONDS] [--dictionary standard|large | --words FILE]
//              [--password TEXT | --password-file FILE] [--map-port] [--no-announce] [--verbose]
//
// Listens on every address on port N (7772 unless told otherwise; 0 picks a free port) and prints
// "Quibo host listening on port <N>" once it does. The table is announced on the local network
// (DNS-SD, "_quibo._tcp") where an mDNS responder runs, unless --no-announce keeps it unlisted.
// Connections, departures and games are logged on standard error; a log reader that goes away costs
// the log, not the host. SIGINT, SIGTERM and SIGHUP close every connection and end the program with
// status 0. --map-port asks the router to forward the port (NAT-PMP, UPnP IGD), says on standard
// error where others on the internet join or why they cannot, and removes the forwarding at exit.
#include "boundedfile.h"
#include "errorreport.h"
#include "portmapper.h"
#include "signalwatcher.h"
#include "tserver.h"
#include "wordlists.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <csignal>
#include <cstdio>

namespace {

// Reads an unsigned number option; answers false (with a message) when it is not one.
bool readNumber(const QCommandLineParser& parser, const QString& option, quint32 limit, quint32& value) {
    if (!parser.isSet(option)) return true;
    bool ok = false;
    const qulonglong number = parser.value(option).toULongLong(&ok);
    if (!ok || number > limit) {
        std::fprintf(stderr, "quibo-host: --%s needs a number from 0 to %u\n", qPrintable(option), limit);
        return false;
    }
    value = quint32(number);
    return true;
}

// The computer's level for games started without one; answers false (with a message) for an
// unknown level.
bool readLevel(const QCommandLineParser& parser, quibo::HostConfig& config) {
    if (!parser.isSet(QStringLiteral("computer"))) return true;
    const std::optional<quibo::ComputerLevel> level =
        quibo::levelFromText(parser.value(QStringLiteral("computer")).toLatin1());
    if (!level) {
        std::fprintf(stderr, "quibo-host: --computer needs easy, normal, strong or expert\n");
        return false;
    }
    config.computerLevel = *level;
    return true;
}

// The table's word list: an embedded one by name, or a plain list read from a file (a regular file
// of at most 64 MiB), whose lines that are not words of 2 to 14 letters are skipped and counted. Answers
// false (with a message) when the choice cannot be used.
bool readWordList(const QCommandLineParser& parser, quibo::HostConfig& config) {
    const bool named = parser.isSet(QStringLiteral("dictionary"));
    if (named && parser.isSet(QStringLiteral("words"))) {
        std::fprintf(stderr, "quibo-host: give --dictionary or --words, not both\n");
        return false;
    }
    if (named) {
        const std::optional<QString> resource =
            quibo::wordFileResourceFor(parser.value(QStringLiteral("dictionary")));
        if (!resource) {
            std::fprintf(stderr, "quibo-host: --dictionary needs standard or large\n");
            return false;
        }
        config.dictionaryResource = *resource;
    }
    if (!parser.isSet(QStringLiteral("words"))) return true;
    const QString path = parser.value(QStringLiteral("words"));
    // Only a regular file of at most 64 MiB: a FIFO or a device under the name is refused, not read.
    QString fault;
    const std::optional<QByteArray> text = quibo::readBoundedFile(path, quibo::maxReadFileSize, fault);
    if (!text) {
        std::fprintf(stderr, "quibo-host: %s %s\n", qPrintable(path), qPrintable(fault));
        return false;
    }
    const quibo::WordListRecords list = quibo::wordRecordsFromList(*text);
    if (list.skipped > 0)
        std::fprintf(stderr, "quibo-host: %s: %d lines skipped (not a word of 2 to 14 letters)\n",
                     qPrintable(path), list.skipped);
    if (list.words == 0) {
        std::fprintf(stderr, "quibo-host: %s holds no word\n", qPrintable(path));
        return false;
    }
    config.dictionaryRecords = list.records;
    return true;
}

// The table's password: given as it is, or the first line of a file (a regular file of at most
// 64 KiB; a line break at its end is not part of the password). Answers false (with a message)
// when the choice cannot be used. The password itself is never printed.
bool readPassword(const QCommandLineParser& parser, quibo::HostConfig& config) {
    const bool given = parser.isSet(QStringLiteral("password"));
    const bool fromFile = parser.isSet(QStringLiteral("password-file"));
    if (given && fromFile) {
        std::fprintf(stderr, "quibo-host: give --password or --password-file, not both\n");
        return false;
    }
    if (given) config.password = parser.value(QStringLiteral("password"));
    if (fromFile) {
        const QString path = parser.value(QStringLiteral("password-file"));
        QString fault;
        const std::optional<QByteArray> text = quibo::readBoundedFile(path, 64 * 1024, fault);
        if (!text) {
            std::fprintf(stderr, "quibo-host: %s %s\n", qPrintable(path), qPrintable(fault));
            return false;
        }
        QByteArray line = text->left(text->indexOf('\n') < 0 ? text->size() : text->indexOf('\n'));
        if (line.endsWith('\r')) line.chop(1);
        config.password = QString::fromUtf8(line);
    }
    if ((given || fromFile) && config.password.isEmpty()) {
        std::fprintf(stderr, "quibo-host: the password is empty\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A write to a closed log pipe then fails quietly instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quibo-host"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quibo::programVersion));
    // Under systemd the journal stamps each line itself.
    qSetMessagePattern(qEnvironmentVariableIsSet("JOURNAL_STREAM")
                           ? QStringLiteral("%{category}: %{message}")
                           : QStringLiteral("%{time yyyy-MM-dd hh:mm:ss} %{category}: %{message}"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quibo game host"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Port to listen on: %1 unless given, 0 picks a free one.")
                          .arg(quibo::defaultGamePort),
                      QStringLiteral("N"), QString::number(quibo::defaultGamePort)});
    parser.addOption(
        {QStringLiteral("seed"), QStringLiteral("Seed of the random generator."), QStringLiteral("N")});
    parser.addOption({QStringLiteral("login-timeout"),
                      QStringLiteral("Seconds a connection has to log in before it is closed."),
                      QStringLiteral("SECONDS")});
    parser.addOption({QStringLiteral("hold"),
                      QStringLiteral("Seconds a player's seat is kept for the player after the connection "
                                     "broke (0: freed at once)."),
                      QStringLiteral("SECONDS")});
    parser.addOption({QStringLiteral("computer"),
                      QStringLiteral("Level of the computer opponent in games started without one: easy, "
                                     "normal, strong or expert."),
                      QStringLiteral("LEVEL")});
    parser.addOption({QStringLiteral("thinking"),
                      QStringLiteral("Milliseconds the expert computer may think about one move, at most "
                                     "1000 (the default)."),
                      QStringLiteral("MILLISECONDS")});
    parser.addOption({QStringLiteral("dictionary"),
                      QStringLiteral("Word list of the table: standard or large."), QStringLiteral("LIST")});
    parser.addOption({QStringLiteral("words"),
                      QStringLiteral("Word list of the table from a file, one word a line."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("password"),
                      QStringLiteral("Makes the table private: only who gives TEXT is seated (players and "
                                     "spectators). Other users of this computer can read it in the process "
                                     "list; --password-file keeps it out of there."),
                      QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("password-file"),
                      QStringLiteral("Makes the table private with the first line of FILE as its password."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("map-port"),
                      QStringLiteral("Ask the router to forward the port, for players on the internet.")});
    parser.addOption({QStringLiteral("no-announce"),
                      QStringLiteral("Keep the table off the lists of the local network (it is announced "
                                     "there by DNS-SD where an mDNS responder runs).")});
    parser.addOption(
        {QStringLiteral("verbose"),
         QStringLiteral("Also writes the debugging lines (every socket event) on standard error.")});
    parser.process(app);
    // The operator's lines (connections, seats, games) and every warning; the debugging lines only
    // when asked for, by --verbose or by rules of the user's own in QT_LOGGING_RULES.
    if (!parser.isSet(QStringLiteral("verbose")) && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("quibo.*.debug=false"));

    quibo::HostConfig config;
    quint32 port = quibo::defaultGamePort;
    quint32 seed = 0;
    auto loginSeconds =
        quint32(std::chrono::duration_cast<std::chrono::seconds>(config.loginTimeout).count());
    auto holdSeconds = quint32(std::chrono::duration_cast<std::chrono::seconds>(config.seatHold).count());
    auto thinking = quint32(config.computerThinking.count());
    if (!readNumber(parser, QStringLiteral("port"), 0xFFFF, port) ||
        !readNumber(parser, QStringLiteral("hold"), 86400, holdSeconds) ||
        !readNumber(parser, QStringLiteral("seed"), 0xFFFFFFFFu, seed) ||
        !readNumber(parser, QStringLiteral("login-timeout"), 86400, loginSeconds) ||
        !readNumber(parser, QStringLiteral("thinking"), 1000, thinking) || !readLevel(parser, config) ||
        !readWordList(parser, config) || !readPassword(parser, config))
        return 2;
    config.port = quint16(port);
    config.loginTimeout = std::chrono::seconds(loginSeconds);
    config.seatHold = std::chrono::seconds(holdSeconds);
    config.computerThinking = std::chrono::milliseconds(thinking);
    if (parser.isSet(QStringLiteral("seed"))) config.seed = seed;
    config.workingDirectory = QDir::currentPath();
    config.announce = !parser.isSet(QStringLiteral("no-announce"));
    config.computerWords = quibo::loadCandidateWords();

    quibo::TServer server(config);
    try {
        server.setListen(true);
    } catch (const quibo::ESockException& e) {
        std::fprintf(stderr, "quibo-host: cannot listen on port %u: %s\n", port, e.what());
        return 1;
    }

#ifdef SIGHUP
    // A closed terminal ends the host like a termination request: the word file is removed.
    quibo::SignalWatcher watcher({SIGINT, SIGTERM, SIGHUP});
#else
    quibo::SignalWatcher watcher;
#endif
    QObject::connect(&watcher, &quibo::SignalWatcher::signalReceived, &app, [&](int number) {
        qCInfo(quibo::lcHost) << "signal" << number << "- closing every connection";
        server.closeAllConnections();
        QCoreApplication::quit();
    });

    if (server.isPrivate())
        qCInfo(quibo::lcHost) << "the table is private: only who gives its password is seated";
    std::printf("Quibo host listening on port %u\n", unsigned(server.listeningPort()));
    std::fflush(stdout);
    // Declared after the server: the forwarding goes before the listener closes.
    quibo::PortMapper mapper;
    QObject::connect(&mapper, &quibo::PortMapper::finished, [](const quibo::PortMapping& mapping) {
        std::fprintf(stderr, "%s\n", qPrintable(quibo::portMappingReport(mapping)));
    });
    if (parser.isSet(QStringLiteral("map-port"))) mapper.start(server.listeningPort());
    return app.exec();
}

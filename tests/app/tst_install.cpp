// SPDX-License-Identifier: MIT
// `cmake --install` into a temporary prefix: every file in its place and valid for the desktop, the
// installed host listening, both programs answering --help and --version (and quibo --define) without
// side effects, and
// the installed game keeping the player's files in the per-user folders.
#include "installedfiles.h"
#include "programprocess.h"
#include "rawclient.h"
#include "smallwordnet.h"

#include <QDirIterator>
#include <QImage>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo::test;

class InstallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyFileIsInPlace_data();
    void everyFileIsInPlace();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void desktopEntryOpensTableLinks();
    void serviceUnitRunsTheInstalledHost();
    void serviceUnitIsConfined();
    void installedHostListens();
    void programsAnswerHelpAndVersionAlone_data();
    void programsAnswerHelpAndVersionAlone();
    void defineSaysWhenThereIsNoMeaning();
    void commandLineIsAnsweredOrRefused_data();
    void commandLineIsAnsweredOrRefused();
    void windowWritesOnlyWarningsUnlessAsked_data();
    void windowWritesOnlyWarningsUnlessAsked();
    void installedGameKeepsItsFilesPerUser();
    void installedGameLoadsItsSoundModule();

private:
    void runAlone(const QString& program, const QStringList& options, int status, const QByteArray& answer);
    QString installed(const QString& relative) const { return QDir(m_prefix.path()).filePath(relative); }
    QTemporaryDir m_prefix;
    QTemporaryDir m_meanings; // a small WordNet database, named by $WNSEARCHDIR
};

void InstallTest::initTestCase() {
    QVERIFY(m_prefix.isValid());
    const RunResult result = runProgram(QStringLiteral(QUIBO_CMAKE_COMMAND),
                                        {"--install", QUIBO_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(result.succeeded(), result.output.constData());
    QVERIFY(writeSmallWordNet(m_meanings.path(), {{'n', "cafe", "a small restaurant; \"a cafe\""}}));
    qputenv("WNSEARCHDIR", m_meanings.path().toLocal8Bit());
}

void InstallTest::everyFileIsInPlace_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("iconSize"); // 0: not a PNG icon
    for (const QString& path : installedFiles())
        QTest::newRow(qPrintable(path)) << path << iconSizeOf(path);
}

void InstallTest::everyFileIsInPlace() {
    QFETCH(QString, path);
    QFETCH(int, iconSize);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(file.filePath()));
    if (path.startsWith(QLatin1String("bin/"))) QVERIFY(file.isExecutable());
    if (iconSize > 0) QCOMPARE(QImage(file.filePath()).size(), QSize(iconSize, iconSize));
}

void InstallTest::desktopFilesValidate_data() {
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{desktopEntryPath()};
    QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net", metainfoPath()};
}

void InstallTest::desktopFilesValidate() {
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    for (QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("share/"))) argument = installed(argument);
    }
    const RunResult result = runProgram(validator, arguments);
    QVERIFY2(result.succeeded(), result.output.constData());
}

// A quibo:// link opened from a chat or mail program starts the installed game with the link.
void InstallTest::desktopEntryOpensTableLinks() {
    QFile entry(installed(desktopEntryPath()));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArrayList lines = entry.readAll().split('\n');
    QVERIFY(lines.contains("MimeType=x-scheme-handler/quibo;"));
    QVERIFY(lines.contains("Exec=" + installed(QStringLiteral("bin/quibo")).toUtf8() + " %u"));
}

void InstallTest::serviceUnitRunsTheInstalledHost() {
    QFile unit(installed(QStringLiteral("lib/systemd/system/quibo-host@.service")));
    QVERIFY(unit.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = unit.readAll().split('\n');
    const QByteArray execStart =
        "ExecStart=" + installed(QStringLiteral("bin/quibo-host")).toUtf8() + " --port %i";
    for (const QByteArray& expected :
         {execStart, QByteArray("DynamicUser=yes"), QByteArray("StateDirectory=quibo-host/%i"),
          QByteArray("WorkingDirectory=%S/quibo-host/%i"), QByteArray("Restart=on-failure"),
          QByteArray("StandardError=journal")})
        QVERIFY2(lines.contains(expected), expected.constData());
}

// systemd's own rating of what the service could do if the host were taken over: 2.0 at most
// (0 is fully confined, 10 unconfined; an unconfined unit rates 9.6).
void InstallTest::serviceUnitIsConfined() {
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty()) QSKIP("systemd-analyze is not installed, so the unit cannot be rated");
    const QString unit = installed(QStringLiteral("lib/systemd/system/quibo-host@.service"));
    const RunResult rated = runProgram(analyze, {"security", "--offline=yes", unit});
    QVERIFY2(rated.succeeded(), rated.output.constData());
    static const QRegularExpression overall(QStringLiteral("Overall exposure level for \\S+: (\\d+\\.\\d+)"));
    const QRegularExpressionMatch level = overall.match(QString::fromUtf8(rated.output));
    QVERIFY2(level.hasMatch(), rated.output.constData());
    QVERIFY2(level.captured(1).toDouble() <= 2.0, rated.output.constData());
    // Every setting is one this systemd knows, for an instance of the template.
    QTemporaryDir units;
    const QString instance = units.filePath(QStringLiteral("quibo-host@7772.service"));
    QVERIFY(QFile::copy(unit, instance));
    const RunResult verified = runProgram(analyze, {"verify", "--man=no", instance});
    QVERIFY2(verified.succeeded() && verified.output.isEmpty(), verified.output.constData());
}

void InstallTest::installedHostListens() {
    QTemporaryDir work;
    QProcess host;
    const quint16 port = ProgramProcess::launchHost(host, work.path(), {"--port", "0"}, nullptr, 30000,
                                                    installed(QStringLiteral("bin/quibo-host")));
    QVERIFY(port != 0);
    RawClient player;
    QCOMPARE(player.connectAndGetSeat(port), 1);
    host.terminate();
    QVERIFY(host.waitForFinished(30000));
    QCOMPARE(host.exitCode(), 0);
}

void InstallTest::programsAnswerHelpAndVersionAlone_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("answer");
    const auto row = [](const char* program, const QStringList& options, const QByteArray& answer) {
        QTest::addRow("%s %s", program, qPrintable(options.join(u' '))) << program << options << answer;
    };
    row("quibo", {"--help"}, "Usage: quibo [");
    row("quibo", {"-h"}, "Usage: quibo [");
    row("quibo", {"--version"}, "quibo 1.0.2\n");
    row("quibo", {"-v"}, "quibo 1.0.2\n");
    row("quibo-host", {"--help"}, "Usage: ");
    row("quibo-host", {"--version"}, "quibo-host 1.0.2\n");
    row("quibo", {"--define", "Cafes"}, "noun (cafe): a small restaurant\n");
}

// An answer on standard output and status 0, with no window, no other copy asked, no port taken and
// no file written anywhere.
void InstallTest::programsAnswerHelpAndVersionAlone() {
    QFETCH(QString, program);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, answer);
    runAlone(program, options, 0, answer);
}

// Runs the installed program with options and expects it to end with status at once, its answer
// starting with answer (standard output for status 0, else standard error), with no window, no
// other copy asked, no port taken and no file written anywhere.
void InstallTest::runAlone(const QString& program, const QStringList& options, int status,
                           const QByteArray& answer) {
    QTemporaryDir root;
    ProgramProcess copy(root.path());
    copy.useProgram(installed(QStringLiteral("bin/") + program));
    copy.captureErrorOutput();
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    QVERIFY2(copy.startWindow(options, probe.serverPort()), qPrintable(copy.failure));
    QVERIFY(copy.process.state() == QProcess::NotRunning || copy.process.waitForFinished(30000));
    QCOMPARE(copy.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy.process.exitCode(), status);
    const QByteArray printed =
        status == 0 ? copy.process.readAllStandardOutput() : copy.process.readAllStandardError();
    QVERIFY2(printed.startsWith(answer), printed.constData());
    QVERIFY(!probe.hasPendingConnections());
    QDirIterator files(root.path(), QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    QVERIFY2(!files.hasNext(), qPrintable(files.hasNext() ? files.next() : QString()));
}

// Status 1 with a reason on standard error, for a word without meaning and without the database.
void InstallTest::defineSaysWhenThereIsNoMeaning() {
    const QString quibo = installed(QStringLiteral("bin/quibo"));
    const RunResult unknown = runProgram(quibo, {"--define", "zzzq"});
    QCOMPARE(unknown.exitCode, 1);
    QCOMPARE(unknown.output, QByteArray("No meaning found for \"zzzq\".\n"));
    QTemporaryDir empty;
    qputenv("WNSEARCHDIR", empty.path().toLocal8Bit());
    const RunResult absent = runProgram(quibo, {"--define", "cafe"});
    qputenv("WNSEARCHDIR", m_meanings.path().toLocal8Bit());
    QCOMPARE(absent.exitCode, 1);
    QVERIFY2(absent.output.startsWith("No dictionary of meanings is installed"), absent.output.constData());
}

void InstallTest::commandLineIsAnsweredOrRefused_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");
    const auto row = [](const QStringList& options, int status, const QByteArray& answer) {
        QTest::addRow("quibo %s", qPrintable(options.join(u' '))) << options << status << answer;
    };
    const QByteArray usage = "\nUsage: quibo [";
    row({"--bogus"}, 2, "quibo: unknown option \"--bogus\"");
    row({"Ann", "10.0.0.5", "true", "-x"}, 2, "quibo: unknown option \"-x\"");
    row({"--define"}, 2, "quibo: --define needs a word" + usage);
    row({"--define", ""}, 2, "quibo: --define needs a word" + usage);
    row({"--verbose", "--define", "Caf\u00e9"}, 0, "noun: a small restaurant\n");
    row({"Ann", "--help"}, 0, "Usage: quibo [");
    row({"--verbose", "--version"}, 0, "quibo 1.0.2\n");
}

// Options may stand anywhere; an unknown one, or --define without its word, is refused with the
// usage and status 2; --define folds accents as the word lists do.
void InstallTest::commandLineIsAnsweredOrRefused() {
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    runAlone(QStringLiteral("quibo"), options, status, answer);
}

void InstallTest::windowWritesOnlyWarningsUnlessAsked_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<bool>("everyLine");
    QTest::newRow("by default") << QStringList() << QString() << false;
    QTest::newRow("--verbose") << QStringList{"--verbose"} << QString() << true;
    QTest::newRow("QT_LOGGING_RULES") << QStringList() << QStringLiteral("quibo.*=true") << true;
}

// A window that joins a table and is ended writes neither the socket's events nor its own notes
// on standard error, unless --verbose or QT_LOGGING_RULES asks for them.
void InstallTest::windowWritesOnlyWarningsUnlessAsked() {
    QFETCH(QStringList, options);
    QFETCH(QString, rules);
    QFETCH(bool, everyLine);
    QTemporaryDir root;
    ProgramProcess copy(root.path());
    copy.useProgram(installed(QStringLiteral("bin/quibo")));
    copy.captureErrorOutput();
    copy.setEnvironment(QStringLiteral("QT_LOGGING_RULES"), rules);
    QTcpServer table;
    QVERIFY(table.listen(QHostAddress::LocalHost, 0));
    QVERIFY2(copy.startWindow(options + QStringList{"Ann", "127.0.0.1", "false"}, table.serverPort()),
             qPrintable(copy.failure));
    QVERIFY(table.waitForNewConnection(30000));
    QVERIFY(copy.terminate());
    QVERIFY(copy.exitedCleanly());
    const QByteArray log = copy.process.readAllStandardError();
    QVERIFY2(log.contains("quibo.net: info") == everyLine, log.constData());
    QVERIFY2(log.contains("quibo.app: ending on request") == everyLine, log.constData());
}

void InstallTest::installedGameKeepsItsFilesPerUser() {
    QTemporaryDir root;
    ProgramProcess copy(root.path());
    copy.useProgram(installed(QStringLiteral("bin/quibo")));
    // Two arguments: the window waits for a third and connects nowhere.
    QVERIFY2(copy.startWindow({"Ann", "127.0.0.1"}, 1), qPrintable(copy.failure));
    // The one-copy marker is up once termination requests end the program in order.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(root.filePath(QStringLiteral("instance"))), 30000);
    QVERIFY(copy.terminate());
    QVERIFY(copy.exitedCleanly());
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("bin/quibotally.tld"))));
    QDirIterator tally(root.filePath(QStringLiteral("data")), {"quibotally.tld"}, QDir::Files,
                       QDirIterator::Subdirectories);
    QVERIFY(tally.hasNext());
}

// The sounds are in a module of their own that the program loads at its first sound, "entered" when
// the computer takes its seat in a solo game: the installed program finds it in its installation.
void InstallTest::installedGameLoadsItsSoundModule() {
    QTemporaryDir root;
    ProgramProcess copy(root.path());
    copy.useProgram(installed(QStringLiteral("bin/quibo")));
    copy.captureErrorOutput();
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QVERIFY2(copy.startWindow({"--verbose"}, port), qPrintable(copy.failure));
    const QByteArray loaded = "sound module loaded from \"" +
                              installed(QStringLiteral("lib/quibo/modules/quibo-sound.so")).toUtf8() + '"';
    QByteArray log;
    QTRY_VERIFY2_WITH_TIMEOUT((log += copy.process.readAllStandardError()).contains(loaded), log.constData(),
                              30000);
    QVERIFY(copy.terminate());
    QVERIFY(copy.exitedCleanly());
}

QTEST_MAIN(InstallTest)
#include "tst_install.moc"

// SPDX-License-Identifier: MIT
// `cmake --install` into a temporary prefix: every file in its place and valid for the desktop, the
// installed host listening, both programs answering --help and --version without side effects, and
// the installed game keeping the player's files in the per-user folders.
#include "installedfiles.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QDirIterator>
#include <QImage>
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
    void serviceUnitRunsTheInstalledHost();
    void installedHostListens();
    void programsAnswerHelpAndVersionAlone_data();
    void programsAnswerHelpAndVersionAlone();
    void installedGameKeepsItsFilesPerUser();

private:
    QString installed(const QString& relative) const { return QDir(m_prefix.path()).filePath(relative); }
    QTemporaryDir m_prefix;
};

void InstallTest::initTestCase() {
    QVERIFY(m_prefix.isValid());
    const RunResult result = runProgram(QStringLiteral(QUIBO_CMAKE_COMMAND),
                                        {"--install", QUIBO_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(result.succeeded(), result.output.constData());
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
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("quibo --help") << "quibo"
                                  << "--help" << QByteArray("Usage: quibo [");
    QTest::newRow("quibo -h") << "quibo"
                              << "-h" << QByteArray("Usage: quibo [");
    QTest::newRow("quibo --version") << "quibo"
                                     << "--version" << QByteArray("quibo 1.0.2\n");
    QTest::newRow("quibo -v") << "quibo"
                              << "-v" << QByteArray("quibo 1.0.2\n");
    QTest::newRow("quibo-host --help") << "quibo-host"
                                       << "--help" << QByteArray("Usage: ");
    QTest::newRow("quibo-host --version") << "quibo-host"
                                          << "--version" << QByteArray("quibo-host 1.0.2\n");
}

// An answer on standard output and status 0, with no window, no other copy asked, no port taken and
// no file written anywhere.
void InstallTest::programsAnswerHelpAndVersionAlone() {
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(QByteArray, answer);
    QTemporaryDir root;
    ProgramProcess copy(root.path());
    copy.useProgram(installed(QStringLiteral("bin/") + program));
    copy.captureErrorOutput();
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    QVERIFY2(copy.startWindow({option}, probe.serverPort()), qPrintable(copy.failure));
    QVERIFY(copy.process.state() == QProcess::NotRunning || copy.process.waitForFinished(30000));
    QVERIFY(copy.exitedCleanly());
    QVERIFY(copy.process.readAllStandardOutput().startsWith(answer));
    QVERIFY(!probe.hasPendingConnections());
    QDirIterator files(root.path(), QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    QVERIFY2(!files.hasNext(), qPrintable(files.hasNext() ? files.next() : QString()));
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

QTEST_MAIN(InstallTest)
#include "tst_install.moc"

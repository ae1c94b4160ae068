// SPDX-License-Identifier: MIT
// One copy per desktop, checked with real processes of the program: its sockets in the user's
// private folder, out of other users' reach; the orderly end on SIGINT and SIGTERM, also while a
// start-up box is open; and a command line whose name or address would be an option.
#include "programprocess.h"
#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using quibo::SingleInstance;
using quibo::test::ProgramProcess;

namespace {

using Environment = QList<std::pair<QString, QString>>;

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void secondCopyBringsTheFirstForwardAndExits();
    void leftoverNameOfACrashedCopyDoesNotBlockStart();
    void terminationSignalsEndTheProgramCleanly_data();
    void terminationSignalsEndTheProgramCleanly();
    void terminationDuringAStartUpBoxEndsInOrder_data();
    void terminationDuringAStartUpBoxEndsInOrder();
    void socketsLiveInAFolderOfTheUsersOwn_data();
    void socketsLiveInAFolderOfTheUsersOwn();
    void strangersAreNeitherObeyedNorHeeded();
    void optionLikeNameOrAddressIsRefused_data();
    void optionLikeNameOrAddressIsRefused();

private:
    // Starts the program with a name and an address only: it shows its window and connects nowhere.
    QProcess* startCopy(const Environment& environment = {},
                        const QStringList& arguments = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1")});
    bool waitUntilListening(const QString& name = QString());

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_instance;
    std::vector<std::unique_ptr<ProgramProcess>> m_processes;
};

void SingleInstanceTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Every copy runs from the temporary directory, with the user's directories and the one-copy
    // name inside it too.
    m_instance = m_dir->filePath(QStringLiteral("instance"));
    ProgramProcess installer(m_dir->path());
    QVERIFY2(installer.installWindow(), qPrintable(installer.failure));
}

void SingleInstanceTest::cleanup() {
    m_processes.clear(); // ends every copy still running
}

QProcess* SingleInstanceTest::startCopy(const Environment& environment, const QStringList& arguments) {
    auto copy = std::make_unique<ProgramProcess>(m_dir->path());
    copy->captureErrorOutput();
    copy->setEnvironment(QStringLiteral("QT_LOGGING_RULES"),
                         QStringLiteral("quibo.*.debug=false\nquibo.client.info=true"));
    for (const auto& [name, value] : environment)
        copy->setEnvironment(name, value);
    // Game port 1: nothing answers there. A failed start shows when the test waits for it.
    (void)copy->startWindow(arguments, 1);
    m_processes.push_back(std::move(copy));
    return &m_processes.back()->process;
}

bool SingleInstanceTest::waitUntilListening(const QString& name) {
    return QTest::qWaitFor(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(name.isEmpty() ? m_instance : name);
            return probe.waitForConnected(100);
        },
        20000);
}

void SingleInstanceTest::secondCopyBringsTheFirstForwardAndExits() {
    QProcess* first = startCopy();
    QVERIFY(first->waitForStarted(20000));
    QVERIFY(waitUntilListening());

    QProcess* second = startCopy();
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    QByteArray firstLog;
    QVERIFY(QTest::qWaitFor(
        [&] {
            firstLog += first->readAllStandardError();
            return firstLog.contains("Another copy asked this window to come forward");
        },
        20000));
    QCOMPARE(first->state(), QProcess::Running);
}

void SingleInstanceTest::leftoverNameOfACrashedCopyDoesNotBlockStart() {
    QFile leftover(m_instance);
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    QProcess* first = startCopy();
    QVERIFY(first->waitForStarted(20000));
    QVERIFY(waitUntilListening());
    QCOMPARE(first->state(), QProcess::Running);
}

void SingleInstanceTest::terminationSignalsEndTheProgramCleanly_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void SingleInstanceTest::terminationSignalsEndTheProgramCleanly() {
    QFETCH(int, signal);
    QProcess* copy = startCopy();
    QVERIFY(copy->waitForStarted(20000));
    QVERIFY(waitUntilListening());
    ::kill(pid_t(copy->processId()), signal);
    QVERIFY(copy->waitForFinished(20000));
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 0);
    // The name is free again for the next start.
    QLocalSocket probe;
    probe.connectToServer(m_instance);
    QVERIFY(!probe.waitForConnected(1000));
}

void SingleInstanceTest::terminationDuringAStartUpBoxEndsInOrder_data() {
    terminationSignalsEndTheProgramCleanly_data();
}

void SingleInstanceTest::terminationDuringAStartUpBoxEndsInOrder() {
    QFETCH(int, signal);
    // A damaged tally beside the program: its box is up before the program's event loop runs.
    const QString tally = m_dir->filePath(QStringLiteral("quibotally.tld"));
    const QByteArray damaged("not a tally file");
    QFile file(tally);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(damaged), damaged.size());
    file.close();

    QProcess* copy = startCopy();
    QByteArray log;
    QVERIFY(QTest::qWaitFor(
        [&] {
            log += copy->readAllStandardError();
            return log.contains("tally file cannot be read");
        },
        20000));
    ::kill(pid_t(copy->processId()), signal);
    QVERIFY(copy->waitForFinished(20000));
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 0);
    // Saved at exit as always, with the damaged file kept beside the new one.
    QFile saved(tally);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.read(4), QByteArray("WRZL"));
    QFile kept(tally + QStringLiteral(".bad"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), damaged);
}

void SingleInstanceTest::socketsLiveInAFolderOfTheUsersOwn_data() {
    QTest::addColumn<QString>("runtime");     // XDG_RUNTIME_DIR below the test's folder, "" for none
    QTest::addColumn<int>("permissions");     // of a folder made beforehand; 0: not made
    QTest::addColumn<bool>("ownedByAnother"); // that folder belongs to another user
    QTest::addColumn<bool>("used");           // the sockets go there, else to the private fallback
    QTest::newRow("runtime folder missing") << "missing" << 0 << false << true;
    QTest::newRow("runtime folder open to others") << "open" << 0755 << false << false;
    QTest::newRow("runtime folder of another user") << "foreign" << 0700 << true << false;
    QTest::newRow("no runtime folder") << "" << 0 << false << false;
}

void SingleInstanceTest::socketsLiveInAFolderOfTheUsersOwn() {
    QFETCH(QString, runtime);
    QFETCH(int, permissions);
    QFETCH(bool, ownedByAnother);
    QFETCH(bool, used);
    const QDir root(m_dir->path());
    const QString tmp = root.filePath(QStringLiteral("tmp"));
    QVERIFY(root.mkpath(tmp));
    const QString runtimePath = runtime.isEmpty() ? QString() : root.filePath(runtime);
    if (permissions != 0) {
        QVERIFY(root.mkpath(runtimePath));
        QCOMPARE(::chmod(QFile::encodeName(runtimePath).constData(), mode_t(permissions)), 0);
        if (ownedByAnother && ::chown(QFile::encodeName(runtimePath).constData(), 65534, 65534) != 0)
            QSKIP("only an administrator can give a folder to another user");
    }
    // A stranger's socket under the shared temporary folder's old name: heeding it would end the copy.
    const QString user = qEnvironmentVariable("USER");
    QLocalServer planted;
    planted.setSocketOptions(QLocalServer::WorldAccessOption);
    QVERIFY(planted.listen(QDir(tmp).filePath(user.isEmpty() ? QStringLiteral("ovik22") : "ovik22-" + user)));

    QProcess* copy = startCopy({{QStringLiteral("TMPDIR"), tmp},
                                {QStringLiteral("XDG_RUNTIME_DIR"), runtimePath},
                                {QStringLiteral("QUIBO_INSTANCE_NAME"), QString()}});
    const QString folder =
        used ? runtimePath : tmp + QStringLiteral("/quibo-runtime-") + QString::number(::geteuid());
    QVERIFY2(waitUntilListening(QDir(folder).filePath(QStringLiteral("ovik22"))), qPrintable(folder));
    QCOMPARE(copy->state(), QProcess::Running);
    QVERIFY(!planted.hasPendingConnections());
    struct stat info {};
    QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), 0700);
    QCOMPARE(uint(info.st_uid), uint(::geteuid()));
    if (!used && !runtimePath.isEmpty())
        QVERIFY(!QFile::exists(QDir(runtimePath).filePath(QStringLiteral("ovik22"))));
}

// The peer check itself, with the test's own process standing in for another user's.
void SingleInstanceTest::strangersAreNeitherObeyedNorHeeded() {
    const QString name = m_dir->filePath(QStringLiteral("seam"));
    const uint stranger = uint(::geteuid()) + 1;
    SingleInstance first(name);
    QVERIFY(!first.anotherCopyRuns());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    first.trustOnlyUser(stranger);
    QLocalSocket request;
    request.connectToServer(name);
    QVERIFY(request.waitForConnected(5000));
    request.write("activate\n");
    request.flush();
    QTRY_COMPARE_WITH_TIMEOUT(request.state(), QLocalSocket::UnconnectedState, 20000);
    QCOMPARE(asked.count(), 0);

    // A starting copy that finds a stranger's socket under the name runs on instead of ending.
    first.trustOnlyUser(uint(::geteuid()));
    SingleInstance second(name);
    second.trustOnlyUser(stranger);
    QVERIFY(!second.anotherCopyRuns());
    QCOMPARE(asked.count(), 0);
}

void SingleInstanceTest::optionLikeNameOrAddressIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    // Each of these was the toolkit's option once: a plugin folder, a platform that aborts, a
    // style sheet, a display.
    QTest::newRow("plugin folder as name") << QStringList{"-platformpluginpath", m_dir->path()};
    QTest::newRow("platform as name") << QStringList{"-platform", "nonexistent"};
    QTest::newRow("style sheet as address") << QStringList{"Ann", "-stylesheet", "true"};
    QTest::newRow("display as address") << QStringList{"Ann", "-display", "false"};
}

void SingleInstanceTest::optionLikeNameOrAddressIsRefused() {
    QFETCH(QStringList, arguments);
    QProcess* copy = startCopy({}, arguments);
    QVERIFY(copy->waitForFinished(20000));
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 2);
    const QByteArray hint = copy->readAllStandardError();
    QVERIFY2(hint.contains("begins with \"-\"") && hint.contains("Usage: quibo"), hint.constData());
}

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"

// SPDX-License-Identifier: MIT
// One copy per desktop, checked with real processes of the program; and the orderly end on
// SIGINT and SIGTERM, also while a start-up box is open.
#include "programprocess.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using quibo::test::ProgramProcess;

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

private:
    // Starts the program with a name and an address only: it shows its window and connects nowhere.
    QProcess* startCopy();
    bool waitUntilListening();

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

QProcess* SingleInstanceTest::startCopy() {
    auto copy = std::make_unique<ProgramProcess>(m_dir->path());
    copy->captureErrorOutput();
    copy->setEnvironment(QStringLiteral("QT_LOGGING_RULES"),
                         QStringLiteral("quibo.*.debug=false\nquibo.client.info=true"));
    // Game port 1: nothing answers there. A failed start shows when the test waits for it.
    (void)copy->startWindow({QStringLiteral("Ann"), QStringLiteral("127.0.0.1")}, 1);
    m_processes.push_back(std::move(copy));
    return &m_processes.back()->process;
}

bool SingleInstanceTest::waitUntilListening() {
    return QTest::qWaitFor(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(m_instance);
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

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"

// SPDX-License-Identifier: MIT
// The quibo-host program as a user starts it: it says where it listens, seats and relays players,
// keeps the word file only while it runs, and leaves cleanly on SIGTERM.
#include "boundedfile.h"
#include "programprocess.h"
#include "rawclient.h"
#include "wordlists.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using quibo::test::ProgramProcess;
using quibo::test::RawClient;

namespace {

// Starts the host in a directory and answers the port it printed, or 0.
quint16 startHost(QProcess& host, const QString& directory, const QStringList& arguments) {
    return ProgramProcess::launchHost(host, directory, arguments);
}

} // namespace

class HostProgramTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hostSeatsAPlayerAndLeavesCleanlyOnSigterm();
    void takenPortEndsTheHostWithAnError();
    void hostOutlivesItsLogReaderAndLeavesCleanlyOnSighup();
    void wordFileIsWrittenFromTheChosenList_data();
    void wordFileIsWrittenFromTheChosenList();
    void wordListFileIsBounded_data();
    void wordListFileIsBounded();
};

void HostProgramTest::hostSeatsAPlayerAndLeavesCleanlyOnSigterm() {
    QTemporaryDir dir;
    QProcess host;
    const quint16 port = startHost(
        host, dir.path(),
        {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"), QStringLiteral("42")});
    QVERIFY2(port != 0, host.readAllStandardError().constData());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("English"))));

    RawClient player;
    QCOMPARE(player.connectAndGetSeat(port), 1);
    player.send("CMD_logininfo+1+1.0.2+Ann");
    QVERIFY(player.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
    player.send("CMD_chat+1+hello|clNavy");
    QVERIFY(player.waitFor("CMD_chat+Ann chats: hello|clNavy") >= 0);

    host.terminate(); // SIGTERM
    QVERIFY(host.waitForFinished(30000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 0);
    QVERIFY(player.waitForClosed());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("English"))));
    const QByteArray log = host.readAllStandardError();
    QVERIFY2(log.contains("takes seat 1"), log.constData());
}

void HostProgramTest::takenPortEndsTheHostWithAnError() {
    QTemporaryDir dir;
    QProcess first;
    const quint16 port = startHost(first, dir.path(), {QStringLiteral("--port"), QStringLiteral("0")});
    QVERIFY(port != 0);

    QProcess second;
    QCOMPARE(startHost(second, dir.path(), {QStringLiteral("--port"), QString::number(port)}), quint16(0));
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(30000));
    QVERIFY(second.exitCode() != 0);
    QVERIFY(second.readAllStandardError().contains("Listen - Error Binding Socket"));

    first.terminate();
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
}

void HostProgramTest::hostOutlivesItsLogReaderAndLeavesCleanlyOnSighup() {
#ifndef Q_OS_UNIX
    QSKIP("pipes and SIGHUP are Unix matters");
#else
    QTemporaryDir dir;
    QProcess host;
    // Standard error is a pipe whose reader is gone, as after `quibo-host 2>&1 | head -n 2`.
    host.setChildProcessModifier([] {
        int ends[2];
        if (::pipe(ends) != 0) return;
        ::dup2(ends[1], STDERR_FILENO);
        ::close(ends[0]);
        ::close(ends[1]);
    });
    const quint16 port = startHost(host, dir.path(), {QStringLiteral("--port"), QStringLiteral("0")});
    QVERIFY(port != 0);

    // Every seat, login and chat is logged: each is a failed write now.
    RawClient player;
    QCOMPARE(player.connectAndGetSeat(port), 1);
    player.send("CMD_logininfo+1+1.0.2+Ann");
    QVERIFY(player.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
    player.send("CMD_chat+1+still there?|clNavy");
    QVERIFY(player.waitFor("CMD_chat+Ann chats: still there?|clNavy") >= 0);
    QCOMPARE(host.state(), QProcess::Running);

    QCOMPARE(::kill(pid_t(host.processId()), SIGHUP), 0);
    QVERIFY(host.waitForFinished(30000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 0);
    QVERIFY(player.waitForClosed());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("English"))));
#endif
}

void HostProgramTest::wordFileIsWrittenFromTheChosenList_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("wordFile"); // empty: the host refuses to start
    QTest::addColumn<QByteArray>("told");
    QFile large(QString::fromLatin1(quibo::largeWordFileResource));
    QVERIFY(large.open(QIODevice::ReadOnly));
    QTest::newRow("large list") << QStringList{"--dictionary", "large"} << large.readAll() << QByteArray();
    const QByteArray own = QByteArray("\x1e"
                                      "CAFE          ") +
                           "\x1e"
                           "CAT           " +
                           "\x1e"
                           "ZEBRA         ";
    QTest::newRow("own list") << QStringList{"--words", "own.txt"} << own << QByteArray("2 lines skipped");
    QTest::newRow("unknown list") << QStringList{"--dictionary", "huge"} << QByteArray()
                                  << QByteArray("--dictionary needs standard or large");
}

void HostProgramTest::wordFileIsWrittenFromTheChosenList() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, wordFile);
    QFETCH(QByteArray, told);
    QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("own.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("zebra\ncaf\xc3\xa9\nx\ncat\nice-cream\n");
    list.close();
    QProcess host;
    const quint16 port = startHost(host, dir.path(), QStringList{"--port", "0"} + arguments);
    if (wordFile.isEmpty()) {
        QCOMPARE(port, quint16(0));
        QVERIFY(host.state() == QProcess::NotRunning || host.waitForFinished(30000));
        QCOMPARE(host.exitCode(), 2);
    } else {
        QVERIFY(port != 0);
        QFile english(dir.filePath(QStringLiteral("English")));
        QVERIFY(english.open(QIODevice::ReadOnly));
        QVERIFY(english.readAll() == wordFile);
        host.terminate();
        QVERIFY(host.waitForFinished(30000));
    }
    const QByteArray log = host.readAllStandardError();
    QVERIFY2(log.contains(told), log.constData());
}

// --words reads only a regular file of at most 64 MiB; anything else ends the host at once with a
// reason instead of stalling it (a FIFO) or filling its memory (/dev/zero).
void HostProgramTest::wordListFileIsBounded_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("told");
    QTest::newRow("fifo") << "fifo" << QByteArray("list.txt is not a regular file\n");
    QTest::newRow("character device") << "device" << QByteArray("/dev/zero is not a regular file\n");
    QTest::newRow("past the bound") << "past" << QByteArray("list.txt is larger than 64 MiB\n");
    // Two words, then zeros up to the bound: one line far too long to be a word, skipped unread.
    QTest::newRow("at the bound") << "at" << QByteArray("list.txt: 1 lines skipped");
}

void HostProgramTest::wordListFileIsBounded() {
#ifdef Q_OS_UNIX
    QFETCH(QString, kind);
    QFETCH(QByteArray, told);
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("list.txt"));
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
    } else if (kind != "device") {
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("cat\ndog\n"), 8);
        QVERIFY(file.resize(quibo::maxReadFileSize + (kind == "past" ? 1 : 0)));
    }
    QProcess host;
    const quint16 port = startHost(
        host, dir.path(), {"--port", "0", "--words", kind == "device" ? QStringLiteral("/dev/zero") : list});
    if (kind == "at") {
        QVERIFY(port != 0);
        QFile english(dir.filePath(QStringLiteral("English")));
        QVERIFY(english.open(QIODevice::ReadOnly));
        QCOMPARE(english.readAll(), QByteArray("\x1e"
                                               "CAT           \x1e"
                                               "DOG           "));
        host.terminate();
        QVERIFY(host.waitForFinished(30000));
    } else {
        QCOMPARE(port, quint16(0));
        QVERIFY(host.state() == QProcess::NotRunning || host.waitForFinished(30000));
        QCOMPARE(host.exitCode(), 2);
    }
    const QByteArray log = host.readAllStandardError();
    QVERIFY2(log.contains(told), log.constData());
#else
    QSKIP("FIFOs and devices are Unix files");
#endif
}

QTEST_GUILESS_MAIN(HostProgramTest)
#include "tst_hostprogram.moc"

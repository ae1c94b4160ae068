// SPDX-License-Identifier: MIT
// The Debian package CPack makes of the build: its file list with the programs where Debian keeps
// games, dependencies worked out from the programs that a Debian system can satisfy, Debian's own
// checker finding nothing to complain about, and the programs run as they come out of it.
#include "installedfiles.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QDir>
#include <QDirIterator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo::test;

class PackageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void packageHoldsEveryFile();
    void dependenciesComeFromThePrograms();
    void lintianFindsNothing();
    void extractedProgramsRun();

private:
    QString field(const char* name) const;
    QTemporaryDir m_work;
    QString m_package;
};

void PackageTest::initTestCase() {
    QVERIFY(m_work.isValid());
    const RunResult made = runProgram(
        QStringLiteral(QUIBO_CPACK_COMMAND),
        {"-G", "DEB", "--config", QDir(QUIBO_BUILD_DIR).filePath("CPackConfig.cmake"), "-B", m_work.path()},
        m_work.path(), 240000);
    QVERIFY2(made.succeeded(), made.output.constData());
    const QStringList packages = QDir(m_work.path()).entryList({"quibo_*.deb"}, QDir::Files);
    QCOMPARE(packages.size(), 1);
    m_package = QDir(m_work.path()).filePath(packages.first());
}

QString PackageTest::field(const char* name) const {
    return QString::fromUtf8(runProgram("dpkg-deb", {"--field", m_package, name}).output.trimmed());
}

void PackageTest::packageHoldsEveryFile() {
    const RunResult listing = runProgram("dpkg-deb", {"--contents", m_package});
    QVERIFY(listing.succeeded());
    QStringList files;
    for (const QByteArray& line : listing.output.split('\n')) {
        // "-rwxr-xr-x root/root 1465168 2026-12-09 05:21 ./usr/bin/quibo"
        const QString path = QString::fromUtf8(line.simplified().split(' ').value(5));
        if (!path.endsWith(u'/') && !path.isEmpty()) files << path.mid(QStringLiteral("./usr/").size());
    }
    QStringList expected = installedFiles(QStringLiteral("games"));
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);
    QCOMPARE(field("Package"), QStringLiteral("quibo"));
    QCOMPARE(field("Version"), QStringLiteral("1.0.2"));
}

void PackageTest::dependenciesComeFromThePrograms() {
    const QString depends = field("Depends");
    for (const char* library : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6network6",
                                "libqt6multimedia6", "libstdc++6", "libc6"})
        QVERIFY2(depends.contains(QLatin1String(library) + QLatin1String(" (>= ")), qPrintable(depends));
    // The meanings of words come from a database the package recommends rather than needs.
    QVERIFY2(field("Recommends").split(QStringLiteral(", ")).contains(QStringLiteral("wordnet-base")),
             qPrintable(field("Recommends")));
    // Where apt knows the distribution, it must find everything the package asks for.
    if (QStandardPaths::findExecutable("apt-get").isEmpty()) return;
    const RunResult simulated =
        runProgram("apt-get", {"install", "--simulate", "--no-install-recommends", m_package});
    QVERIFY2(simulated.succeeded(), simulated.output.constData());
}

// No error, no warning (informational tags are allowed). Lintian takes a while, so it checks the
// one package the test made.
void PackageTest::lintianFindsNothing() {
    QVERIFY2(!QStandardPaths::findExecutable("lintian").isEmpty(),
             "lintian is not installed (scripts/install-deps.sh installs it)");
    const RunResult checked = runProgram(
        "lintian", {"--fail-on", "error,warning", "--tag-display-limit", "0", m_package}, QString(), 240000);
    QVERIFY2(checked.succeeded(), checked.output.constData());
}

void PackageTest::extractedProgramsRun() {
    const QString root = QDir(m_work.path()).filePath("root");
    QVERIFY(runProgram("dpkg-deb", {"--extract", m_package, root}).succeeded());
    const QString bin = QDir(root).filePath("usr/games/");
    // Its desktop entry and service unit name the programs where the package put them.
    for (const auto& [file, line] : {std::pair{desktopEntryPath(), QByteArray("Exec=/usr/games/quibo %u")},
                                     std::pair{QStringLiteral("lib/systemd/system/quibo-host@.service"),
                                               QByteArray("ExecStart=/usr/games/quibo-host --port %i")}}) {
        QFile installed(QDir(root).filePath(QStringLiteral("usr/") + file));
        QVERIFY2(installed.open(QIODevice::ReadOnly), qPrintable(installed.fileName()));
        QVERIFY2(installed.readAll().split('\n').contains(line), line.constData());
    }
    const RunResult version = runProgram(bin + "quibo", {"--version"});
    QCOMPARE(version.output, QByteArray("quibo 1.0.2\n"));

    QTemporaryDir work;
    QProcess host;
    const quint16 port =
        ProgramProcess::launchHost(host, work.path(), {"--port", "0"}, nullptr, 30000, bin + "quibo-host");
    QVERIFY(port != 0);
    RawClient player;
    QCOMPARE(player.connectAndGetSeat(port), 1);
    player.send("CMD_logininfo+1+1.0.2+Ann");
    QVERIFY(player.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
    host.terminate();
    QVERIFY(host.waitForFinished(30000));
    QCOMPARE(host.exitCode(), 0);

    // The game from /usr/games knows it is installed: the player's files go to the per-user
    // folders, never beside the program.
    QTemporaryDir home;
    ProgramProcess game(home.path());
    game.useProgram(bin + "quibo");
    // Two arguments: the window waits for a third and connects nowhere.
    QVERIFY2(game.startWindow({"Ann", "127.0.0.1"}, 1), qPrintable(game.failure));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(home.filePath(QStringLiteral("instance"))), 30000);
    QVERIFY(game.terminate());
    QVERIFY(game.exitedCleanly());
    QVERIFY(!QFileInfo::exists(bin + "quibotally.tld"));
    QDirIterator tally(home.filePath(QStringLiteral("data")), {"quibotally.tld"}, QDir::Files,
                       QDirIterator::Subdirectories);
    QVERIFY(tally.hasNext());
}

QTEST_GUILESS_MAIN(PackageTest)
#include "tst_package.moc"

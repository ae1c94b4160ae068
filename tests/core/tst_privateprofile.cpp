// SPDX-License-Identifier: MIT
#include "privateprofile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo;

namespace {

// The lobby's own section, with comments, a blank line and Windows line endings.
const QByteArray lobbySection = "; Kivo22 Lobby\r\n"
                                "[Lobby]\r\n"
                                "Server = lobby.example.net\r\n"
                                "; last used name\r\n"
                                "Name=Ann\r\n"
                                "\r\n";

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class PrivateProfileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void readFindsKeysAsThePlatformDoes_data();
    void readFindsKeysAsThePlatformDoes();
    void missingFileSectionOrKeyGivesTheDefault();
    void longValuesAreCutTo2047Characters();
    void writesKeepEveryOtherByte_data();
    void writesKeepEveryOtherByte();
    void writeCreatesAMissingFile();
    void lineBreaksInAValueCannotStartNewKeys();
    void failedWriteRaisesTheErrorAndLeavesTheFile_data();
    void failedWriteRaisesTheErrorAndLeavesTheFile();

private:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void PrivateProfileTest::readFindsKeysAsThePlatformDoes_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("[Quibo]\nTextsize=12\n") << "12";
    QTest::newRow("names in another case") << QByteArray("[quibo]\nTEXTSIZE=12\n") << "12";
    QTest::newRow("blanks around name and value")
        << QByteArray("  [ Quibo ]\r\n  Textsize  =  12  \r\n") << "12";
    QTest::newRow("quotes removed") << QByteArray("[Quibo]\nTextsize=\" 12 \"\n") << " 12 ";
    QTest::newRow("empty value") << QByteArray("[Quibo]\nTextsize=\n") << "";
    QTest::newRow("first section wins") << QByteArray("[Quibo]\nTextsize=10\n[Quibo]\nTextsize=14\n") << "10";
    QTest::newRow("first key wins") << QByteArray("[Quibo]\nTextsize=10\nTextsize=14\n") << "10";
    QTest::newRow("key of another section") << QByteArray("[Lobby]\nTextsize=10\n[Quibo]\n") << "dflt";
    QTest::newRow("commented key") << QByteArray("[Quibo]\n;Textsize=10\n") << "dflt";
    QTest::newRow("no final line break") << QByteArray("[Quibo]\nTextsize=9") << "9";
    QTest::newRow("value with equals") << QByteArray("[Quibo]\nTextsize=a=b\n") << "a=b";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Quibo]\nTextsize=7\n") << "7";
    QTest::newRow("utf-8") << QByteArray("[Quibo]\nTextsize=Gr\xC3\xBC\xC3\x9F"
                                         "e\n")
                           << QString::fromUtf8("Grüße");
}

void PrivateProfileTest::readFindsKeysAsThePlatformDoes() {
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    writeFile(path("a.ini"), file);
    QCOMPARE(PrivateProfile(path("a.ini")).readString(u"Quibo", u"Textsize", QStringLiteral("dflt")),
             expected);
}

void PrivateProfileTest::missingFileSectionOrKeyGivesTheDefault() {
    const PrivateProfile missing(path("none.ini"));
    QCOMPARE(missing.readString(u"Quibo", u"Textsize", QStringLiteral("8")), QStringLiteral("8"));
    QVERIFY(!missing.contains(u"Quibo", u"Textsize"));
    QVERIFY(!QFile::exists(path("none.ini")));

    writeFile(path("lobby.ini"), lobbySection);
    const PrivateProfile lobby(path("lobby.ini"));
    QCOMPARE(lobby.readString(u"Quibo", u"Name", QStringLiteral("x")), QStringLiteral("x"));
    QCOMPARE(lobby.readString(u"Lobby", u"Phrase1", QString()), QString());
    QCOMPARE(lobby.readString(u"lobby", u"server", QString()), QStringLiteral("lobby.example.net"));
}

void PrivateProfileTest::longValuesAreCutTo2047Characters() {
    writeFile(path("long.ini"), "[Quibo]\nPhrase1=" + QByteArray(5000, 'x') + "\nPhrase2=ok\n");
    const PrivateProfile profile(path("long.ini"));
    QCOMPARE(profile.readString(u"Quibo", u"Phrase1", QString()), QString(2047, QLatin1Char('x')));
    QCOMPARE(profile.readString(u"Quibo", u"Phrase2", QString()), QStringLiteral("ok"));
}

void PrivateProfileTest::writesKeepEveryOtherByte_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QByteArray quibo = "[Quibo]\r\nTextsize=8\r\n; colours\r\nTextcolor = clBlack\r\n\r\n";
    QTest::newRow("replace value, key spelling kept")
        << lobbySection + quibo << "TEXTCOLOR"
        << lobbySection + "[Quibo]\r\nTextsize=8\r\n; colours\r\nTextcolor =NEW\r\n\r\n";
    QTest::newRow("new key after the section's last key")
        << quibo + lobbySection << "Steals"
        << "[Quibo]\r\nTextsize=8\r\n; colours\r\nTextcolor = clBlack\r\nSteals=NEW\r\n\r\n" + lobbySection;
    QTest::newRow("new section at the end")
        << lobbySection << "Steals" << lobbySection + "[Quibo]\r\nSteals=NEW\r\n";
    QTest::newRow("LF file stays LF") << QByteArray("[Lobby]\nName=Ann") << "Steals"
                                      << QByteArray("[Lobby]\nName=Ann\n[Quibo]\nSteals=NEW\n");
    QTest::newRow("section at end without line break")
        << QByteArray("[Quibo]\r\nTextsize=8") << "Steals"
        << QByteArray("[Quibo]\r\nTextsize=8\r\nSteals=NEW\r\n");
    QTest::newRow("empty section header only") << QByteArray("[Quibo]\r\n[Lobby]\r\n") << "Steals"
                                               << QByteArray("[Quibo]\r\nSteals=NEW\r\n[Lobby]\r\n");
}

void PrivateProfileTest::writesKeepEveryOtherByte() {
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    writeFile(path("w.ini"), before);
    const PrivateProfile profile(path("w.ini"));
    profile.writeString(u"Quibo", key, QStringLiteral("NEW"));
    QCOMPARE(contentOf(path("w.ini")), after);
    QCOMPARE(profile.readString(u"Quibo", key, QString()), QStringLiteral("NEW"));
}

void PrivateProfileTest::writeCreatesAMissingFile() {
    const PrivateProfile profile(path("new.ini"));
    profile.writeString(u"Quibo", u"Textsize", QStringLiteral("10"));
    profile.writeString(u"Quibo", u"Playsounds", QStringLiteral("false"));
    profile.writeString(u"Quibo", u"Textsize", QStringLiteral("12"));
    QCOMPARE(profile.readString(u"Quibo", u"Textsize", QString()), QStringLiteral("12"));
    QCOMPARE(profile.readString(u"Quibo", u"Playsounds", QString()), QStringLiteral("false"));
    QVERIFY(contentOf(path("new.ini")).startsWith("[Quibo]"));
}

void PrivateProfileTest::lineBreaksInAValueCannotStartNewKeys() {
    const PrivateProfile profile(path("nl.ini"));
    profile.writeString(u"Quibo", u"Phrase1", QStringLiteral("Hi\r\n[Quibo]\nTextsize=99"));
    QVERIFY(!profile.contains(u"Quibo", u"Textsize"));
    QCOMPARE(profile.readString(u"Quibo", u"Phrase1", QString()), QStringLiteral("Hi  [Quibo] Textsize=99"));
}

void PrivateProfileTest::failedWriteRaisesTheErrorAndLeavesTheFile_data() {
    QTest::addColumn<bool>("readOnlyFile");
    QTest::newRow("read-only file") << true;
    QTest::newRow("parent is a regular file") << false;
}

void PrivateProfileTest::failedWriteRaisesTheErrorAndLeavesTheFile() {
    QFETCH(bool, readOnlyFile);
    QString target = path("blocker/kivolobby.ini");
    if (readOnlyFile) {
        target = path("ro.ini");
        writeFile(target, lobbySection);
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else {
        writeFile(path("blocker"), "not a directory");
    }
    try {
        PrivateProfile(target).writeString(u"Quibo", u"Textsize", QStringLiteral("12"));
        QFAIL("the write did not fail");
    } catch (const ProfileWriteError& error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + target);
        QCOMPARE(QString::fromUtf8(error.what()), error.message());
    }
    if (readOnlyFile) QCOMPARE(contentOf(target), lobbySection);
}

QTEST_GUILESS_MAIN(PrivateProfileTest)
#include "tst_privateprofile.moc"

// SPDX-License-Identifier: MIT
// The phrase buttons on the real player window, connected over loopback TCP to a test host.
#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "preferences.h"
#include "scriptedhost.h"
#include "tchat.h"
#include "windowwiring.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace quibo;

namespace {

class SilentOutput : public SoundOutput {
public:
    void play(const QString& clip) override { clips << clip; }
    QStringList clips;
};

} // namespace

class PhraseButtonsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void actionTextFollowsThePhrasesPrefix_data();
    void actionTextFollowsThePhrasesPrefix();
    void buttonsFormOneRowWithTheirPhrasesAsHints();
    void pressesWaitForLoginAndTheCooldown();
};

void PhraseButtonsTest::actionTextFollowsThePhrasesPrefix_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("built-in") << "Way To Go!" << 0u
                              << QByteArray("CMD_action+2+says: Way To Go!|clBlack\xFF");
    QTest::newRow("own action") << "/me waves" << 0u << QByteArray("CMD_action+2+waves|clBlack\xFF");
    QTest::newRow("no blank after /me")
        << "/mewaves" << 0u << QByteArray("CMD_action+2+says: /mewaves|clBlack\xFF");
    QTest::newRow("capital M") << "/Me waves" << 0u << QByteArray("CMD_action+2+says: /Me waves|clBlack\xFF");
    QTest::newRow("action colour") << "Thanks!" << 0xFFC080u
                                   << QByteArray("CMD_action+2+says: Thanks!|$00FFC080\xFF");
}

void PhraseButtonsTest::actionTextFollowsThePhrasesPrefix() {
    QFETCH(QString, phrase);
    QFETCH(uint, colour);
    QFETCH(QByteArray, message);
    QCOMPARE(PhraseButtons::actionMessage(2, phrase, colour), message);
}

void PhraseButtonsTest::buttonsFormOneRowWithTheirPhrasesAsHints() {
    QTemporaryDir dir;
    Tchat chat;
    BoardPanel* board = chat.board();
    SilentOutput sounds;
    Preferences prefs(chat, SettingsFile(dir.filePath(QStringLiteral("kivolobby.ini"))), &sounds);
    connectPreferences(chat, prefs);
    // Under the hand row of the board.
    QCOMPARE(chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase1"))->parentWidget(), board);
    QCOMPARE(chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase1"))->pos(),
             QPoint(BoardLayout::phraseButtonsLeft, BoardLayout::phraseButtonsTop));
    const QStringList expected{"Way To Go!", "Wow, WTG!", "Good Game Everyone!"};
    const int numbers[] = {1, 6, 9};
    const QPoint first = chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase1"))->pos();
    for (int i = 0; i < 3; ++i) {
        auto* button = chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase%1").arg(numbers[i]));
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(25, 19));
        QCOMPARE(button->pos(), first + QPoint(26 * (numbers[i] - 1), 0));
        QCOMPARE(button->toolTip(), expected.at(i));
    }
}

void PhraseButtonsTest::pressesWaitForLoginAndTheCooldown() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kivolobby.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Quibo]\nTextsize=12\nActioncolor=clNavy\nPhrase2=/me cheers\n");
    file.close();

    test::ScriptedHost host;
    QVERIFY(host.listen());
    Tchat chat;
    SilentOutput sounds;
    Preferences prefs(chat, SettingsFile(path), &sounds);
    connectPreferences(chat, prefs);
    chat.setup().gamePort = host.server.serverPort();
    chat.processparams(); // no command line: a solo game against the test host
    QVERIFY(host.waitForPeers());
    auto* first = chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase1"));
    auto* second = chat.findChild<QAbstractButton*>(QStringLiteral("b_phrase2"));

    QTest::mouseClick(first, Qt::LeftButton); // before login: nothing, and no cooldown
    QVERIFY(chat.chatView()->canchat());

    host.send("CMD_sendlogininfo+2");
    QTRY_COMPARE_WITH_TIMEOUT(host.count("CMD_logininfo+2+"), 1, 20000);
    host.send("CMD_newplayerinfo+2+You"); // the own arrival reads the settings
    QTRY_COMPARE_WITH_TIMEOUT(chat.chatView()->mainchat()->textSize(), 12, 20000);
    QCOMPARE(sounds.clips, QStringList{QStringLiteral(":/sounds/entered.wav")});

    QTest::mouseClick(first, Qt::LeftButton);
    QTest::mouseClick(second, Qt::LeftButton); // within the cooldown: ignored
    QVERIFY(!chat.chatView()->canchat());
    QTRY_VERIFY_WITH_TIMEOUT(chat.chatView()->canchat(), 20000);
    QTest::mouseClick(second, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(host.count("CMD_action+"), 2, 20000);

    const QList<QByteArray> expected{"CMD_logininfo+2+1.0.2+You", "CMD_action+2+says: Way To Go!|clNavy",
                                     "CMD_action+2+cheers|clNavy"};
    QCOMPARE(host.messages(), expected);
}

QTEST_MAIN(PhraseButtonsTest)
#include "tst_phrasebuttons.moc"

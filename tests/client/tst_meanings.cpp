// SPDX-License-Identifier: MIT
// The meanings of words in a real window fed by a scripted host, from a small database the test
// writes: tooltips over "Your Words", the chat's "formed" lines and the summary's words, and "/define"
// in the chat, which sends nothing; without the database no tooltip, and "/define" says why.
#include "boardpanel.h"
#include "chatentry.h"
#include "chatpane.h"
#include "chatsession.h"
#include "chatview.h"
#include "gamesummarywindow.h"
#include "meaningtips.h"
#include "smallwordnet.h"
#include "windowwiring.h"
#include "wordmeanings.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolTip>

using namespace quibo;
using quibo::test::ChatSession;

namespace {

constexpr int patience = 20000;

// Asks the widget's viewport for its tooltip at a point and answers what shows ("" for none).
QString toolTipAt(QWidget* viewport, const QPoint& pos) {
    QToolTip::hideText(); // goes after a short delay
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, patience))
        return QStringLiteral("stuck tooltip");
    QHelpEvent event(QEvent::ToolTip, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QString listToolTip(QListWidget* list, const QString& itemText) {
    const QList<QListWidgetItem*> items = list->findItems(itemText, Qt::MatchExactly);
    if (items.isEmpty()) return QStringLiteral("no item ") + itemText;
    return toolTipAt(list->viewport(), list->visualItemRect(items.first()).center());
}

QString chatToolTip(ChatPane* pane, const QString& line) {
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text() != line) continue;
        QTextCursor at(b);
        return toolTipAt(pane->viewport(), pane->cursorRect(at).center() + QPoint(2, 0));
    }
    return QStringLiteral("no line ") + line;
}

// The chat lines after the one given.
QStringList linesAfter(const ChatSession& s, const QString& line) {
    const QStringList all = s.lines();
    return all.mid(all.lastIndexOf(line) + 1);
}

} // namespace

class MeaningsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QStandardPaths::setTestModeEnabled(true); }
    void wordsShowTheirMeanings();
    void withoutTheDatabaseNothingShows();
};

void MeaningsTest::wordsShowTheirMeanings() {
    QTemporaryDir folder;
    QVERIFY(test::writeSmallWordNet(
        folder.path(),
        {{'n', "cafe", "a small restaurant where drinks and snacks are sold; \"we met at the cafe\""},
         {'v', "steal", "take without the owner's consent"},
         {'n', "stole", "a wide scarf"},
         {'n', "ox", "<b>bold</b> & an animal"}},
        {{QStringLiteral("verb.exc"), "stole steal\n"}}));
    WordMeanings meanings(folder.path());
    MeaningTips tips(&meanings);

    ChatSession s;
    showMeanings(*s.chat, tips);
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    s.host.send(msg::NewPlayerInfo{2, "Bo"});
    for (const char* text :
         {"CMD_startgame+Ann+30+20+5+", "CMD_nextplayer+1+5+", "CMD_formedword+1+cafe+6+6+",
          "CMD_nextplayer+2+5+", "CMD_formedword+2+stole+5+5+", "CMD_nextplayer+1+5+",
          "CMD_formedword+1+ox+9+15+", "CMD_nextplayer+2+5+", "CMD_formedword+2+zzzq+40+45+",
          "CMD_winner+2+"})
        s.host.send(QByteArray(text));
    BoardPanel& board = *s.chat->board();
    QTRY_VERIFY_WITH_TIMEOUT(board.summaryWindow()->isVisible(), patience);

    // The definition without its example, the word in bold, text from the files never markup.
    const QString cafe = listToolTip(board.listboxMywords(), QStringLiteral("cafe : 6"));
    QCOMPARE(cafe,
             QStringLiteral("<b>CAFE</b><br>noun: a small restaurant where drinks and snacks are sold"));
    QCOMPARE(listToolTip(board.listboxMywords(), QStringLiteral("ox : 9")),
             QStringLiteral("<b>OX</b><br>noun: &lt;b&gt;bold&lt;/b&gt; &amp; an animal"));
    // Bo's words, in the chat and in the summary; an inflected form finds its base word.
    ChatPane* pane = s.chat->chatView()->mainchat();
    const QString stole = chatToolTip(pane, QStringLiteral("For 5 points Bo formed STOLE"));
    QVERIFY2(stole.contains(QLatin1String("noun: a wide scarf")) &&
                 stole.contains(QLatin1String("verb (steal): take without the owner's consent")),
             qPrintable(stole));
    QCOMPARE(chatToolTip(pane, QStringLiteral("For 9 points you formed OX")).left(9),
             QStringLiteral("<b>OX</b>"));
    QCOMPARE(chatToolTip(pane, QStringLiteral("For 40 points Bo formed ZZZQ")), QString());
    QCOMPARE(chatToolTip(pane, QStringLiteral("Bo has won the game!")), QString());
    auto* bosWords = board.summaryWindow()->findChild<QListWidget*>(QStringLiteral("listbox_summarywords2"));
    QCOMPARE(listToolTip(bosWords, QStringLiteral("stole : 5")), stole);

    // "/define" answers in the chat, in the status colour, and sends nothing.
    const qsizetype sentBefore = s.host.messages().size();
    ChatEntry* entry = s.chat->chatView()->mychat();
    for (const char* typed : {"/define cafe", "/define zzzq", "/define"}) {
        entry->setText(QString::fromLatin1(typed));
        QTest::keyClick(entry, Qt::Key_Return);
        QVERIFY(entry->text().isEmpty());
    }
    QCOMPARE(linesAfter(s, QStringLiteral("Bo has won the game!")),
             (QStringList{"CAFE, noun: a small restaurant where drinks and snacks are sold",
                          "No meaning found for ZZZQ.", "Type /define and a word to see what it means."}));
    QCOMPARE(pane->document()->lastBlock().previous().charFormat().foreground().color(),
             toQColor(colorStatus));
    QTest::qWait(200);
    QCOMPARE(s.host.messages().size(), sentBefore);
}

void MeaningsTest::withoutTheDatabaseNothingShows() {
    QTemporaryDir empty;
    WordMeanings meanings(empty.path());
    MeaningTips tips(&meanings);
    ChatSession s;
    showMeanings(*s.chat, tips);
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    for (const char* text :
         {"CMD_startgame+Ann+30+20+5+", "CMD_nextplayer+1+5+", "CMD_formedword+1+cafe+6+6+"})
        s.host.send(QByteArray(text));
    QTRY_COMPARE_WITH_TIMEOUT(s.chat->board()->listboxMywords()->count(), 1, patience);
    QCOMPARE(listToolTip(s.chat->board()->listboxMywords(), QStringLiteral("cafe : 6")), QString());

    ChatEntry* entry = s.chat->chatView()->mychat();
    entry->setText(QStringLiteral("/define cafe"));
    QTest::keyClick(entry, Qt::Key_Return);
    QTRY_VERIFY(
        s.hasLine(QStringLiteral("No dictionary of meanings is installed (Debian package wordnet-base).")));
}

QTEST_MAIN(MeaningsTest)
#include "tst_meanings.moc"

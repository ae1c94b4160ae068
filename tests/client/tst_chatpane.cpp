// SPDX-License-Identifier: MIT
// The chat pane on its own: line formatting, keeping the reader's place, links, copy and clear.
#include "chatlinks.h"
#include "chatpane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using namespace quibo;

class ChatPaneTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linksAreFoundInWords_data();
    void linksAreFoundInWords();
    void onlyWebAndMailLinksAreOpened_data();
    void onlyWebAndMailLinksAreOpened();
    void clickOnALinkOpensItWithoutTrailingPunctuation();
    void linesWithoutColonAreAllRegular();
    void linksLookLikeLinks();
    void timesAreShownOnlyWhenAskedAndStayRegular();
    void scrollChatOffKeepsTheReadersPlace();
    void oldestLinesGoPastTheLimit();
    void longLinesAreCutBetweenCharacters_data();
    void longLinesAreCutBetweenCharacters();
    void copyTakesTheSelectionAndClearEmptiesThePane();
};

void ChatPaneTest::linksAreFoundInWords_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("link");
    QTest::newRow("trailing comma") << QStringLiteral("http://example.com/a,")
                                    << QStringLiteral("http://example.com/a");
    QTest::newRow("inside brackets") << QStringLiteral("(www.example.com).")
                                     << QStringLiteral("www.example.com");
    QTest::newRow("upper case prefix") << QStringLiteral("HTTP://X.ORG/") << QStringLiteral("HTTP://X.ORG/");
    QTest::newRow("secure") << QStringLiteral("https://x.org/?q=1") << QStringLiteral("https://x.org/?q=1");
    QTest::newRow("mail") << QStringLiteral("mailto:ann@x.org;") << QStringLiteral("mailto:ann@x.org");
    QTest::newRow("first prefix in list order wins")
        << QStringLiteral("www.a.com/http://b") << QStringLiteral("http://b");
    QTest::newRow("prefix alone") << QStringLiteral("http://...") << QString();
    QTest::newRow("no prefix") << QStringLiteral("example.com") << QString();
}

void ChatPaneTest::linksAreFoundInWords() {
    QFETCH(QString, word);
    QFETCH(QString, link);
    QCOMPARE(findLinkInWord(word).value_or(QString()), link);
}

void ChatPaneTest::onlyWebAndMailLinksAreOpened_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    QTest::newRow("http") << QStringLiteral("http://x.org/a") << QStringLiteral("http://x.org/a");
    QTest::newRow("https") << QStringLiteral("https://x.org") << QStringLiteral("https://x.org");
    QTest::newRow("ftp") << QStringLiteral("ftp://x.org/f") << QStringLiteral("ftp://x.org/f");
    QTest::newRow("mailto") << QStringLiteral("mailto:a@x.org") << QStringLiteral("mailto:a@x.org");
    QTest::newRow("www") << QStringLiteral("www.x.org") << QStringLiteral("http://www.x.org");
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << QString();
    QTest::newRow("telnet") << QStringLiteral("telnet://x.org") << QString();
    QTest::newRow("gopher") << QStringLiteral("gopher://x.org") << QString();
    QTest::newRow("news") << QStringLiteral("news:comp.lang") << QString();
}

void ChatPaneTest::onlyWebAndMailLinksAreOpened() {
    QFETCH(QString, link);
    QFETCH(QString, opened);
    const auto url = openableLinkUrl(link);
    QCOMPARE(url ? url->toString() : QString(), opened);
}

void ChatPaneTest::clickOnALinkOpensItWithoutTrailingPunctuation() {
    ChatPane pane;
    pane.resize(715, 188);
    pane.show();
    QList<QUrl> opened;
    pane.setLinkOpener([&](const QUrl& url) { opened << url; });
    pane.addlinetochat(QStringLiteral("Ann chats: see http://example.com/a, and file://x/y too"), colorBlack);
    const QString line = pane.document()->begin().text();
    const auto pointAt = [&](const QString& text) {
        QTextCursor c(pane.document());
        c.setPosition(int(line.indexOf(text)) + 3);
        return pane.cursorRect(c).center();
    };
    QTest::mouseMove(pane.viewport(), pointAt(QStringLiteral("http")));
    QCOMPARE(pane.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, pointAt(QStringLiteral("http")));
    QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://example.com/a"))});
    QCOMPARE(pane.textCursor().selectedText(), QStringLiteral("http://example.com/a"));
    // A file link is shown as a link but not handed to the desktop.
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, pointAt(QStringLiteral("file")));
    QCOMPARE(opened.size(), 1);
    QTest::mouseMove(pane.viewport(), pointAt(QStringLiteral("and")));
    QCOMPARE(pane.viewport()->cursor().shape(), Qt::IBeamCursor);
}

void ChatPaneTest::linesWithoutColonAreAllRegular() {
    ChatPane pane;
    pane.addlinetochat(QStringLiteral("Ann is Connected."), colorStatus);
    const QTextBlock block = pane.document()->begin();
    QCOMPARE(block.text(), QStringLiteral("Ann is Connected."));
    QTextCursor c(block);
    c.setPosition(block.position() + 1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(c.charFormat().foreground().color(), QColor(0x1B, 0x62, 0x83));
}

void ChatPaneTest::linksLookLikeLinks() {
    ChatPane pane;
    const QString line = QStringLiteral("Ann chats: see www.example.com, or ftp://x.org/a!");
    pane.addlinetochat(line, colorStatus);
    const QTextBlock block = pane.document()->begin();
    QString underlined;
    for (int i = 0; i < line.size(); ++i) {
        QTextCursor c(block);
        c.setPosition(block.position() + i + 1); // the format of the character before the cursor
        underlined += c.charFormat().fontUnderline() ? line.at(i) : u'_';
    }
    QCOMPARE(underlined, QStringLiteral("_______________www.example.com_____ftp://x.org/a_"));
}

void ChatPaneTest::timesAreShownOnlyWhenAskedAndStayRegular() {
    ChatPane pane;
    QVERIFY(!pane.showsTimes());
    pane.addlinetochat(QStringLiteral("Ann chats: hi"), colorStatus);
    pane.setShowsTimes(true);
    pane.addlinetochat(QStringLiteral("Ann chats: hi"), colorStatus);
    const QTextBlock plain = pane.document()->begin();
    const QTextBlock timed = plain.next();
    QCOMPARE(plain.text(), QStringLiteral("Ann chats: hi"));
    QVERIFY2(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d Ann chats: hi$")).match(timed.text()).hasMatch(),
        qPrintable(timed.text()));
    // The time is regular; the speaker after it is still bold up to the colon.
    QTextCursor c(timed);
    c.setPosition(timed.position() + 1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
    c.setPosition(timed.position() + 7);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
}

void ChatPaneTest::scrollChatOffKeepsTheReadersPlace() {
    ChatPane pane;
    pane.resize(715, 188);
    pane.show();
    for (int i = 0; i < 60; ++i)
        pane.addlinetochat(QStringLiteral("line %1").arg(i), colorBlack);
    QScrollBar* bar = pane.verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    QTextCursor selection(pane.document()->findBlockByNumber(5));
    pane.setTextCursor(selection);
    bar->setValue(bar->maximum() / 3);
    const int kept = bar->value();
    pane.scrollChatOffAction()->trigger();
    pane.addlinetochat(QStringLiteral("another"), colorBlack);
    QCOMPARE(bar->value(), kept);
    QCOMPARE(pane.textCursor().position(), selection.position());
    pane.scrollChatOffAction()->trigger();
    pane.addlinetochat(QStringLiteral("last"), colorBlack);
    QCOMPARE(bar->value(), bar->maximum());
}

void ChatPaneTest::oldestLinesGoPastTheLimit() {
    ChatPane pane;
    for (int i = 0; i < ChatPane::maxLines + 50; ++i)
        pane.addlinetochat(QStringLiteral("line %1").arg(i), colorBlack);
    QVERIFY(pane.document()->blockCount() <= ChatPane::maxLines);
    QVERIFY(!pane.toPlainText().contains(QStringLiteral("line 49\n")));
    QVERIFY(pane.toPlainText().contains(QStringLiteral("line %1").arg(ChatPane::maxLines + 49)));
}

void ChatPaneTest::longLinesAreCutBetweenCharacters_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");
    const QString speaker = QStringLiteral("Eve chats: ");
    const QString rest(ChatPane::maxLineCharacters - speaker.size(), u'x');
    QTest::newRow("exactly the limit") << speaker + rest << speaker + rest;
    QTest::newRow("one over") << speaker + rest + u'y' << speaker + rest;
    QTest::newRow("65,000 without blanks") << speaker + QString(65000, u'x') << speaker + rest;
    // A character outside the basic plane is two UTF-16 units and is never split.
    const QString clef = QStringLiteral("\U0001D11E");
    QTest::newRow("wide characters") << clef.repeated(1500) << clef.repeated(ChatPane::maxLineCharacters);
}

void ChatPaneTest::longLinesAreCutBetweenCharacters() {
    QFETCH(QString, line);
    QFETCH(QString, shown);
    ChatPane pane;
    pane.addlinetochat(line, colorBlack);
    QCOMPARE(pane.document()->firstBlock().text(), shown);
}

void ChatPaneTest::copyTakesTheSelectionAndClearEmptiesThePane() {
    ChatPane pane;
    pane.addlinetochat(QStringLiteral("Ann chats: hello"), colorBlack);
    QTextCursor c(pane.document());
    c.setPosition(11);
    c.setPosition(16, QTextCursor::KeepAnchor);
    pane.setTextCursor(c);
    pane.findChild<QAction*>(QStringLiteral("Copy1"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("hello"));
    pane.findChild<QAction*>(QStringLiteral("ClearMainChat1"))->trigger();
    QCOMPARE(pane.toPlainText(), QString());
}

QTEST_MAIN(ChatPaneTest)
#include "tst_chatpane.moc"

// SPDX-License-Identifier: MIT
#include "commands.h"
#include "tabout.h"
#include "tdownload.h"
#include "thelp.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>

using namespace quibo;

class SmallWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void aboutShowsTheLoginVersion();
    void playSoloGameClosesTheDownloadWindow();
    void startWindowScrollsWhenTheScreenIsTooSmall();
    void helpPagesFollowTheListAndCoverTheGame();
};

void SmallWindowsTest::aboutShowsTheLoginVersion() {
    Tabout about;
    auto* version = about.findChild<QLabel*>(QStringLiteral("version"));
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("1.0.2"));
    QCOMPARE(version->text(), QString::fromLatin1(programVersion));
}

void SmallWindowsTest::playSoloGameClosesTheDownloadWindow() {
    Tdownload download;
    download.show();
    QVERIFY(QTest::qWaitForWindowExposed(&download));
    QVERIFY(!download.isModal()); // the solo game goes on behind it
    QVERIFY(download.findChild<QLabel*>(QStringLiteral("label_howto"))
                ->text()
                .contains(QStringLiteral("quibo Ann 192.168.1.5 true")));
    QPushButton* solo = nullptr;
    for (auto* button : download.findChildren<QPushButton*>())
        solo = button->text() == QStringLiteral("Play Solo Game") ? button : solo;
    QVERIFY(solo);
    QTest::mouseClick(solo, Qt::LeftButton);
    QVERIFY(!download.isVisible());
}

void SmallWindowsTest::startWindowScrollsWhenTheScreenIsTooSmall() {
    Tdownload start;
    start.offer(QString(), QString());
    QVERIFY(QTest::qWaitForWindowExposed(&start));
    auto* page = start.findChild<QScrollArea*>(QStringLiteral("scroll_start"));
    auto* solo = start.findChild<QPushButton*>(QStringLiteral("button_solo"));
    auto* join = start.findChild<QPushButton*>(QStringLiteral("button_join"));
    QVERIFY(page && solo && join);
    // Opened where the screen has room, the whole page shows.
    QVERIFY(start.height() <= start.screen()->availableGeometry().height());
    QCOMPARE(page->verticalScrollBar()->maximum(), 0);
    const int whole = start.height();
    // Squeezed as a small screen would (below what the page needs), the page scrolls to its last
    // button, and the solo game stays in sight below it.
    for (const int tall : {300, whole}) {
        start.resize(start.width(), tall);
        QCOMPARE(start.height(), tall);
        QTRY_COMPARE(page->verticalScrollBar()->maximum() > 0, tall < whole);
        QVERIFY(start.rect().contains(solo->geometry()));
        page->ensureWidgetVisible(join);
        const QRect shown(join->mapTo(&start, QPoint(0, 0)), join->size());
        QVERIFY2(page->geometry().contains(shown), qPrintable(QString::number(tall)));
    }
}

void SmallWindowsTest::helpPagesFollowTheListAndCoverTheGame() {
    Thelp help;
    auto* list = help.findChild<QListWidget*>(QStringLiteral("list_pages"));
    auto* text = help.findChild<QTextBrowser*>(QStringLiteral("text_page"));
    QVERIFY(list && text);
    QCOMPARE(list->count(), help.pageCount());
    QString everything;
    QString previous;
    for (int page = 0; page < help.pageCount(); ++page) {
        list->setCurrentRow(page); // as a click on the list does
        QCOMPARE(help.currentPage(), page);
        QVERIFY(!text->toPlainText().isEmpty());
        QVERIFY(text->toPlainText() != previous);
        previous = text->toPlainText();
        everything += previous;
    }
    help.showPage(help.pageCount());
    QCOMPARE(help.currentPage(), help.pageCount() - 1);
    for (const char* topic :
         {"steal", "spectator", "Just Watch", "player 3", "quibo Bob 192.168.1.5", "multiplied",
          "Rearranging", "q x z", "[2001:db8::1]:7800", "Copy Table Link", "password"})
        QVERIFY2(everything.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
}

QTEST_MAIN(SmallWindowsTest)
#include "tst_smallwindows.moc"

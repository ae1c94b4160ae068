// SPDX-License-Identifier: MIT
#include "commands.h"
#include "tabout.h"
#include "tdownload.h"
#include "thelp.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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
    QVERIFY(download.findChild<QLabel*>()->text().contains(QStringLiteral("quibo Ann 192.168.1.5 true")));
    QPushButton* solo = nullptr;
    for (auto* button : download.findChildren<QPushButton*>())
        solo = button->text() == QStringLiteral("Play Solo Game") ? button : solo;
    QVERIFY(solo);
    QTest::mouseClick(solo, Qt::LeftButton);
    QVERIFY(!download.isVisible());
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
    for (const char* topic : {"steal", "spectator", "Just Watch", "player 3", "quibo Bob 192.168.1.5",
                              "multiplied", "Rearranging", "q x z", "[2001:db8::1]:7800",
                              "Copy Table Link", "password"})
        QVERIFY2(everything.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
}

QTEST_MAIN(SmallWindowsTest)
#include "tst_smallwindows.moc"

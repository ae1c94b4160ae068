// SPDX-License-Identifier: MIT
// The window texts follow the locale: German under a German locale, English, the texts as written,
// under any other.
#include "portmapper.h"
#include "tchat.h"
#include "tgamestart.h"
#include "translations.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace quibo;

class TranslationsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowTextsFollowTheLocale_data();
    void windowTextsFollowTheLocale();
    void cleanup();
};

void TranslationsTest::windowTextsFollowTheLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("optionsTitle");
    QTest::addColumn<QString>("startButton");
    // The router's answer, reported in the chat by the network layer's texts.
    QTest::addColumn<QString>("internetLine");
    const QStringList german{"Datei", "Optionen", "Ansicht", "Hilfe"};
    const QStringList english{"File", "Options", "View", "Help"};
    const QString germanLine = QStringLiteral("Andere im Internet treten bei unter 11.0.0.4:7772.");
    const QString englishLine = QStringLiteral("Others on the internet join at 11.0.0.4:7772.");
    QTest::newRow("German") << "de_DE" << true << german << "Quibo - Spielstart"
                            << "Spiel starten" << germanLine;
    QTest::newRow("Austrian German") << "de_AT" << true << german << "Quibo - Spielstart"
                                     << "Spiel starten" << germanLine;
    QTest::newRow("English") << "en_US" << false << english << "Quibo - Game Start"
                             << "Start Game" << englishLine;
    QTest::newRow("French, not translated") << "fr_FR" << false << english << "Quibo - Game Start"
                                            << "Start Game" << englishLine;
}

void TranslationsTest::windowTextsFollowTheLocale() {
    QFETCH(QString, locale);
    QFETCH(bool, translated);
    QFETCH(QStringList, menus);
    QFETCH(QString, optionsTitle);
    QFETCH(QString, startButton);
    QFETCH(QString, internetLine);

    QCOMPARE(installTranslations(*qApp, QLocale(locale)), translated);
    Tchat chat;
    QStringList shown;
    for (const QAction* menu : chat.menuBar()->actions())
        shown << menu->text();
    QCOMPARE(shown, menus);
    Tgamestart options(&chat);
    QCOMPARE(options.windowTitle(), optionsTitle);
    const QList<QPushButton*> buttons = options.findChildren<QPushButton*>();
    QVERIFY(std::any_of(buttons.cbegin(), buttons.cend(),
                        [&](const QPushButton* b) { return b->text() == startButton; }));
    PortMapping mapped;
    mapped.status = PortMapping::Status::Mapped;
    mapped.externalAddress = QHostAddress(QStringLiteral("11.0.0.4"));
    mapped.externalPort = 7772;
    QCOMPARE(portMappingReport(mapped), internetLine);
}

void TranslationsTest::cleanup() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"

// SPDX-License-Identifier: MIT
// The window texts follow the locale: German under a German locale, English, the texts as written,
// under any other. Under German no window a player meets keeps an English text, none is cut off,
// and the translation file holds no unfinished entry.
#include "boardfixture.h"
#include "gamesummarywindow.h"
#include "portmapper.h"
#include "replaywindow.h"
#include "scalinglayout.h"
#include "seatnames.h"
#include "tchat.h"
#include "tdownload.h"
#include "tgamestart.h"
#include "translations.h"
#include "ttallylist.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace quibo;

class TranslationsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowTextsFollowTheLocale_data();
    void windowTextsFollowTheLocale();
    void germanWindowsKeepNoEnglishAndFit();
    void translationFileIsFinished();
    void seatNamesAndTheSoloPlayerReadInGerman();
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

namespace {

struct Shown {
    QStringList texts;
    QStringList cut; // texts wider or taller than the place they were given
};

QString plain(const QString& text) {
    const QString flat =
        Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    return flat.simplified().remove(QLatin1Char('&'));
}

// A label placed by hand shows its text whole; a layout gives its labels the room they ask for.
bool fits(const QLabel* label, const QString& text) {
    const QLayout* layout = label->parentWidget() ? label->parentWidget()->layout() : nullptr;
    if (layout && !qobject_cast<const ScalingLayout*>(layout)) return true;
    const QRect room = label->contentsRect();
    if (label->wordWrap()) return label->heightForWidth(room.width()) <= room.height();
    return label->fontMetrics().horizontalAdvance(text) <= room.width();
}

void collectMenu(const QList<QAction*>& actions, Shown& shown) {
    for (const QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) continue;
        shown.texts << plain(action->text());
        if (!action->shortcut().isEmpty())
            shown.texts << action->shortcut().toString(QKeySequence::NativeText);
        if (action->menu()) collectMenu(action->menu()->actions(), shown);
    }
}

// Every text a person reads in `root` as it stands: titles, captions, buttons, lists and menus.
Shown shownTexts(QWidget* root) {
    Shown shown;
    if (root->isWindow()) shown.texts << root->windowTitle();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->isWindow()) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const QString text = plain(label->text());
            shown.texts << text;
            if (!text.isEmpty() && !fits(label, text)) shown.cut << text;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            shown.texts << plain(button->text());
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            shown.texts << plain(box->title());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                shown.texts << combo->itemText(i);
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                shown.texts << list->item(i)->text();
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            collectMenu(bar->actions(), shown);
        }
    }
    shown.texts.removeAll(QString());
    return shown;
}

// The main window with its quick instructions, the options, the tally, a summary and the start
// window, each as a player first meets it.
Shown shownInEveryWindow(const QString& tallyFolder) {
    Shown all;
    const auto add = [&all](QWidget* root) {
        const Shown one = shownTexts(root);
        all.texts << one.texts;
        all.cut << one.cut;
    };
    Tchat chat;
    add(&chat);
    if (auto* help = chat.findChild<QWidget*>(QStringLiteral("panel_help"))) add(help);
    Tgamestart options(&chat);
    add(&options);
    Ttallylist tally(tallyFolder);
    add(&tally);
    GameSummaryWindow summary(&chat);
    GameSummary game;
    game.names = {QStringLiteral("You"), QStringLiteral("Ann")};
    game.scores = {104, 61};
    game.words[0] = {{QStringLiteral("morph"), 11, 1}};
    game.longest = game.best = game.words[0].front();
    game.winner = 1;
    game.ownSeat = 1;
    summary.showSummary(game, true);
    add(&summary);
    Tdownload start;
    add(&start);
    return all;
}

} // namespace

// Texts alike in both languages are untranslated unless they are names, numbers or words that
// German shares with English.
void TranslationsTest::germanWindowsKeepNoEnglishAndFit() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Shown english = shownInEveryWindow(folder.path());
    QVERIFY(installTranslations(*qApp, QLocale(QStringLiteral("de_DE"))));
    const Shown german = shownInEveryWindow(folder.path());

    // Names, the game's words and the words German shares with English, and then figures.
    static const QRegularExpression shared(
        QStringLiteral("Quibo|Ann|Klot|morph|Computer|Normal|Standard|F1|OK"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression figures(QStringLiteral("^[\\d\\s:.,()+-]*$"));
    QStringList untranslated;
    for (const QString& text : german.texts) {
        if (english.texts.contains(text) && !figures.match(QString(text).remove(shared)).hasMatch())
            untranslated << text;
    }
    untranslated.removeDuplicates();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
    QVERIFY2(german.cut.isEmpty(), qPrintable(german.cut.join(QStringLiteral(" | "))));
    // Qt's own key names come with it: the menus read as the chat does.
    const QString everything = german.texts.join(u'\n');
    QVERIFY(everything.contains(QStringLiteral("Strg+I")));
    QVERIFY(!everything.contains(QStringLiteral("Ctrl")));
    QVERIFY(german.texts.contains(QStringLiteral("Du: 104")));
}

void TranslationsTest::translationFileIsFinished() {
    QFile file(QStringLiteral(QUIBO_GERMAN_TS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QString source;
    QStringList unfinished;
    while (ts.readNext() != QXmlStreamReader::EndDocument && !ts.hasError()) {
        if (!ts.isStartElement()) continue;
        if (ts.name() == QLatin1String("source")) {
            source = ts.readElementText();
        } else if (ts.name() == QLatin1String("translation")) {
            const QString type = ts.attributes().value(QLatin1String("type")).toString();
            const bool old = type == QLatin1String("obsolete") || type == QLatin1String("vanished");
            if (!old && (type == QLatin1String("unfinished") || ts.readElementText().isEmpty()))
                unfinished << source;
        }
    }
    QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
    QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished.join(QStringLiteral(" | "))));
}

// The names the window gives seats are translated where shown; a player's own name never is.
void TranslationsTest::seatNamesAndTheSoloPlayerReadInGerman() {
    QVERIFY(installTranslations(*qApp, QLocale(QStringLiteral("de_DE"))));
    test::Fixture fx;
    TableModel& model = fx.board->model();
    model.newplayerinfo({1, "You"});
    QCOMPARE(fx.text("label_playername1"), QStringLiteral("Du"));
    QCOMPARE(fx.text("label_playername2"), QStringLiteral("<Wartet>"));
    model.formedword(test::decoded<msg::FormedWord>("1+joy+9+9+"));
    QCOMPARE(fx.ctx.chat.last(), QStringLiteral("Für 9 Punkte hast du gebildet: JOY"));
    model.newplayerinfo({2, "You"}); // a stranger who calls himself so is not the person here
    QCOMPARE(fx.text("label_playername2"), QStringLiteral("You"));
    model.formedword(test::decoded<msg::FormedWord>("2+cat+5+5+"));
    QCOMPARE(fx.ctx.chat.last(), QStringLiteral("Für 5 Punkte hat You gebildet: CAT"));
    model.newplayerinfo({2, "Ann"});
    QCOMPARE(fx.text("label_playername2"), QStringLiteral("Ann"));

    // The replay of a solo game names the player as the window did.
    GameRecord record;
    record.started = QDateTime::currentDateTimeUtc();
    record.ownSeat = 1;
    record.player1 = QStringLiteral("You");
    record.player2 = QStringLiteral("Klot");
    const ReplayWindow replay(record, QString());
    QVERIFY2(replay.windowTitle().startsWith(QStringLiteral("Quibo - Wiederholung: Du - Klot, ")),
             qPrintable(replay.windowTitle()));
}

void TranslationsTest::cleanup() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"

// SPDX-License-Identifier: MIT
// The player's preferences on the real player window and options window, with real settings files.
#include "boardpanel.h"
#include "chatentry.h"
#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "preferences.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tphrases.h"
#include "updown.h"
#include "windowwiring.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace quibo;

namespace {

class RecordingSoundOutput : public SoundOutput {
public:
    void play(const QString& clip) override { clips << clip; }
    QStringList clips;
};

const QByteArray lobbySection = "; Kivo22 Lobby\r\n[Lobby]\r\nServer = lobby.example.net\r\n\r\n";

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PrefsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fileWithOnlyTextsizeLeavesTheRestAtDefaults();
    void textSizeReadsAsAnIntegerOrEight_data();
    void textSizeReadsAsAnIntegerOrEight();
    void coloursReadInEveryFormAndAreWrittenByName_data();
    void coloursReadInEveryFormAndAreWrittenByName();
    void onlyExactLowerCaseFalseSilences_data();
    void onlyExactLowerCaseFalseSilences();
    void optionsApplyOnlyWhenTheyAreNumbers_data();
    void optionsApplyOnlyWhenTheyAreNumbers();
    void computerLevelIsReadAndSaved_data();
    void computerLevelIsReadAndSaved();
    void otherSectionsSurviveEverySave();
    void failedSaveIsShownOnceAndStops();
    void textSizeItemResizesAndStoresButKeepsMarks();
    void cancelledTextColourSavesNothingCancelledActionColourSaves();
    void soundsPlayOnlyWhilePlaySoundsIsTicked();
    void everyClipIsEmbeddedInItsFormat_data();
    void everyClipIsEmbeddedInItsFormat();
    void editedPhrasesComeBackAtTheNextStart();
    void phraseEditorStaysOpenWhenTheFileCannotBeWritten();
    void readOnlyProgramFileFallsBackToThePerUserFile();

private:
    void makeWindows(const QString& settingsPath);
    void writeSettings(const QByteArray& bytes);
    QAction* item(const char* name) const { return m_chat->findChild<QAction*>(QLatin1String(name)); }
    QString stored(const char* key) const {
        return PrivateProfile(m_path).readString(u"Quibo", QString::fromLatin1(key),
                                                 QStringLiteral("<none>"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    RecordingSoundOutput m_sounds;
    std::unique_ptr<Tchat> m_chat;
    Tgamestart* m_options = nullptr;
    std::unique_ptr<Preferences> m_prefs;
    QStringList m_errors;
    ErrorReporter m_previousReporter;
};

void PrefsTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("kivolobby.ini"));
    m_errors.clear();
    m_sounds.clips.clear();
    m_previousReporter = setErrorReporter([this](const QString& message) { m_errors << message; });
    makeWindows(m_path);
}

void PrefsTest::cleanup() {
    m_prefs.reset();
    m_chat.reset();
    setErrorReporter(m_previousReporter);
}

void PrefsTest::makeWindows(const QString& settingsPath) {
    m_prefs.reset();
    m_chat = std::make_unique<Tchat>();
    m_options = m_chat->board()->gamestart();
    m_prefs = std::make_unique<Preferences>(*m_chat, SettingsFile(settingsPath), &m_sounds);
    connectPreferences(*m_chat, *m_prefs);
}

void PrefsTest::writeSettings(const QByteArray& bytes) {
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void PrefsTest::fileWithOnlyTextsizeLeavesTheRestAtDefaults() {
    writeSettings("[Quibo]\r\nTextsize=12\r\n");
    m_options->UpDown1()->setPosition(450);
    QVERIFY(m_options->checkbox_unlimited()->isChecked()); // ticked until the first read
    Q_EMIT m_chat->settingsLoadRequested();

    QCOMPARE(m_chat->chatView()->mainchat()->textSize(), 12);
    QVERIFY(item("N12")->isChecked());
    QVERIFY(!item("N8")->isChecked());
    QCOMPARE(m_chat->chatView()->textcolor(), colorBlack);
    QCOMPARE(m_chat->chatView()->actioncolor(), colorBlack);
    QCOMPARE(m_prefs->phraseButtons().phrase(1), QStringLiteral("Way To Go!"));
    QCOMPARE(m_prefs->phraseButtons().phrase(9), QStringLiteral("Good Game Everyone!"));
    QVERIFY(item("PlaySounds1")->isChecked());
    QCOMPARE(m_options->edit_playtoscore()->text(), QStringLiteral("200"));
    QCOMPARE(m_options->edit_creationtime()->text(), QStringLiteral("30"));
    QCOMPARE(m_options->edit_steals()->text(), QStringLiteral("5"));
    QVERIFY(!m_options->checkbox_unlimited()->isChecked());
    QCOMPARE(contentOf(m_path), QByteArray("[Quibo]\r\nTextsize=12\r\n")); // reading writes nothing
}

void PrefsTest::textSizeReadsAsAnIntegerOrEight_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("marked");
    QTest::newRow("11 has no item") << QByteArray("11") << 11 << QString();
    QTest::newRow("14") << QByteArray("14") << 14 << "N14";
    QTest::newRow("not a number") << QByteArray("big") << 8 << "N8";
    QTest::newRow("zero") << QByteArray("0") << 8 << "N8";
    QTest::newRow("absurdly large") << QByteArray("100000") << 8 << "N8";
}

void PrefsTest::textSizeReadsAsAnIntegerOrEight() {
    QFETCH(QByteArray, value);
    QFETCH(int, size);
    QFETCH(QString, marked);
    writeSettings("[Quibo]\nTextsize=" + value + "\n");
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(m_chat->chatView()->mainchat()->textSize(), size);
    for (const char* name : {"N8", "N10", "N12", "N14"})
        QCOMPARE(item(name)->isChecked(), marked == QLatin1String(name));
}

void PrefsTest::coloursReadInEveryFormAndAreWrittenByName_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("written");
    QTest::newRow("hex red") << QByteArray("$000000FF") << 0x0000FFu << "clRed";
    QTest::newRow("lower-case name") << QByteArray("clred") << 0x0000FFu << "clRed";
    QTest::newRow("pale blue") << QByteArray("$00FFC080") << 0xFFC080u << "$00FFC080";
    QTest::newRow("unreadable is black") << QByteArray("reddish") << 0u << "clBlack";
}

void PrefsTest::coloursReadInEveryFormAndAreWrittenByName() {
    QFETCH(QByteArray, value);
    QFETCH(uint, colour);
    QFETCH(QString, written);
    writeSettings("[Quibo]\nTextcolor=" + value + "\nActioncolor=" + value + "\n");
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(m_chat->chatView()->textcolor(), colour);
    QCOMPARE(m_chat->chatView()->actioncolor(), colour);
    QCOMPARE(m_chat->chatView()->mychat()->palette().color(QPalette::Text), toQColor(colour));
    Q_EMIT m_chat->settingsSaveRequested();
    QCOMPARE(stored("Textcolor"), written);
    QCOMPARE(stored("Actioncolor"), written);
}

void PrefsTest::onlyExactLowerCaseFalseSilences_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("on");
    QTest::newRow("false") << QByteArray("[Quibo]\nPlaysounds=false\n") << false;
    QTest::newRow("False") << QByteArray("[Quibo]\nPlaysounds=False\n") << true;
    QTest::newRow("0") << QByteArray("[Quibo]\nPlaysounds=0\n") << true;
    QTest::newRow("missing") << QByteArray("[Quibo]\n") << true;
}

void PrefsTest::onlyExactLowerCaseFalseSilences() {
    QFETCH(QByteArray, file);
    QFETCH(bool, on);
    item("PlaySounds1")->setChecked(!on);
    writeSettings(file);
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(item("PlaySounds1")->isChecked(), on);
}

void PrefsTest::optionsApplyOnlyWhenTheyAreNumbers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("number") << QByteArray("350") << "350";
    QTest::newRow("not a number keeps the window's value") << QByteArray("lots") << "500";
    QTest::newRow("empty keeps the window's value") << QByteArray("") << "500";
    QTest::newRow("above the arrows' range") << QByteArray("5000") << "1000";
    QTest::newRow("plus sign shown as plain digits") << QByteArray("+250") << "250";
}

void PrefsTest::optionsApplyOnlyWhenTheyAreNumbers() {
    QFETCH(QByteArray, value);
    QFETCH(QString, shown);
    m_options->UpDown1()->setPosition(500);
    writeSettings("[Quibo]\nPlaytoscore=" + value + "\nUnlimited=t\n");
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(m_options->edit_playtoscore()->text(), shown);
    QCOMPARE(m_options->UpDown1()->position(), shown.toInt());
    QVERIFY(m_options->checkbox_unlimited()->isChecked());
    m_options->checkbox_unlimited()->setChecked(false);
    m_options->button_startClick(); // Start Game saves the settings
    QCOMPARE(stored("Playtoscore"), shown);
    QCOMPARE(stored("Creationtime"), QStringLiteral("30"));
    QCOMPARE(stored("Steals"), QStringLiteral("5"));
    QCOMPARE(stored("Unlimited"), QStringLiteral("f"));
}

void PrefsTest::computerLevelIsReadAndSaved_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("level");
    QTest::newRow("strong") << QByteArray("strong") << int(ComputerLevel::Strong);
    QTest::newRow("easy") << QByteArray("easy") << int(ComputerLevel::Easy);
    QTest::newRow("expert") << QByteArray("expert") << int(ComputerLevel::Expert);
    QTest::newRow("unknown reads as normal") << QByteArray("Fierce") << int(ComputerLevel::Normal);
}

void PrefsTest::computerLevelIsReadAndSaved() {
    QFETCH(QByteArray, value);
    QFETCH(int, level);
    writeSettings("[Quibo]\nComputer=" + value + "\n");
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(int(m_options->computerLevel()), level);
    m_options->button_startClick();
    QCOMPARE(stored("Computer"), QString::fromLatin1(levelText(ComputerLevel(level))));
}

void PrefsTest::otherSectionsSurviveEverySave() {
    const QByteArray after = "; trailing comment of the lobby\r\n[Lobby2]\r\nName=Bo\r\n";
    writeSettings(lobbySection + "[Quibo]\r\nTextsize=10\r\n\r\n" + after);
    Q_EMIT m_chat->settingsLoadRequested();
    Q_EMIT m_chat->settingsSaveRequested();
    item("N14")->trigger();
    item("PlaySounds1")->trigger();
    m_prefs->colorMenus().setColorChooser([](const QColor&, QWidget*) { return QColor(Qt::red); });
    item("TextColor1")->trigger();
    item("ActionColor1")->trigger();
    item("PrhaseList1")->trigger();
    m_prefs->phraseEditor().box(1)->setText(QStringLiteral("Hi!"));
    m_prefs->phraseEditor().SelButton8Click();

    const QByteArray content = contentOf(m_path);
    QVERIFY2(content.startsWith(lobbySection + "[Quibo]\r\nTextsize=14\r\n"), content.constData());
    QVERIFY2(content.endsWith("\r\n\r\n" + after), content.constData());
    QCOMPARE(content.count("\r\n"), content.count('\n')); // every line keeps CRLF
    QCOMPARE(stored("Playsounds"), QStringLiteral("false"));
    QCOMPARE(stored("Textcolor"), QStringLiteral("clRed"));
    QCOMPARE(stored("Phrase1"), QStringLiteral("Hi!"));
    QVERIFY(m_errors.isEmpty());
}

void PrefsTest::failedSaveIsShownOnceAndStops() {
    writeSettings(lobbySection);
    QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    Q_EMIT m_chat->settingsSaveRequested();
    QCOMPARE(m_errors, QStringList{QStringLiteral("Unable to write to ") + m_path});
    QCOMPARE(contentOf(m_path), lobbySection);
}

void PrefsTest::textSizeItemResizesAndStoresButKeepsMarks() {
    writeSettings("[Quibo]\nTextsize=8\n");
    Q_EMIT m_chat->settingsLoadRequested();
    item("N12")->trigger();
    QCOMPARE(m_chat->chatView()->mainchat()->textSize(), 12);
    QCOMPARE(stored("Textsize"), QStringLiteral("12"));
    QVERIFY(item("N8")->isChecked());
    QVERIFY(!item("N12")->isChecked());
}

void PrefsTest::cancelledTextColourSavesNothingCancelledActionColourSaves() {
    int asked = 0;
    QColor offered;
    m_prefs->colorMenus().setColorChooser([&](const QColor& initial, QWidget*) -> std::optional<QColor> {
        ++asked;
        offered = initial;
        return std::nullopt;
    });
    m_chat->chatView()->settextcolor(colorNavy);
    item("TextColor1")->trigger();
    QCOMPARE(asked, 1);
    QCOMPARE(offered, toQColor(colorNavy)); // the dialog opens on the current colour
    QCOMPARE(m_chat->chatView()->textcolor(), colorNavy);
    QVERIFY(!QFile::exists(m_path));

    item("ActionColor1")->trigger();
    QCOMPARE(asked, 2);
    QCOMPARE(stored("Actioncolor"), QStringLiteral("clBlack"));

    m_prefs->colorMenus().setColorChooser([](const QColor&, QWidget*) { return QColor(0x80, 0xC0, 0xFF); });
    item("TextColor1")->trigger();
    QCOMPARE(m_chat->chatView()->textcolor(), ColorValue(0xFFC080));
    QCOMPARE(m_chat->chatView()->mychat()->palette().color(QPalette::Text), QColor(0x80, 0xC0, 0xFF));
    QCOMPARE(stored("Textcolor"), QStringLiteral("$00FFC080"));
}

void PrefsTest::soundsPlayOnlyWhilePlaySoundsIsTicked() {
    m_chat->playsounds(QStringLiteral("entered"));
    m_chat->playsounds(QStringLiteral("GameOver"));
    m_chat->playsounds(QStringLiteral("winner"));
    QCOMPARE(m_sounds.clips,
             (QStringList{QStringLiteral(":/sounds/entered.wav"), QStringLiteral(":/sounds/gameover.wav"),
                          QStringLiteral(":/sounds/alert.wav")}));
    item("PlaySounds1")->trigger();
    QCOMPARE(stored("Playsounds"), QStringLiteral("false"));
    m_chat->playsounds(QStringLiteral("entered"));
    QCOMPARE(m_sounds.clips.size(), 3);

    // The real output, Qt Multimedia in the sound module, returns at once and stays silent where
    // there is no audio device; without its module the game is silent too.
    ModuleSoundOutput real(QStringLiteral(QUIBO_SOUND_MODULE));
    QVERIFY(real.load());
    for (const char* name : {"entered", "start", "winner", "gameover"})
        real.play(GameSounds::clipFor(QLatin1String(name)));
    ModuleSoundOutput missing(m_dir->filePath(QStringLiteral("quibo-sound.so")));
    QVERIFY(!missing.load());
    missing.play(GameSounds::clipFor(QStringLiteral("entered")));
}

void PrefsTest::everyClipIsEmbeddedInItsFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<double>("seconds");
    QTest::newRow("badword") << "badword" << 44100 << 16 << 0.35;
    QTest::newRow("clear") << "clear" << 44100 << 16 << 0.26;
    QTest::newRow("entered") << "entered" << 11025 << 8 << 0.79;
    QTest::newRow("gameover") << "gameover" << 22050 << 8 << 1.06;
    QTest::newRow("goodword") << "goodword" << 44100 << 16 << 0.22;
    QTest::newRow("place") << "place" << 44100 << 16 << 0.22;
    QTest::newRow("roundover") << "roundover" << 11025 << 8 << 1.25;
    QTest::newRow("start") << "start" << 22050 << 8 << 1.00;
    QTest::newRow("alert") << "alert" << 22050 << 16 << 0.30;
    QTest::newRow("tick") << "tick" << 22050 << 8 << 0.06;
}

void PrefsTest::everyClipIsEmbeddedInItsFormat() {
    QFETCH(QString, name);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(double, seconds);
    QFile clip(GameSounds::clipFor(name));
    QVERIFY2(clip.open(QIODevice::ReadOnly), qPrintable(clip.fileName()));
    const QByteArray wav = clip.readAll();
    const auto u16 = [&](int at) { return int(quint8(wav[at])) | int(quint8(wav[at + 1])) << 8; };
    const auto u32 = [&](int at) { return qint64(u16(at)) | qint64(u16(at + 2)) << 16; };
    QVERIFY(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt ");
    QCOMPARE(u16(20), 1); // plain PCM
    QCOMPARE(u16(22), 1); // mono
    QCOMPARE(u32(24), rate);
    QCOMPARE(u16(34), bits);
    QCOMPARE(wav.mid(36, 4), QByteArray("data"));
    QVERIFY(qAbs(double(u32(40)) / (rate * bits / 8) - seconds) < 0.01);
}

void PrefsTest::editedPhrasesComeBackAtTheNextStart() {
    item("PrhaseList1")->trigger();
    Tphrases& editor = m_prefs->phraseEditor();
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.windowTitle(), QStringLiteral("Quibo - Phrase Buttons"));
    QCOMPARE(editor.box(2)->text(), QStringLiteral("Good One!"));
    QCOMPARE(editor.box(1)->maxLength(), 50);
    editor.box(1)->setText(QStringLiteral("/me waves"));
    editor.box(9)->clear();
    QTest::mouseClick(editor.findChild<QAbstractButton*>(QStringLiteral("SelButton8")), Qt::LeftButton);
    QVERIFY(!editor.isVisible());
    QCOMPARE(m_prefs->phraseButtons().phrase(1), QStringLiteral("/me waves"));
    QCOMPARE(m_prefs->phraseButtons().button(1)->toolTip(), QStringLiteral("/me waves"));
    QCOMPARE(stored("Phrase9"), QString());

    makeWindows(m_path); // the next start
    Q_EMIT m_chat->settingsLoadRequested();
    QCOMPARE(m_prefs->phraseButtons().phrase(1), QStringLiteral("/me waves"));
    QCOMPARE(m_prefs->phraseButtons().phrase(2), QStringLiteral("Good One!"));
    QCOMPARE(m_prefs->phraseButtons().phrase(9), QStringLiteral("Good Game Everyone!"));
}

void PrefsTest::phraseEditorStaysOpenWhenTheFileCannotBeWritten() {
    QFile blocker(m_dir->filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unwritable = blocker.fileName() + QStringLiteral("/kivolobby.ini");
    makeWindows(unwritable);
    item("PrhaseList1")->trigger();
    m_prefs->phraseEditor().box(3)->setText(QStringLiteral("Oops"));
    m_prefs->phraseEditor().SelButton8Click();
    QCOMPARE(m_errors, QStringList{QStringLiteral("Unable to write to ") + unwritable});
    QVERIFY(m_prefs->phraseEditor().isVisible());
    QCOMPARE(m_prefs->phraseButtons().phrase(3), QStringLiteral("Oops"));
}

void PrefsTest::readOnlyProgramFileFallsBackToThePerUserFile() {
    const QString programDir = m_dir->filePath(QStringLiteral("program"));
    const QString userDir = m_dir->filePath(QStringLiteral("user"));
    QVERIFY(QDir().mkpath(programDir));
    const QString programFile = programDir + QStringLiteral("/kivolobby.ini");
    const QByteArray installed = "[Quibo]\nTextsize=14\nSteals=7\n";
    QFile file(programFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(installed);
    file.close();
    QVERIFY(QFile::setPermissions(programFile, QFileDevice::ReadOwner));

    const SettingsFile settings = SettingsFile::locate(programDir, userDir);
    QCOMPARE(settings.path(), userDir + QStringLiteral("/kivolobby.ini"));
    settings.write(QStringLiteral("Textsize"), QStringLiteral("10"));
    QCOMPARE(settings.read(QStringLiteral("Textsize"), QString()), QStringLiteral("10"));
    QCOMPARE(settings.read(QStringLiteral("Steals"), QString()), QStringLiteral("7"));
    QCOMPARE(contentOf(programFile), installed);

    // A writable program directory without a per-user file keeps the file beside the program.
    QVERIFY(QFile::setPermissions(programFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(SettingsFile::locate(programDir, m_dir->filePath(QStringLiteral("other"))).path(), programFile);
}

QTEST_MAIN(PrefsTest)
#include "tst_prefs.moc"

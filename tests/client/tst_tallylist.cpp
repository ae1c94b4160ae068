// SPDX-License-Identifier: MIT
#include "errorreport.h"
#include "tallygrid.h"
#include "tlzrw1.h"
#include "ttallylist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

#include <memory>

using namespace quibo;

namespace {

const QByteArray emptyTally = QByteArray::fromHex("57525A4C2500000010004001C031300D0A310D0A0060003F0126");

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Answers the next modal question box with the given button and keeps its text.
void answerNextQuestion(QMessageBox::StandardButton answer, QString* text) {
    QTimer::singleShot(0, [answer, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        *text = box->text();
        box->button(answer)->click();
    });
}

} // namespace

class TallyListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void gameCountsByWinnerAndFollowing_data();
    void gameCountsByWinnerAndFollowing();
    void ownTotalsCountWithoutOpeningTheWindow_data();
    void ownTotalsCountWithoutOpeningTheWindow();
    void tiesKeepTheEarlierWord();
    void deletingAnOpponentMovesLaterRowsUp_data();
    void deletingAnOpponentMovesLaterRowsUp();
    void decliningTheDeletionKeepsEverything();
    void aFollowedNameGetsNoSecondRow();
    void sessionCountsResetAtTheNextStart();
    void emptyRunLeavesTheKnownFileAndNoTextFile();
    void damagedFileIsReportedAndStartsEmpty();
    void damagedFileIsKeptBesideTheFirstSave();
    void everyTalliedGameIsSaved();
    void failedSaveLeavesThePreviousFile();
    void userCopyIsPreferredAndUnwritableProgramDirAvoided();

private:
    Ttallylist& makeWindow();
    void follow(const QString& name);
    QString text(const char* labelName) const;
    QString cell(int column, int row) const { return m_window->grid().cell(column, row); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Ttallylist> m_window;
    Ttallylist::Seats m_seats;
    QStringList m_errors;
};

void TallyListTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    setErrorReporter([this](const QString& message) { m_errors << message; });
}

void TallyListTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_seats = {QStringLiteral("Me"), QStringLiteral("Ann"), 1};
    m_errors.clear();
}

void TallyListTest::cleanup() {
    m_window.reset();
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

Ttallylist& TallyListTest::makeWindow() {
    m_window = std::make_unique<Ttallylist>(m_dir->path());
    m_window->setSeats(m_seats);
    return *m_window;
}

// What the player does: open the window (the list of current players is filled) and tick a name.
void TallyListTest::follow(const QString& name) {
    m_window->setSeats(m_seats);
    m_window->loadchecklist();
    auto* list = m_window->findChild<QListWidget*>(QStringLiteral("checklist"));
    const auto found = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    found.first()->setCheckState(Qt::Unchecked);
    found.first()->setCheckState(Qt::Checked);
}

QString TallyListTest::text(const char* labelName) const {
    return m_window->findChild<QLabel*>(QString::fromLatin1(labelName))->text();
}

void TallyListTest::gameCountsByWinnerAndFollowing_data() {
    QTest::addColumn<bool>("followed");
    QTest::addColumn<int>("winnerSeat");
    QTest::addColumn<QString>("ownWins");
    QTest::addColumn<QStringList>("opponentRow"); // columns 1 to 8, empty when no row
    QTest::newRow("own win against a followed opponent")
        << true << 1 << "1" << QStringList{"1", "0", "1", "0", "1", "0", "1", "0"};
    QTest::newRow("opponent's win") << true << 2 << "0"
                                    << QStringList{"1", "1", "0", "0", "1", "1", "0", "0"};
    QTest::newRow("unfollowed opponent") << false << 1 << "1" << QStringList{};
}

void TallyListTest::gameCountsByWinnerAndFollowing() {
    QFETCH(bool, followed);
    QFETCH(int, winnerSeat);
    QFETCH(QString, ownWins);
    QFETCH(QStringList, opponentRow);
    makeWindow();
    const auto hisNameHidden = [this] {
        return m_window->findChild<QLabel*>(QStringLiteral("label_hisnametop"))->isHidden() &&
               m_window->findChild<QLabel*>(QStringLiteral("label_hisname"))->isHidden();
    };
    QVERIFY(hisNameHidden()); // no "XX Wins:" before an opponent is chosen
    if (followed)
        follow(QStringLiteral("Ann"));
    else
        m_window->loadchecklist();
    m_window->recordGame(winnerSeat, winnerSeat == 1 ? QStringLiteral("Me") : QStringLiteral("Ann"), 1);
    QCOMPARE(text("mylabel_1"), QStringLiteral("1"));
    QCOMPARE(text("mylabel_2"), ownWins);
    QCOMPARE(m_window->grid().rowCount(), opponentRow.isEmpty() ? 1 : 2);
    for (int c = 1; c <= opponentRow.size(); ++c)
        QCOMPARE(cell(c, 1), opponentRow[c - 1]);
    if (followed) {
        m_window->findChild<QListWidget*>(QStringLiteral("listbox_tally"))->setCurrentRow(0);
        QCOMPARE(text("label_hisnametop"), QStringLiteral("Ann's Tally"));
        QCOMPARE(text("label_hisname"), QStringLiteral("Ann Wins:"));
        QCOMPARE(text("label_2"), opponentRow[1]);
        QVERIFY(!hisNameHidden());
    }
}

void TallyListTest::ownTotalsCountWithoutOpeningTheWindow_data() {
    QTest::addColumn<int>("mynumber");
    QTest::addColumn<QList<int>>("winnerSeats"); // the display seats that won, game after game
    QTest::addColumn<QString>("games");
    QTest::addColumn<QString>("wins");
    QTest::newRow("two won games") << 1 << QList<int>{1, 1} << "2"
                                   << "2";
    QTest::newRow("a win and a loss from seat 2") << 2 << QList<int>{2, 1} << "2"
                                                  << "1";
    QTest::newRow("a spectator") << 4 << QList<int>{1, 2} << "0"
                                 << "0";
}

// The window was never opened: the player's own totals count anyway, and no opponent is followed.
void TallyListTest::ownTotalsCountWithoutOpeningTheWindow() {
    QFETCH(int, mynumber);
    QFETCH(QList<int>, winnerSeats);
    QFETCH(QString, games);
    QFETCH(QString, wins);
    makeWindow();
    for (const int seat : winnerSeats)
        m_window->recordGame(seat, seat == 1 ? QStringLiteral("Me") : QStringLiteral("Ann"), mynumber);
    QCOMPARE(cell(1, 0), games);
    QCOMPARE(text("mylabel_1"), games);
    QCOMPARE(cell(2, 0), wins);
    QCOMPARE(text("mylabel_2"), wins);
    QCOMPARE(m_window->grid().rowCount(), 1);
    m_window.reset(); // the counts outlive the run
    makeWindow();
    QCOMPARE(text("mylabel_1"), games);
}

void TallyListTest::tiesKeepTheEarlierWord() {
    makeWindow();
    m_window->recordWord(QStringLiteral("cat"), 5);
    m_window->recordWord(QStringLiteral("dog"), 5);
    QCOMPARE(text("mylabel_3"), QStringLiteral("cat (3)"));
    QCOMPARE(text("mylabel_5"), QStringLiteral("cat (5)"));
    m_window->recordWord(QStringLiteral("bird"), 4);
    QCOMPARE(text("mylabel_3"), QStringLiteral("bird (4)"));
    QCOMPARE(text("mylabel_5"), QStringLiteral("cat (5)"));
    QCOMPARE(text("mylabel_7"), QStringLiteral("3"));
    QCOMPARE(cell(3, 0), QStringLiteral("bird"));
    QCOMPARE(cell(6, 0), QStringLiteral("5"));
}

void TallyListTest::deletingAnOpponentMovesLaterRowsUp_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("the only one") << QStringList{"Ann"} << QStringList{};
    QTest::newRow("the first of three") << QStringList{"Ann", "Bo", "Cy"} << QStringList{"Bo", "Cy"};
}

void TallyListTest::deletingAnOpponentMovesLaterRowsUp() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, left);
    makeWindow();
    for (const QString& name : names) {
        m_seats.seat2 = name;
        follow(name);
        m_window->recordGame(2, name, 1);
    }
    auto* tallied = m_window->findChild<QListWidget*>(QStringLiteral("listbox_tally"));
    QString question;
    answerNextQuestion(QMessageBox::Yes, &question);
    tallied->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(question, QStringLiteral("This will delete Ann's Tally, Are you want to delete it?"));
    QCOMPARE(m_window->grid().rowCount(), 1 + left.size());
    QCOMPARE(tallied->count(), left.size());
    for (int i = 0; i < left.size(); ++i) {
        QCOMPARE(cell(0, i + 1), left[i]);
        QCOMPARE(tallied->item(i)->text(), left[i]);
        QCOMPARE(cell(2, i + 1), QStringLiteral("1")); // each won the game played against it
    }
}

void TallyListTest::decliningTheDeletionKeepsEverything() {
    makeWindow();
    follow(QStringLiteral("Ann"));
    auto* tallied = m_window->findChild<QListWidget*>(QStringLiteral("listbox_tally"));
    QString question;
    answerNextQuestion(QMessageBox::No, &question);
    tallied->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(tallied->item(0)->checkState(), Qt::Checked);
    QCOMPARE(m_window->grid().rowCount(), 2);
}

void TallyListTest::aFollowedNameGetsNoSecondRow() {
    makeWindow();
    follow(QStringLiteral("Ann"));
    follow(QStringLiteral("Ann"));
    QCOMPARE(m_window->grid().rowCount(), 2);
    QCOMPARE(m_window->findChild<QListWidget*>(QStringLiteral("listbox_tally"))->count(), 1);
    // The own seat and an empty seat are never offered.
    m_seats = {QStringLiteral("<Waiting>"), QStringLiteral("Me"), 2};
    m_window->setSeats(m_seats);
    m_window->loadchecklist();
    QCOMPARE(m_window->findChild<QListWidget*>(QStringLiteral("checklist"))->count(), 0);
}

void TallyListTest::sessionCountsResetAtTheNextStart() {
    makeWindow();
    follow(QStringLiteral("Ann"));
    m_window->recordGame(1, QStringLiteral("Me"), 1);
    m_window->recordWord(QStringLiteral("quibo"), 12);
    m_window.reset();

    makeWindow();
    QCOMPARE(cell(1, 1), QStringLiteral("1"));
    QCOMPARE(cell(3, 1), QStringLiteral("1"));
    for (int c = 5; c <= 8; ++c)
        QCOMPARE(cell(c, 1), QStringLiteral("0"));
    QCOMPARE(text("mylabel_1"), QStringLiteral("1"));
    QCOMPARE(text("mylabel_5"), QStringLiteral("quibo (12)"));
    auto* tallied = m_window->findChild<QListWidget*>(QStringLiteral("listbox_tally"));
    QCOMPARE(tallied->count(), 1);
    QCOMPARE(tallied->item(0)->checkState(), Qt::Checked);
}

void TallyListTest::emptyRunLeavesTheKnownFileAndNoTextFile() {
    makeWindow();
    QCOMPARE(text("mylabel_3"), QStringLiteral("None"));
    m_window.reset();
    QCOMPARE(readFile(m_dir->filePath("quibotally.tld")), emptyTally);
    QVERIFY(!QFile::exists(QStringLiteral("temp.txt")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"quibotally.tld"});
}

void TallyListTest::damagedFileIsReportedAndStartsEmpty() {
    const QString path = m_dir->filePath("quibotally.tld");
    writeFile(path, "not a tally file");
    makeWindow();
    QCOMPARE(m_errors, QStringList{path +
                                   " : Lzrw1 decompression : this file has no valid header !\n\n"
                                   "The unreadable file will be kept as " +
                                   path + ".bad when the tally is saved."});
    QCOMPARE(m_window->grid().rowCount(), 1);
    QCOMPARE(cell(1, 0), QStringLiteral("0"));

    // A text form that is not a number is reported the same way.
    m_window.reset();
    m_errors.clear();
    writeFile(path, Tlzrw1::compressBytes("ten\r\n1\r\n"));
    makeWindow();
    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(cell(7, 0), QStringLiteral("0"));
}

void TallyListTest::damagedFileIsKeptBesideTheFirstSave() {
    const QString path = m_dir->filePath("quibotally.tld");
    writeFile(path + ".bad", "an older copy");
    writeFile(path, "not a tally file");
    makeWindow();
    follow(QStringLiteral("Ann"));
    m_window->recordGame(2, QStringLiteral("Ann"), 1); // the first save
    QCOMPARE(readFile(path + ".bad"), QByteArray("not a tally file"));
    m_window.reset(); // the save at exit keeps that copy
    QCOMPARE(readFile(path + ".bad"), QByteArray("not a tally file"));
    TallyGrid onDisk;
    onDisk.fromText(Tlzrw1::decompressBytes(readFile(path)));
    QCOMPARE(onDisk.cell(1, 0), QStringLiteral("1"));
}

void TallyListTest::everyTalliedGameIsSaved() {
    makeWindow();
    follow(QStringLiteral("Ann"));
    m_window->recordGame(2, QStringLiteral("Ann"), 1);
    TallyGrid onDisk;
    onDisk.fromText(Tlzrw1::decompressBytes(readFile(m_dir->filePath("quibotally.tld"))));
    QCOMPARE(onDisk.cell(1, 0), QStringLiteral("1"));
    QCOMPARE(onDisk.cell(0, 1), QStringLiteral("Ann"));
    QCOMPARE(onDisk.cell(2, 1), QStringLiteral("1"));
}

void TallyListTest::failedSaveLeavesThePreviousFile() {
#ifdef Q_OS_LINUX
    makeWindow();
    follow(QStringLiteral("Ann"));
    m_window->recordGame(1, QStringLiteral("Me"), 1);
    const QByteArray before = readFile(m_dir->filePath("quibotally.tld"));
    QVERIFY(before.size() > 26);
    m_window->recordWord(QStringLiteral("abcdefghijklmnop"), 99);
    // Writes past 16 bytes fail from here on.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool saved = m_window->save();
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!saved);
    QCOMPARE(readFile(m_dir->filePath("quibotally.tld")), before);
#else
    QSKIP("needs a file size limit");
#endif
}

void TallyListTest::userCopyIsPreferredAndUnwritableProgramDirAvoided() {
    const QString program = m_dir->filePath("program");
    const QString user = m_dir->filePath("user");
    QDir().mkpath(program);
    QDir().mkpath(user);
    QCOMPARE(Ttallylist::chooseLoadPath(program, user), program + "/quibotally.tld");
    QCOMPARE(Ttallylist::chooseSavePath(program, user), program + "/quibotally.tld");
    // A program directory that cannot be written to (here: one that is not there).
    QCOMPARE(Ttallylist::chooseSavePath(m_dir->filePath("gone"), user), user + "/quibotally.tld");
    writeFile(user + "/quibotally.tld", emptyTally);
    QCOMPARE(Ttallylist::chooseLoadPath(program, user), user + "/quibotally.tld");
    QCOMPARE(Ttallylist::chooseSavePath(program, user), user + "/quibotally.tld");
}

QTEST_MAIN(TallyListTest)
#include "tst_tallylist.moc"

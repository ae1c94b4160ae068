// SPDX-License-Identifier: MIT
#include "boundedfile.h"
#include "wordmeanings.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace quibo;

namespace {

const QString realFolder = QStringLiteral("/usr/share/wordnet");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A data file built line by line: each line starts with its own byte offset, as in the real files.
class DataFile {
public:
    QByteArray bytes =
        "  1 A small database written by the test.  \n  2 Licence lines start with spaces.  \n";

    // Appends "offset body" and returns the offset; writtenOffset, when set, is what the line says.
    QByteArray add(const QByteArray& body, qsizetype writtenOffset = -1) {
        const QByteArray offset = QByteArray::number(bytes.size()).rightJustified(8, '0');
        const qsizetype stated = writtenOffset < 0 ? bytes.size() : writtenOffset;
        bytes += QByteArray::number(stated).rightJustified(8, '0') + ' ' + body + "  \n";
        return offset;
    }
};

// Index lines sorted by lemma, after the same licence lines.
QByteArray indexFile(const QMap<QByteArray, QByteArray>& lines) {
    QByteArray bytes = "  1 A small index written by the test.  \n";
    for (auto it = lines.cbegin(); it != lines.cend(); ++it)
        bytes += it.key() + ' ' + it.value() + "  \n";
    return bytes;
}

using Lines = QStringList;

} // namespace

class WordMeaningsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void smallDatabaseGivesCheckedSenses_data();
    void smallDatabaseGivesCheckedSenses();
    void missingDatabaseGivesNothing_data();
    void missingDatabaseGivesNothing();
    void databaseFilesAreBounded_data();
    void databaseFilesAreBounded();
    void filesCutWhileOpenGiveNoSense();
    void suffixRulesMakeFormsInOrder_data();
    void suffixRulesMakeFormsInOrder();
    void realDatabaseFindsBaseForms_data();
    void realDatabaseFindsBaseForms();
    void realDatabaseHasCommonWords_data();
    void realDatabaseHasCommonWords();

private:
    // A copy of the small database in a folder of its own.
    QString copyDatabase(const QTemporaryDir& dir) const;
    QTemporaryDir m_dir;
};

QString WordMeaningsTest::copyDatabase(const QTemporaryDir& dir) const {
    for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files))
        if (!QFile::copy(m_dir.filePath(name), dir.filePath(name))) return QString();
    return dir.path();
}

void WordMeaningsTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    DataFile nouns;
    const QByteArray cafe = nouns.add(
        "13 n 01 cafe 0 001 @ 02934321 n 0000 | a small restaurant where drinks and snacks are sold; "
        "\"we met at the cafe\"");
    const QByteArray planet1 = nouns.add("17 n 01 planet 0 000 | any of the large bodies that circle a star");
    const QByteArray planet2 = nouns.add("18 n 02 planet 0 satellite 1 000 | a person who follows another");
    const QByteArray box1 = nouns.add("06 n 01 box 0 000 | a container");
    const QByteArray box2 = nouns.add("06 n 01 box 1 000 | a booth in a theatre");
    const QByteArray box3 = nouns.add("04 n 01 box 2 000 | a blow with the hand");
    const QByteArray mixedBad = nouns.add("06 n zz mixed 0 000 | a word count that is not hexadecimal");
    const QByteArray mixedGood = nouns.add("06 n 01 mixed 0 000 | the sense that survives");
    const QByteArray misfit = nouns.add("06 n 01 misfit 0 000 | a line that names another offset", 12);
    const QByteArray noGloss = nouns.add("06 n 01 glossless 0 000 | ");
    const QByteArray longGloss =
        nouns.add("06 n 01 lengthy 0 000 | " + QByteArray(396, 'a') + "\xc3\xa9 more");
    const QByteArray last = nouns.add("06 n 01 lastword 0 000 | a line cut before its end");
    nouns.bytes.chop(QByteArrayView("its end  \n").size());
    writeFile(m_dir.filePath("data.noun"), nouns.bytes);
    writeFile(m_dir.filePath("index.noun"),
              indexFile({{"box", "n 3 1 @ 3 0 " + box1 + ' ' + box2 + ' ' + box3},
                         {"cafe", "n 1 1 @ 1 0 " + cafe},
                         {"damaged", "n 2 1 @ 2 0 " + cafe},
                         {"faraway",
                          "n 1 0 1 0 " + QByteArray::number(nouns.bytes.size() + 10).rightJustified(8, '0')},
                         {"glossless", "n 1 0 1 0 " + noGloss},
                         {"lengthy", "n 1 0 1 0 " + longGloss},
                         {"lastword", "n 1 0 1 0 " + last},
                         {"misfit", "n 1 0 1 0 " + misfit},
                         {"mixed", "n 2 0 2 0 " + mixedBad + ' ' + mixedGood},
                         {"planet", "n 2 0 2 0 " + planet1 + ' ' + planet2}}));
    // "mice" repeated on far more lines than any real list has: only its first base forms count.
    QByteArray nounExceptions;
    for (int i = 0; i < 1000; ++i)
        nounExceptions += "mice mouse" + QByteArray::number(i) + '\n';
    writeFile(m_dir.filePath("noun.exc"), nounExceptions + "mice cafe\n");

    DataFile verbs;
    const QByteArray boxVerb = verbs.add("35 v 01 box 0 000 01 + 08 00 | put into a box");
    const QByteArray steal =
        verbs.add("40 v 01 steal 0 000 01 + 08 00 | take without the owner's consent; \"she stole it\"");
    writeFile(m_dir.filePath("data.verb"), verbs.bytes);
    writeFile(m_dir.filePath("index.verb"),
              indexFile({{"box", "v 1 0 1 0 " + boxVerb}, {"steal", "v 1 0 1 0 " + steal}}));
    writeFile(m_dir.filePath("verb.exc"), "stole steal\n");
}

void WordMeaningsTest::smallDatabaseGivesCheckedSenses_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("limit");
    QTest::addColumn<Lines>("expected");
    QTest::newRow("definition without example")
        << QByteArray(" Cafe ") << 3 << Lines{"noun: a small restaurant where drinks and snacks are sold"};
    QTest::newRow("plural by suffix rule")
        << QByteArray("planets") << 3
        << Lines{"noun (planet): any of the large bodies that circle a star",
                 "noun (planet): a person who follows another"};
    QTest::newRow("past tense by exception list")
        << QByteArray("stole") << 3 << Lines{"verb (steal): take without the owner's consent"};
    // Each part of speech gets its first sense before any gets its second.
    QTest::newRow("three senses, verb not hidden")
        << QByteArray("box") << 3
        << Lines{"noun: a container", "noun: a booth in a theatre", "verb: put into a box"};
    QTest::newRow("all senses") << QByteArray("box") << 0
                                << Lines{"noun: a container", "noun: a booth in a theatre",
                                         "noun: a blow with the hand", "verb: put into a box"};
    QTest::newRow("one sense") << QByteArray("box") << 1 << Lines{"noun: a container"};
    // Cut to 400 bytes with "...", before the two-byte letter that would straddle the cut.
    QTest::newRow("long definition cut between letters")
        << QByteArray("lengthy") << 3 << Lines{"noun: " + QString(396, u'a') + "..."};
    QTest::newRow("missing word") << QByteArray("zzzq") << 3 << Lines{};
    QTest::newRow("damaged index line") << QByteArray("damaged") << 3 << Lines{};
    QTest::newRow("damaged data line skipped")
        << QByteArray("mixed") << 3 << Lines{"noun: the sense that survives"};
    QTest::newRow("data line without gloss") << QByteArray("glossless") << 3 << Lines{};
    QTest::newRow("offset past the end") << QByteArray("faraway") << 3 << Lines{};
    QTest::newRow("line names another offset") << QByteArray("misfit") << 3 << Lines{};
    QTest::newRow("exception list past its bound") << QByteArray("mice") << 3 << Lines{};
    QTest::newRow("file cut mid-line") << QByteArray("lastword") << 3 << Lines{};
}

void WordMeaningsTest::smallDatabaseGivesCheckedSenses() {
    QFETCH(QByteArray, word);
    QFETCH(int, limit);
    QFETCH(Lines, expected);
    WordMeanings meanings(m_dir.path());
    QVERIFY(meanings.isInstalled());
    Lines lines;
    for (const WordSense& sense : meanings.senses(word, limit))
        lines << senseLine(sense, word);
    QCOMPARE(lines, expected);
}

void WordMeaningsTest::missingDatabaseGivesNothing_data() {
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<QStringList>("empty");
    QTest::newRow("no folder") << QStringList{} << QStringList{};
    QTest::newRow("index without data") << QStringList{"index.noun", "noun.exc"} << QStringList{};
    QTest::newRow("empty files") << QStringList{} << QStringList{"index.noun", "data.noun"};
}

void WordMeaningsTest::missingDatabaseGivesNothing() {
    QFETCH(QStringList, copied);
    QFETCH(QStringList, empty);
    QTemporaryDir dir;
    const QString folder = dir.filePath("wordnet");
    if (!copied.isEmpty() || !empty.isEmpty()) QVERIFY(QDir(dir.path()).mkdir("wordnet"));
    for (const QString& name : copied)
        QVERIFY(QFile::copy(m_dir.filePath(name), folder + '/' + name));
    for (const QString& name : empty)
        writeFile(folder + '/' + name, QByteArray());
    WordMeanings meanings(folder);
    QVERIFY(!meanings.isInstalled());
    QVERIFY(meanings.senses("cafe").isEmpty());
    QVERIFY(meanings.baseForms("planets", PartOfSpeech::Noun).isEmpty());
}

// A FIFO, a device or a file past the bound under a database name is refused with a warning, not
// read; a file at the bound is used.
void WordMeaningsTest::databaseFilesAreBounded_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("warning"); // empty: the file is used
    for (const QString name : {"index.noun", "data.noun"}) {
        const auto row = [&name](const char* kind, const char* warning) {
            QTest::addRow("%s %s", qPrintable(name), kind) << name << QString::fromLatin1(kind) << warning;
        };
        row("fifo", "is not a regular file");
        row("device", "is not a regular file");
        row("past the bound", "is larger than 64 MiB");
        row("at the bound", "");
    }
}

void WordMeaningsTest::databaseFilesAreBounded() {
#ifdef Q_OS_UNIX
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString folder = copyDatabase(dir);
    QVERIFY(!folder.isEmpty());
    const QString path = dir.filePath(name);
    if (kind == "fifo") {
        QVERIFY(QFile::remove(path));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "device") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link("/dev/zero", path));
    } else {
        // Sparse: the zeros cost no disk, and follow the last newline, so the lines stay as they were.
        QVERIFY(QFile::resize(path, maxReadFileSize + (kind == "past the bound" ? 1 : 0)));
    }
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(path + ' ' + warning + " - it is not used"));
    WordMeanings meanings(folder);
    const QList<WordSense> senses = meanings.senses("cafe");
    QCOMPARE(senses.isEmpty(), !warning.isEmpty());
#else
    QSKIP("FIFOs and devices are Unix files");
#endif
}

// Files cut to nothing while the reader has them open: the index is in memory, the data lines are
// read again, come back short and give no sense.
void WordMeaningsTest::filesCutWhileOpenGiveNoSense() {
    QTemporaryDir dir;
    const QString folder = copyDatabase(dir);
    QVERIFY(!folder.isEmpty());
    WordMeanings meanings(folder);
    QCOMPARE(meanings.senses("cafe").size(), 1);
    for (const char* name : {"index.noun", "data.noun", "index.verb", "data.verb"})
        QVERIFY(QFile::resize(dir.filePath(name), 0));
    QVERIFY(meanings.senses("cafe").isEmpty());
    QVERIFY(meanings.senses("box").isEmpty());
    QCOMPARE(meanings.baseForms("planets", PartOfSpeech::Noun), QList<QByteArray>{"planet"});
}

void WordMeaningsTest::suffixRulesMakeFormsInOrder_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<PartOfSpeech>("pos");
    QTest::addColumn<QList<QByteArray>>("forms");
    QTest::newRow("noun xes") << QByteArray("boxes") << PartOfSpeech::Noun
                              << QList<QByteArray>{"boxe", "box"};
    QTest::newRow("noun ches") << QByteArray("churches") << PartOfSpeech::Noun
                               << QList<QByteArray>{"churche", "church"};
    QTest::newRow("noun men") << QByteArray("women") << PartOfSpeech::Noun << QList<QByteArray>{"woman"};
    QTest::newRow("noun ies") << QByteArray("flies") << PartOfSpeech::Noun
                              << QList<QByteArray>{"flie", "fly"};
    QTest::newRow("verb ies/es") << QByteArray("flies") << PartOfSpeech::Verb
                                 << QList<QByteArray>{"flie", "fly", "fli"};
    QTest::newRow("verb ed") << QByteArray("hoped") << PartOfSpeech::Verb << QList<QByteArray>{"hope", "hop"};
    QTest::newRow("verb ing") << QByteArray("running") << PartOfSpeech::Verb
                              << QList<QByteArray>{"runne", "runn"};
    QTest::newRow("adjective er") << QByteArray("bigger") << PartOfSpeech::Adjective
                                  << QList<QByteArray>{"bigg", "bigge"};
    QTest::newRow("adjective est") << QByteArray("wisest") << PartOfSpeech::Adjective
                                   << QList<QByteArray>{"wis", "wise"};
    QTest::newRow("adverb none") << QByteArray("quickly") << PartOfSpeech::Adverb << QList<QByteArray>{};
    QTest::newRow("ending alone") << QByteArray("s") << PartOfSpeech::Noun << QList<QByteArray>{};
}

void WordMeaningsTest::suffixRulesMakeFormsInOrder() {
    QFETCH(QByteArray, word);
    QFETCH(PartOfSpeech, pos);
    QFETCH(QList<QByteArray>, forms);
    QCOMPARE(suffixRuleForms(word, pos), forms);
}

void WordMeaningsTest::realDatabaseFindsBaseForms_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<PartOfSpeech>("pos");
    QTest::addColumn<QByteArray>("base");
    const auto row = [](const char* word, PartOfSpeech pos, const char* base) {
        QTest::newRow(word) << QByteArray(word) << pos << QByteArray(base);
    };
    row("planets", PartOfSpeech::Noun, "planet");
    row("stole", PartOfSpeech::Verb, "steal");
    row("boxes", PartOfSpeech::Noun, "box");
    row("churches", PartOfSpeech::Noun, "church");
    row("women", PartOfSpeech::Noun, "woman");
    row("flies", PartOfSpeech::Noun, "fly");
    row("running", PartOfSpeech::Verb, "run");
    row("hoped", PartOfSpeech::Verb, "hope");
    row("bigger", PartOfSpeech::Adjective, "big");
    row("happiest", PartOfSpeech::Adjective, "happy");
}

void WordMeaningsTest::realDatabaseFindsBaseForms() {
    if (!QFile::exists(realFolder + "/index.noun")) QSKIP("the WordNet database is not installed");
    QFETCH(QByteArray, word);
    QFETCH(PartOfSpeech, pos);
    QFETCH(QByteArray, base);
    WordMeanings meanings(realFolder);
    QVERIFY2(meanings.baseForms(word, pos).contains(base),
             meanings.baseForms(word, pos).join(' ').constData());
}

void WordMeaningsTest::realDatabaseHasCommonWords_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<bool>("known");
    QTest::newRow("cafe") << QByteArray("cafe") << true;
    QTest::newRow("planets") << QByteArray("planets") << true;
    QTest::newRow("stole") << QByteArray("stole") << true;
    QTest::newRow("zzzq") << QByteArray("zzzq") << false;
}

void WordMeaningsTest::realDatabaseHasCommonWords() {
    if (!QFile::exists(realFolder + "/index.noun")) QSKIP("the WordNet database is not installed");
    QFETCH(QByteArray, word);
    QFETCH(bool, known);
    WordMeanings meanings(realFolder);
    const QList<WordSense> senses = meanings.senses(word);
    QCOMPARE(!senses.isEmpty(), known);
    QVERIFY(senses.size() <= WordMeanings::shownSenses);
}

QTEST_GUILESS_MAIN(WordMeaningsTest)
#include "tst_wordmeanings.moc"

// SPDX-License-Identifier: MIT
#include "tdictn.h"
#include "wordlists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace quibo;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// One record of the word file for a word in capitals.
QByteArray record(const QByteArray& word) {
    return '\x1e' + word.leftJustified(14, ' ', true);
}

// The word of a record, lower case, without its padding.
QByteArray wordOf(const QByteArray& records, qsizetype index) {
    return records.mid(index * TDictn::recordsize + 1, TDictn::recordsize - 1).trimmed().toLower();
}

} // namespace

class DictionaryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void embeddedWordFileIsSortedRecordsOfCapitals();
    void lookupTrimsAndIgnoresCase_data();
    void lookupTrimsAndIgnoresCase();
    void firstAndLastRecordsAreFound();
    void fourteenLettersMatchButFifteenNever();
    void everyWordIsFoundAndNoNearMiss_data();
    void everyWordIsFoundAndNoNearMiss();
    void lettersAndCodesFoldAlike_data();
    void lettersAndCodesFoldAlike();
    void missingFileAndResourceRejectEverything_data();
    void missingFileAndResourceRejectEverything();
    void existingWordFileIsUsedUnchangedAndKept();
    void writtenWordFileIsRemovedAtExitOnly();
    void questionsWaitForAnOpeningOnAnotherThread();
    void writtenWordFileFollowsTheUmask_data();
    void writtenWordFileFollowsTheUmask();
    void unwritableWorkingDirectoryFallsBackToPrivateCopy_data();
    void unwritableWorkingDirectoryFallsBackToPrivateCopy();
    void unusableWordFilesAreLeftAlone_data();
    void unusableWordFilesAreLeftAlone();
    void wordFilePutInPlaceOfTheWrittenOneIsKept();
    void wordFileCutShortAfterOpeningStillAnswers_data();
    void wordFileCutShortAfterOpeningStillAnswers();
    void candidatesAreSortedShortWordsOfTheFile();
    void standardListKnowsEveryEnglishSpellingAndLargeListMore();
    void listScriptFoldsAccentsAndKeepsPlainWords();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_records;
};

void DictionaryTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    m_records = readFile(QString::fromLatin1(wordFileResource));
    QVERIFY2(!m_records.isEmpty(), "the embedded word file is not linked in");
}

void DictionaryTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void DictionaryTest::embeddedWordFileIsSortedRecordsOfCapitals() {
    QCOMPARE(m_records.size() % TDictn::recordsize, 0);
    const qsizetype count = m_records.size() / TDictn::recordsize;
    QVERIFY(count > 200000);
    // A record is 0x1E, at least two capitals, then blanks only; each sorts after the one before.
    auto wellFormed = [](QByteArrayView rec) {
        qsizetype letters = 1;
        while (letters < rec.size() && rec[letters] >= 'A' && rec[letters] <= 'Z')
            ++letters;
        bool padded = true;
        for (qsizetype k = letters; k < rec.size(); ++k)
            padded = padded && rec[k] == ' ';
        return rec[0] == '\x1e' && letters >= 3 && padded;
    };
    QByteArrayView previous;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView rec =
            QByteArrayView(m_records).sliced(i * TDictn::recordsize, TDictn::recordsize);
        if (!wellFormed(rec) || (!previous.isEmpty() && previous.compare(rec) >= 0))
            QFAIL(qPrintable(QStringLiteral("record %1 \"%2\" is out of place or malformed")
                                 .arg(i)
                                 .arg(QString::fromLatin1(rec.sliced(1)))));
        previous = rec;
    }
}

void DictionaryTest::lookupTrimsAndIgnoresCase_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("word");
    QTest::newRow("lower case") << QByteArray("cat") << true;
    QTest::newRow("capitals") << QByteArray("CAT") << true;
    QTest::newRow("mixed case") << QByteArray("Cat") << true;
    QTest::newRow("blanks around") << QByteArray("  cat ") << true;
    QTest::newRow("zero characters around") << QByteArray("cat\0\0", 5) << true;
    QTest::newRow("inner blank") << QByteArray("c t") << false;
    QTest::newRow("inner zero") << QByteArray("c\0t", 3) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("blanks only") << QByteArray("   ") << false;
    QTest::newRow("not a word") << QByteArray("qzx") << false;
    QTest::newRow("tab is not a blank") << QByteArray("\tcat") << false;
    QTest::newRow("prefix of a word") << QByteArray("zymurg") << false;
    QTest::newRow("beyond the last word") << QByteArray("zzzzzz") << false;
    QTest::newRow("before the first word") << QByteArray("a") << false;
    QTest::newRow("bytes above 0x7f") << QByteArray("caf\xe9") << false;
}

void DictionaryTest::lookupTrimsAndIgnoresCase() {
    QFETCH(QByteArray, text);
    QFETCH(bool, word);
    TDictn dictionary(m_dir->path());
    QVERIFY(dictionary.isOpen());
    QCOMPARE(dictionary.IsWord(text), word);
}

void DictionaryTest::firstAndLastRecordsAreFound() {
    TDictn dictionary(m_dir->path());
    QCOMPARE(dictionary.recordCount(), m_records.size() / TDictn::recordsize);
    const QByteArray first = wordOf(m_records, 0);
    const QByteArray last = wordOf(m_records, dictionary.recordCount() - 1);
    QVERIFY2(dictionary.IsWord(first), first.constData());
    QVERIFY2(dictionary.IsWord(last), last.constData());
    QVERIFY(!dictionary.IsWord(first.chopped(1)));
}

void DictionaryTest::fourteenLettersMatchButFifteenNever() {
    // Longer words are stored cut to 14 letters, so 14 letters are enough and 15 never match.
    writeFile(m_dir->filePath(QStringLiteral("English")),
              record("CHARACTERISTIC") + record("UNCHARACTERIST") + record("ZEBRA"));
    TDictn dictionary(m_dir->path());
    QVERIFY(dictionary.IsWord("characteristic"));
    QVERIFY(dictionary.IsWord("uncharacterist"));
    QVERIFY(!dictionary.IsWord("uncharacteristic"));
    QVERIFY(!dictionary.IsWord("characteristics"));
    QVERIFY(!dictionary.IsWord("uncharacteristA"));

    // The same on the embedded list: one of its 14-letter words, and that word with a letter more.
    QFile::remove(m_dir->filePath(QStringLiteral("English")));
    TDictn embedded(m_dir->path());
    qsizetype index = 0;
    while (index * TDictn::recordsize < m_records.size() && wordOf(m_records, index).size() < 14)
        ++index;
    const QByteArray longest = wordOf(m_records, index);
    QCOMPARE(longest.size(), 14);
    QVERIFY2(embedded.IsWord(longest), longest.constData());
    QVERIFY(!embedded.IsWord(longest + 's'));
}

void DictionaryTest::everyWordIsFoundAndNoNearMiss_data() {
    QTest::addColumn<QString>("resource");
    QTest::newRow("standard list") << QString::fromLatin1(wordFileResource);
    QTest::newRow("large list") << QString::fromLatin1(largeWordFileResource);
}

// Every word of the list, as text in either case and as letter codes, is found; each near miss (a
// letter changed, one more, one less) is found exactly when the list holds it.
void DictionaryTest::everyWordIsFoundAndNoNearMiss() {
    QFETCH(QString, resource);
    const QByteArray records = readFile(resource);
    QSet<QByteArray> words;
    for (qsizetype i = 0; i < records.size() / TDictn::recordsize; ++i)
        words.insert(wordOf(records, i));
    TDictn dictionary(m_dir->path(), resource);
    QVERIFY(dictionary.isOpen());
    auto codesOf = [](const QByteArray& word) {
        QByteArray codes = word;
        for (char& c : codes)
            c = char(c - 'a' + 1);
        return codes;
    };
    auto agrees = [&](const QByteArray& text, bool expected) {
        const QByteArray codes = codesOf(text);
        return dictionary.IsWord(text) == expected && dictionary.IsWord(text.toUpper()) == expected &&
               dictionary.isWordOfCodes(reinterpret_cast<const quint8*>(codes.constData()), codes.size()) ==
                   expected;
    };
    int checked = 0;
    for (const QByteArray& word : std::as_const(words)) {
        QVERIFY2(agrees(word, true), word.constData());
        // The changed letter and its replacement move through the word and the alphabet.
        QByteArray changed = word;
        const qsizetype at = checked % word.size();
        changed[at] = char('a' + (changed[at] - 'a' + 1 + checked % 25) % 26);
        const QByteArray longer = word + char('a' + checked % 26);
        for (const QByteArray& miss : {changed, longer, word.chopped(1)}) {
            if (miss.isEmpty() || miss.size() > 14) continue;
            QVERIFY2(agrees(miss, words.contains(miss)), miss.constData());
        }
        ++checked;
    }
    QCOMPARE(checked, dictionary.recordCount());
}

void DictionaryTest::lettersAndCodesFoldAlike_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("word");
    QTest::newRow("accented, folded like the lists") << QStringLiteral("Caf\u00e9") << true;
    QTest::newRow("ligature, folded like the lists") << QStringLiteral("\u0152uvre") << true;
    QTest::newRow("twelve letters") << QStringLiteral("Accomplished") << true;
    QTest::newRow("thirteen letters") << QStringLiteral("ACCOMPLISHMENT").left(13) << false;
    QTest::newRow("fourteen letters") << QStringLiteral("accomplishment") << true;
    QTest::newRow("not a word after folding") << QStringLiteral("Qz\u00e9x") << false;
}

// What the lists fold (accents, case) a lookup finds by text and by letter codes alike; a code
// outside 1 to 26 is no letter.
void DictionaryTest::lettersAndCodesFoldAlike() {
    QFETCH(QString, text);
    QFETCH(bool, word);
    TDictn dictionary(m_dir->path());
    const QByteArray folded = foldedWord(text);
    QByteArray codes = folded;
    for (char& c : codes)
        c = char(c - 'a' + 1);
    QCOMPARE(dictionary.IsWord(folded), word);
    QCOMPARE(dictionary.isWordOfCodes(reinterpret_cast<const quint8*>(codes.constData()), codes.size()),
             word);
    if (!word) return;
    for (const quint8 outside : {quint8(0), quint8(27), quint8(' ')}) {
        QByteArray wrong = codes;
        wrong[wrong.size() / 2] = char(outside);
        QVERIFY(!dictionary.isWordOfCodes(reinterpret_cast<const quint8*>(wrong.constData()), wrong.size()));
    }
}

void DictionaryTest::missingFileAndResourceRejectEverything_data() {
    QTest::addColumn<QString>("resource");
    QTest::newRow("no resource") << QString();
    QTest::newRow("resource not found") << QStringLiteral(":/no/such/list");
}

void DictionaryTest::missingFileAndResourceRejectEverything() {
    QFETCH(QString, resource);
    TDictn dictionary(m_dir->path(), resource);
    QVERIFY(!dictionary.isOpen());
    QCOMPARE(QByteArray(TDictn::notFoundMessage), QByteArray("English.dic dictionary not found!"));
    for (const char* text : {"cat", "CAT", "a", "zymurgy", ""})
        QVERIFY(!dictionary.IsWord(text));
    const quint8 cat[] = {3, 1, 20};
    QVERIFY(!dictionary.isWordOfCodes(cat, 3));
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void DictionaryTest::existingWordFileIsUsedUnchangedAndKept() {
    const QString path = m_dir->filePath(QStringLiteral("English"));
    const QByteArray own = record("DOG") + record("ZEBRA");
    writeFile(path, own);
    {
        TDictn dictionary(m_dir->path());
        QVERIFY(dictionary.isOpen());
        QCOMPARE(dictionary.recordCount(), 2);
        QVERIFY(dictionary.IsWord("dog"));
        QVERIFY(dictionary.IsWord("Zebra"));
        QVERIFY(!dictionary.IsWord("cat")); // the embedded list is not consulted
    }
    QCOMPARE(readFile(path), own);
}

void DictionaryTest::writtenWordFileIsRemovedAtExitOnly() {
    const QString path = m_dir->filePath(QStringLiteral("English"));
    {
        TDictn dictionary(m_dir->path());
        QVERIFY(dictionary.createdWordFile());
        QCOMPARE(dictionary.wordFilePath(), path);
        QCOMPARE(readFile(path), m_records);
        {
            // A second copy in the same directory finds the file, uses it and leaves it.
            TDictn second(m_dir->path());
            QVERIFY(!second.createdWordFile());
            QVERIFY(second.IsWord("cat"));
        }
        QVERIFY(QFile::exists(path));
        QVERIFY(dictionary.IsWord("cat"));
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(QDir(m_dir->path()).isEmpty()); // nothing left behind from writing it either
}

// Opened later on another thread: a question asked before the opening even began gets the answer
// of the open file, not "no word".
void DictionaryTest::questionsWaitForAnOpeningOnAnotherThread() {
    TDictn dictionary(m_dir->path(), QString::fromLatin1(TDictn::defaultResource), QByteArray(),
                      TDictn::Opening::Later);
    std::unique_ptr<QThread> opener(QThread::create([&dictionary] {
        QThread::msleep(100);
        dictionary.OpenWordFile();
    }));
    opener->start();
    QVERIFY(dictionary.IsWord("cat"));
    QVERIFY(!dictionary.IsWord("zzqx"));
    QVERIFY(dictionary.createdWordFile());
    QVERIFY(opener->wait(30000));
}

// The written file is as private as the process's umask asks (a service runs under 0077).
void DictionaryTest::writtenWordFileFollowsTheUmask_data() {
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("mode");
    QTest::newRow("usual") << 0022 << 0644;
    QTest::newRow("service") << 0077 << 0600;
}

void DictionaryTest::writtenWordFileFollowsTheUmask() {
    QFETCH(int, umask);
    QFETCH(int, mode);
    const mode_t before = ::umask(mode_t(umask));
    TDictn dictionary(m_dir->path());
    ::umask(before);
    QVERIFY(dictionary.createdWordFile());
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(dictionary.wordFilePath()).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), mode);
}

void DictionaryTest::unwritableWorkingDirectoryFallsBackToPrivateCopy_data() {
    QTest::addColumn<bool>("readOnlyDirectory");
    QTest::newRow("path under a regular file") << false;
    QTest::newRow("read-only directory") << true;
}

void DictionaryTest::unwritableWorkingDirectoryFallsBackToPrivateCopy() {
    QFETCH(bool, readOnlyDirectory);
    QString working = m_dir->filePath(QStringLiteral("plain-file/sub"));
    writeFile(m_dir->filePath(QStringLiteral("plain-file")), "not a directory");
    if (readOnlyDirectory) {
        if (::geteuid() == 0) QSKIP("running as root, where directory permissions do not stop writing");
        working = m_dir->filePath(QStringLiteral("locked"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(working, QFile::ReadOwner | QFile::ExeOwner));
    }
    QString fallback;
    {
        TDictn dictionary(working);
        QVERIFY(dictionary.isOpen());
        QVERIFY(dictionary.IsWord("cat"));
        fallback = dictionary.wordFilePath();
        QVERIFY(!fallback.startsWith(m_dir->path()));
        QVERIFY(QFile::exists(fallback));
    }
    QVERIFY(!QFile::exists(fallback));
    QVERIFY(!QFile::exists(QDir(working).filePath(QStringLiteral("English"))));
    if (readOnlyDirectory)
        QFile::setPermissions(working, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void DictionaryTest::unusableWordFilesAreLeftAlone_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("asLink"); // "English" is a symbolic link to a file of these contents
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("word"); // answered from the embedded list, which is used instead
    QTest::newRow("empty file") << QByteArray() << false << QByteArray("cat") << true;
    QTest::newRow("shorter than a record") << QByteArray("\x1e"
                                                         "CAT")
                                           << false << QByteArray("cat") << true;
    QTest::newRow("trailing part record") << record("BAT") + record("CAT") +
                                                 QByteArray("\x1e"
                                                            "DOG")
                                          << false << QByteArray("dog") << true;
    QTest::newRow("lower-case record") << record("bat") + record("cat") << false << QByteArray("CAT") << true;
    QTest::newRow("unsorted bytes") << QByteArray(150, '\xff') << false << QByteArray("cat") << true;
    QTest::newRow("zero bytes") << QByteArray(150, '\0') << false << QByteArray("cat") << true;
    QTest::newRow("records out of order")
        << record("CAT") + record("BAT") << false << QByteArray("bat") << true;
    QTest::newRow("blank record") << record("BAT") + record("") << false << QByteArray("cat") << true;
    QTest::newRow("letter after a blank") << record("C AT") << false << QByteArray("cat") << true;
    QTest::newRow("record mark missing")
        << QByteArray(" CAT          ") + ' ' << false << QByteArray("cat") << true;
    QTest::newRow("link to a word file") << record("DOG") << true << QByteArray("cat") << true;
    QTest::newRow("dangling link") << QByteArray() << true << QByteArray("cat") << true;
}

void DictionaryTest::unusableWordFilesAreLeftAlone() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, asLink);
    QFETCH(QByteArray, text);
    QFETCH(bool, word);
    const QString local = m_dir->filePath(QStringLiteral("English"));
    const QString target = m_dir->filePath(QStringLiteral("elsewhere"));
    if (!asLink)
        writeFile(local, contents);
    else {
        if (!contents.isEmpty()) writeFile(target, contents);
        QVERIFY(QFile::link(target, local));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("word file .* is not used")));
    {
        TDictn dictionary(m_dir->path());
        QVERIFY(dictionary.isOpen());
        QCOMPARE(dictionary.IsWord(text), word);
        QVERIFY(!dictionary.wordFilePath().startsWith(m_dir->path()));
    }
    if (asLink) {
        QCOMPARE(QFileInfo(local).symLinkTarget(), target);
        QCOMPARE(QFile::exists(target), !contents.isEmpty());
    }
    QCOMPARE(readFile(local), contents);
}

void DictionaryTest::wordFilePutInPlaceOfTheWrittenOneIsKept() {
    const QString path = m_dir->filePath(QStringLiteral("English"));
    {
        TDictn dictionary(m_dir->path());
        QVERIFY(dictionary.createdWordFile());
        QVERIFY(QFile::remove(path));
        writeFile(path, record("DOG"));
    }
    QCOMPARE(readFile(path), record("DOG"));
}

void DictionaryTest::wordFileCutShortAfterOpeningStillAnswers_data() {
    QTest::addColumn<bool>("written"); // written by the dictionary, or there before
    QTest::addColumn<qint64>("cutTo");
    QTest::newRow("written, emptied") << true << qint64(0);
    QTest::newRow("there before, cut mid-record") << false << qint64(TDictn::recordsize * 10 + 7);
}

void DictionaryTest::wordFileCutShortAfterOpeningStillAnswers() {
    QFETCH(bool, written);
    QFETCH(qint64, cutTo);
    const QString path = m_dir->filePath(QStringLiteral("English"));
    if (!written) writeFile(path, m_records);
    TDictn dictionary(m_dir->path());
    QCOMPARE(dictionary.createdWordFile(), written);
    QVERIFY(QFile::resize(path, cutTo));
    const QByteArray last = wordOf(m_records, m_records.size() / TDictn::recordsize - 1);
    for (const QByteArray& text : {QByteArray("cat"), QByteArray("zebra"), last})
        QVERIFY2(dictionary.IsWord(text), text.constData());
    QVERIFY(!dictionary.IsWord("qzx"));
}

void DictionaryTest::candidatesAreSortedShortWordsOfTheFile() {
    const QStringList candidates = loadCandidateWords();
    QVERIFY(candidates.size() > 7000);
    TDictn dictionary(m_dir->path());
    QString previous;
    for (const QString& candidate : candidates) {
        QVERIFY2(candidate.size() >= 2 && candidate.size() <= 7, qPrintable(candidate));
        QVERIFY2(candidate == candidate.toLower(), qPrintable(candidate));
        QVERIFY2(previous < candidate, qPrintable(candidate)); // scanned in list order
        QVERIFY2(dictionary.IsWord(candidate.toLatin1()), qPrintable(candidate));
        previous = candidate;
    }
    QVERIFY(loadCandidateWords(m_dir->filePath(QStringLiteral("missing.txt"))).isEmpty());
}

void DictionaryTest::standardListKnowsEveryEnglishSpellingAndLargeListMore() {
    TDictn standard(m_dir->path());
    for (const char* word : {"colour", "centre", "favourite", "realise", "cafe", "naive", "cliche", "color"})
        QVERIFY2(standard.IsWord(word), word);
    QTemporaryDir largeDir;
    TDictn large(largeDir.path(), QString::fromLatin1(largeWordFileResource));
    QVERIFY(large.isOpen());
    QVERIFY(large.recordCount() * 2 >= standard.recordCount() * 3);
}

// The script reads UTF-8 lists, folds accents, keeps 2 to 14 letters a to z, and takes the British
// spellings; the candidates stay English and American words.
void DictionaryTest::listScriptFoldsAccentsAndKeepsPlainWords() {
    const QString scowl = m_dir->filePath(QStringLiteral("scowl"));
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(scowl));
    writeFile(scowl + QStringLiteral("/english-words.10"),
              "caf\xc3\xa9\nna\xc3\xafve\ncat\ncat's\nParis\na\nabcdefghijklmno\n\xc5\x93uvre\n");
    writeFile(scowl + QStringLiteral("/american-words.10"), "color\n");
    writeFile(scowl + QStringLiteral("/british-words.10"), "colour\n");
    writeFile(scowl + QStringLiteral("/english-words.95"), "zymurgy\nd\xc3\xa9j\xc3\xa0\n");
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(QUIBO_WORDLIST_SCRIPT), scowl, out});
    QVERIFY(script.waitForFinished(60000));
    QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
    QCOMPARE(readFile(out + QStringLiteral("/words.txt")),
             QByteArray("cafe\ncat\ncolor\ncolour\nnaive\noeuvre\n"));
    QCOMPARE(readFile(out + QStringLiteral("/words-large.txt")), QByteArray("deja\nzymurgy\n"));
    QCOMPARE(readFile(out + QStringLiteral("/candidates.txt")), QByteArray("cat\ncolor\n"));
}

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"

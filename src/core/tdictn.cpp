// SPDX-License-Identifier: MIT
#include "tdictn.h"

#include "boundedfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quibo {

Q_LOGGING_CATEGORY(lcDictionary, "quibo.dictionary")

namespace {

constexpr char recordMark = '\x1e';

bool isCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// A record is the mark, at least one capital, more capitals, then blanks to the end.
bool isRecord(const char* record) {
    if (record[0] != recordMark || !isCapital(record[1])) return false;
    int i = 2;
    while (i < TDictn::recordsize && isCapital(record[i]))
        ++i;
    while (i < TDictn::recordsize && record[i] == ' ')
        ++i;
    return i == TDictn::recordsize;
}

// Why the bytes are not a word file, or an empty text when they are one: a whole, non-zero number
// of records, each well formed and none sorting before the one above it (repeats are allowed,
// since words longer than the record are stored cut).
QString wordFileFault(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QStringLiteral("it is empty");
    if (bytes.size() % TDictn::recordsize != 0)
        return QStringLiteral("its size is not a whole number of %1-byte records").arg(TDictn::recordsize);
    const char* previous = nullptr;
    for (qsizetype at = 0; at < bytes.size(); at += TDictn::recordsize) {
        const char* record = bytes.constData() + at;
        if (!isRecord(record)) return QStringLiteral("record %1 is malformed").arg(at / TDictn::recordsize);
        if (previous && std::memcmp(previous, record, TDictn::recordsize) > 0)
            return QStringLiteral("record %1 is out of order").arg(at / TDictn::recordsize);
        previous = record;
    }
    return QString();
}

#ifdef Q_OS_UNIX
// The process's file mode mask, read without changing it where the system tells it.
mode_t currentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (!line.startsWith("Umask:")) continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok) return mode_t(mask & 0777);
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}
#endif

// True when path still names the very file that is open in file (not a replacement put there).
bool isSameFile(const QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
    struct stat opened {};
    struct stat named {};
    return file.handle() >= 0 && ::fstat(file.handle(), &opened) == 0 &&
           ::lstat(QFile::encodeName(path).constData(), &named) == 0 && S_ISREG(named.st_mode) &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
#else
    return !QFileInfo(path).isSymLink();
#endif
}

} // namespace

TDictn::TDictn(const QString& workingDirectory, const QString& resourcePath, QByteArray listRecords,
               Opening opening)
    : m_workingDirectory(workingDirectory)
    , m_resourcePath(resourcePath)
    , m_listRecords(std::move(listRecords)) {
    m_openingPending.store(opening == Opening::Later);
    if (opening == Opening::Now) OpenWordFile();
}

std::unique_lock<std::mutex> TDictn::lockOpened() const {
    std::unique_lock lock(m_lock);
    m_opened.wait(lock, [this] { return !m_openingPending.load(std::memory_order_relaxed); });
    return lock;
}

void TDictn::waitOpened() const {
    // Once the opening is done the index no longer changes until CloseWordFile, which only the owner
    // calls: lookups, millions of them in a computer's turn, then read it without the lock.
    if (!m_openingPending.load(std::memory_order_acquire)) return;
    lockOpened();
}

TDictn::~TDictn() {
    CloseWordFile();
}

bool TDictn::isOpen() const {
    const auto lock = lockOpened();
    return m_isopen;
}

qint64 TDictn::recordCount() const {
    const auto lock = lockOpened();
    return m_lastrecord + 1;
}

QString TDictn::wordFilePath() const {
    const auto lock = lockOpened();
    return m_path;
}

bool TDictn::createdWordFile() const {
    const auto lock = lockOpened();
    return m_created;
}

bool TDictn::hasList() const {
    return !m_listRecords.isEmpty() || (!m_resourcePath.isEmpty() && QFile::exists(m_resourcePath));
}

QByteArray TDictn::embeddedList() const {
    if (!m_listRecords.isEmpty()) return m_listRecords;
    if (m_resourcePath.isEmpty()) return QByteArray();
    QFile resource(m_resourcePath);
    if (!resource.open(QIODevice::ReadOnly)) return QByteArray();
    QByteArray bytes = resource.readAll();
    // The list is taken as text up to its first zero byte.
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0) bytes.truncate(zero);
    return bytes;
}

bool TDictn::createWordFile(const QString& path) const {
    if (!hasList()) return false;
    const QByteArray bytes = embeddedList();
#ifdef Q_OS_UNIX
    // Written under a temporary name and put in place when complete, so nobody (another copy
    // starting in the same directory, or the next run after a full disk) ever opens a half-written
    // word file. The final name is taken only if nothing at all is there, not even a dangling link:
    // a hard link never follows one and never replaces anything.
    QTemporaryFile temporary(path + QStringLiteral(".XXXXXX"));
    if (!temporary.open() || temporary.write(bytes) != bytes.size() || !temporary.flush()) return false;
    // A temporary file is private; the word file gets what any new file would (0644 under the usual
    // umask, 0600 under a service's 0077).
    ::fchmod(temporary.handle(), 0666 & ~currentUmask());
    return ::link(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) ==
           0;
#else
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::NewOnly) && out.write(bytes) == bytes.size() &&
           out.flush();
#endif
}

bool TDictn::openRecords(const QString& path) {
    m_path = path;
    QString fault;
    if (openBoundedFile(m_wordfile, path, maxReadFileSize, fault, LinkPolicy::Refuse)) {
        // Read whole: a lookup then never touches the file, which may be cut or changed under us.
        std::optional<QByteArray> bytes = readBounded(m_wordfile, maxReadFileSize, fault);
        fault = bytes ? wordFileFault(*bytes) : QStringLiteral("it ") + fault;
        if (fault.isEmpty()) {
            m_index = WordIndex(*bytes);
            m_lastrecord = bytes->size() / recordsize - 1;
            m_isopen = true;
            return true;
        }
    } else if (!fault.isEmpty()) {
        fault = QStringLiteral("it ") + fault;
    }
    if (!fault.isEmpty())
        qCWarning(lcDictionary).noquote()
            << "word file" << path << "is not used, and left as it is:" << fault;
    return false;
}

bool TDictn::OpenWordFile() {
    const std::lock_guard lock(m_lock);
    const bool open = openWordFile();
    // Whoever asked meanwhile gets the answer now.
    m_openingPending.store(false, std::memory_order_release);
    m_opened.notify_all();
    return open;
}

bool TDictn::openWordFile() {
    closeWordFile();
    // A word file already in the working directory is used as it is and left there at exit.
    const QString local = QDir(m_workingDirectory).filePath(QString::fromLatin1(wordFileName));
    const QFileInfo existing(local);
    if (!existing.exists() && !existing.isSymLink() && createWordFile(local)) m_created = true;
    if (openRecords(local)) return true;
    closeWordFile();

    // The working directory cannot be written, or its word file cannot be used: keep a copy in a
    // private directory so that words still score.
    if (hasList()) {
        m_fallbackDir = std::make_unique<QTemporaryDir>();
        const QString fallback = m_fallbackDir->filePath(QString::fromLatin1(wordFileName));
        if (m_fallbackDir->isValid() && createWordFile(fallback)) {
            m_created = true;
            if (openRecords(fallback)) {
                qCInfo(lcDictionary) << "no usable word file in" << local << "- using" << fallback;
                return true;
            }
        }
        closeWordFile();
    }
    qCWarning(lcDictionary) << "cannot open word file" << local;
    return false;
}

bool TDictn::IsWord(QByteArrayView text) const {
    // Key: zero characters become blanks, blanks at both ends go, then pad to the key width with
    // blanks and upper-case a to z. A key longer than the key width stays as it is and cannot match.
    qsizetype first = 0;
    qsizetype last = text.size();
    auto blankAt = [&](qsizetype i) { return text[i] == ' ' || text[i] == '\0'; };
    while (first < last && blankAt(first))
        ++first;
    while (last > first && blankAt(last - 1))
        --last;
    const qsizetype length = last - first;
    if (length == 0 || length > keywidth) return false;
    waitOpened();
    if (!m_isopen) return false;

    // Every record word is one to fourteen capitals, so the padded comparison with a record comes
    // down to the key's letters, upper-cased, being one of the words: a key with an inner blank or
    // any byte other than a letter, or of fifteen characters, matches none.
    return m_index.containsLetters(text.sliced(first, length));
}

bool TDictn::isWordOfCodes(const quint8* codes, qsizetype length) const {
    waitOpened();
    return m_isopen && m_index.containsCodes(codes, length);
}

void TDictn::CloseWordFile() {
    const std::lock_guard lock(m_lock);
    closeWordFile();
}

void TDictn::closeWordFile() {
    // Only a file this run wrote is removed, and only while it is still the file written;
    // errors are of no consequence at this point.
    if (m_created) removeCreatedFile();
    m_wordfile.close();
    m_index = WordIndex();
    m_lastrecord = -1;
    m_isopen = false;
    m_created = false;
    m_fallbackDir.reset();
}

void TDictn::removeCreatedFile() {
    // The open file is what identifies it: a file put in its place is not ours to remove.
    if (m_wordfile.isOpen() && isSameFile(m_wordfile, m_path)) QFile::remove(m_path);
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "tdictn.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <array>

namespace quibo {

Q_LOGGING_CATEGORY(lcDictionary, "quibo.dictionary")

TDictn::TDictn(const QString& workingDirectory, const QString& resourcePath)
    : m_workingDirectory(workingDirectory)
    , m_resourcePath(resourcePath) {
    OpenWordFile();
}

TDictn::~TDictn() {
    CloseWordFile();
}

bool TDictn::writeWordFile(const QString& path) const {
    if (m_resourcePath.isEmpty()) return false;
    QFile resource(m_resourcePath);
    if (!resource.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = resource.readAll();
    // The list is taken as text up to its first zero byte.
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0) bytes.truncate(zero);
    // Written under a temporary name and renamed when complete, so nobody (another copy starting in
    // the same directory, or the next run after a full disk) ever opens a half-written word file.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(bytes);
    return out.commit();
}

bool TDictn::openRecords(const QString& path) {
    m_path = path;
    m_wordfile.setFileName(path);
    if (!m_wordfile.open(QIODevice::ReadOnly)) return false;
    // A trailing part record is ignored: the record count is the size divided by the record size.
    const qint64 records = m_wordfile.size() / recordsize;
    if (records > 0) {
        m_records = m_wordfile.map(0, records * recordsize);
        if (!m_records) {
            m_wordfile.close();
            return false;
        }
    }
    m_lastrecord = records - 1;
    m_isopen = true;
    return true;
}

bool TDictn::OpenWordFile() {
    CloseWordFile();
    // A word file already in the working directory is used as it is and left there at exit.
    const QString local = QDir(m_workingDirectory).filePath(QString::fromLatin1(wordFileName));
    if (!QFileInfo::exists(local) && writeWordFile(local)) m_created = true;
    if (openRecords(local)) return true;
    CloseWordFile();

    // The working directory cannot be written (or its word file cannot be read): keep a copy in a
    // private directory so that words still score.
    if (!m_resourcePath.isEmpty() && QFile::exists(m_resourcePath)) {
        m_fallbackDir = std::make_unique<QTemporaryDir>();
        const QString fallback = m_fallbackDir->filePath(QString::fromLatin1(wordFileName));
        if (m_fallbackDir->isValid() && writeWordFile(fallback)) {
            m_created = true;
            if (openRecords(fallback)) {
                qCInfo(lcDictionary) << "no usable word file in" << local << "- using" << fallback;
                return true;
            }
        }
        CloseWordFile();
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
    if (!m_isopen) return false;

    std::array<uchar, keywidth> key;
    key.fill(' ');
    for (qsizetype i = 0; i < length; ++i) {
        uchar c = uchar(text[first + i]);
        if (c == '\0')
            c = ' ';
        else if (c >= 'a' && c <= 'z')
            c = uchar(c - 'a' + 'A');
        key[std::size_t(i)] = c;
    }

    qint64 lo = 0;
    qint64 hi = m_lastrecord;
    while (lo <= hi) {
        const qint64 mid = (lo + hi) / 2;
        // The record's comparison text is its 14 word characters, upper-cased, and one blank.
        const uchar* word = m_records + mid * recordsize + 1;
        int order = 0;
        for (int i = 0; i < keywidth && order == 0; ++i) {
            uchar c = i < recordsize - 1 ? word[i] : uchar(' ');
            if (c >= 'a' && c <= 'z') c = uchar(c - 'a' + 'A');
            order = int(c) - int(key[std::size_t(i)]);
        }
        if (order == 0) return true;
        if (order < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return false;
}

void TDictn::CloseWordFile() {
    if (m_wordfile.isOpen()) {
        if (m_records) m_wordfile.unmap(const_cast<uchar*>(m_records));
        m_wordfile.close();
    }
    m_records = nullptr;
    m_lastrecord = -1;
    m_isopen = false;
    // Only a file this run wrote is removed; errors are of no consequence at this point.
    if (m_created) {
        QFile::remove(m_path);
        m_created = false;
    }
    m_fallbackDir.reset();
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// TDictn: answers whether a text is an English word of the word file "English".
//
// The word file is a flat run of 15-byte records (0x1E, then the word in capitals padded with blanks
// to 14), sorted by the word. It is written from the embedded list, as a new regular file, when the
// working directory lacks it, and removed at exit only if this run wrote it. The records are read
// and checked when the file opens, and their words go into an in-memory hash index (WordIndex): a
// lookup costs about what a hash set's does, and nothing done to the file afterwards can disturb
// one. A word file that is not a regular file, is larger than 64 MiB or is not in the record format
// is left alone, before any of it is indexed, and the embedded list is used from a private copy
// instead. The host owns one instance for the life of the process. Opening may run on another thread while
// the owner goes on: a question asked before that opening is done waits for it, and one asked after costs no
// lock.
#pragma once

#include "wordindex.h"
#include "wordlists.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QLoggingCategory>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

class QTemporaryDir;

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcDictionary)

class TDictn {
public:
    static constexpr int recordsize = 15;
    static constexpr int keywidth = 15;
    static constexpr char notFoundMessage[] = "English.dic dictionary not found!";
    static constexpr char wordFileName[] = "English";
    static constexpr const char* defaultResource = wordFileResource;

    // Now: opens in the constructor. Later: the owner must call OpenWordFile, possibly on another
    // thread; until it has, every question but CloseWordFile waits.
    enum class Opening { Now, Later };

    // workingDirectory is where "English" is looked for and written; resourcePath names the embedded
    // word list ("" for none). Records given here (a list of the table's own, see
    // wordRecordsFromList) are written instead of the embedded list.
    explicit TDictn(const QString& workingDirectory, const QString& resourcePath = QString(defaultResource),
                    QByteArray listRecords = QByteArray(), Opening opening = Opening::Now);
    ~TDictn();
    TDictn(const TDictn&) = delete;
    TDictn& operator=(const TDictn&) = delete;

    // Writes the word file if missing and opens it; answers isopen. On failure the caller shows
    // notFoundMessage once.
    bool OpenWordFile();
    // True when the text, trimmed and upper-cased, is a word of the file.
    bool IsWord(QByteArrayView text) const;
    // True when the letter codes (1 = a ... 26 = z, as boards and hands hold them) spell a word of
    // the file: the same answer as IsWord on the word's letters, without making a text first.
    bool isWordOfCodes(const quint8* codes, qsizetype length) const;
    // Closes the file and removes it when this run wrote it.
    void CloseWordFile();

    bool isOpen() const;
    qint64 recordCount() const;
    // Where the word file was opened from (a private temporary directory when the working directory
    // could not be written or its word file could not be used).
    QString wordFilePath() const;
    bool createdWordFile() const;

private:
    QByteArray embeddedList() const;
    bool hasList() const;
    bool createWordFile(const QString& path) const;
    bool openRecords(const QString& path);
    void removeCreatedFile();
    bool openWordFile();
    void closeWordFile();
    std::unique_lock<std::mutex> lockOpened() const;
    // Returns once the opening is done; without the lock when it is.
    void waitOpened() const;

    mutable std::mutex m_lock; // held by the opening and closing, and while a question waits for them
    mutable std::condition_variable m_opened;
    std::atomic<bool> m_openingPending{false}; // Opening::Later and OpenWordFile has not finished yet

    QString m_workingDirectory;
    QString m_resourcePath;
    QByteArray m_listRecords;
    QString m_path;
    QFile m_wordfile;
    WordIndex m_index;
    qint64 m_lastrecord = -1;
    bool m_isopen = false;
    bool m_created = false;
    std::unique_ptr<QTemporaryDir> m_fallbackDir;
};

} // namespace quibo

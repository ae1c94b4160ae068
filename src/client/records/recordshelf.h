// SPDX-License-Identifier: MIT
// RecordShelf: the folder of kept game records (games/ in the per-user data folder).
//
// Lists the records newest first with what their header says (date, opponent, result, scores), names
// the file of a new record, and keeps the folder at the record limit by removing the oldest records.
//
// The names in a file name come from the players, whom anybody can be: fileName keeps letters, digits
// and "-" / "_" of each name, bounded in length, so that no name reaches out of the folder ("../") or
// carries a control character; a number keeps two games of the same minute apart. Listing reads only
// a record's header lines (bounded, as RecordFile reads) and at most maxListed files; a file that
// does not read is listed as damaged with its refusal rather than left out. Only files ending in
// ".quibo" are listed or removed.
#pragma once

#include "gamerecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace quibo {

struct ShelvedRecord {
    QString path;
    QDateTime started;
    QString opponent;
    int ownDisplaySeat = 0; // 0: watched as a spectator
    GameResult result;
    bool cutShort = false;
    QString refusal; // not empty: the file did not read, and this says why
};

class RecordShelf {
public:
    static constexpr int defaultLimit = 500;
    static constexpr int minLimit = 1;
    static constexpr int maxLimit = 100000;
    static constexpr qsizetype maxListed = maxLimit + 100;
    static constexpr qsizetype maxNameInFileName = 24;

    explicit RecordShelf(QString folder);

    // games/ in the per-user data folder.
    static QString defaultFolder();
    // A limit as set, brought into minLimit..maxLimit.
    static int clampLimit(int limit);

    const QString& folder() const { return m_folder; }
    // The records, newest first (by the date in the file name).
    QList<ShelvedRecord> list() const;
    // A new record's full path, e.g. games/2026-12-09-1430-Ann-Bob.quibo, not yet taken.
    QString newRecordPath(const QDateTime& started, const QString& player1, const QString& player2) const;
    // Removes the oldest records beyond `limit`, sparing `keep`; answers how many went.
    int removeBeyondLimit(int limit, const QString& keep = QString()) const;

    // A player's name as it may stand in a file name.
    static QString fileNamePart(const QString& name);

private:
    QStringList recordFiles() const; // newest first

    QString m_folder;
};

} // namespace quibo

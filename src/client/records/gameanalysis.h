// SPDX-License-Identifier: MIT
// records/: kept games.
//
// GameAnalysis: the best move of each of the local player's turns in a kept game (MoveAnalyst),
// beside the move played, with the points it lost and a sentence for the replay window. It works on
// a thread of its own, so the window never waits: start() returns at once and finished() comes back
// on the owner's thread. The word index it needs is built once per word list for the whole process,
// on the first analysis that asks for it, and shared by all that follow.
//
// The turns come from a record file, which anyone may have written: MoveAnalyst makes every
// position harmless, at most maxTurns turns are analysed (a game ends at its target long before),
// and a new start() while one runs supersedes it: only the newest start's answer is delivered.
#pragma once

#include "anagramindex.h"
#include "expertview.h"
#include "turnposition.h"

#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace quibo {

struct TurnVerdict {
    TurnPosition turn;
    ExpertMove best; // letter 0 when the position allowed no move
    int loss = 0;    // the best move's points less the points played, never below 0
    QString text;    // "You played CAT for 5. Best: CRATE for 14 (place R in cell 2)."
    bool operator==(const TurnVerdict&) const = default;
};

// The move in words: "place R in cell 2", "place R over T in cell 2", "steal R from cell 4",
// "throw away Q", "remove X from cell 5". The cell of a placed letter is its cell in the word it
// forms, which stands from cell 1 once the board is rearranged; the cells of a steal or a removal
// are where the letter stands in the position before the move (before), when it is given.
QString describeMove(const ExpertMove& move, const ExpertView& before = {});

// The verdict's sentence for a turn that scored turn.playedPoints (see TurnVerdict::text).
QString verdictText(const TurnPosition& turn, const ExpertMove& best, int loss);

// Every turn judged against the index, in order, on the calling thread.
QList<TurnVerdict> analyseTurns(const QList<TurnPosition>& turns, const AnagramIndex& index);

// The turns that lost the most points, at most count of them, the costliest first (the earlier of
// two that lost as much); turns that lost nothing are not among them.
QList<TurnVerdict> costliestTurns(const QList<TurnVerdict>& verdicts, int count = 3);

class GameAnalysis : public QObject {
    Q_OBJECT
public:
    // More of one player's turns than any game has; the rest of a longer list is not analysed.
    static constexpr int maxTurns = 1000;

    explicit GameAnalysis(QObject* parent = nullptr);
    ~GameAnalysis() override;

    // Analyses the turns off this thread with the embedded word list a record names: "large" (or
    // its resource, ":/TEXT_LARGE") for the large list, anything else for the standard one, which is
    // also what a table's own list is analysed with (the window does not have it). finished() follows.
    void start(QList<TurnPosition> turns, const QString& wordList);
    // The same with an index of the caller's (tests, a list of the table's own).
    void start(QList<TurnPosition> turns, std::shared_ptr<const AnagramIndex> index);
    bool isRunning() const;

    // The process's index of an embedded word file (wordFileResource or largeWordFileResource),
    // built at the first call for it (on the calling thread, which waits) and shared afterwards. Any
    // other name gives an empty index and opens nothing: a record's text never names a file to read.
    static std::shared_ptr<const AnagramIndex> sharedIndex(const QString& wordFileResource);

Q_SIGNALS:
    void finished(const QList<quibo::TurnVerdict>& verdicts);

private:
    using IndexSource = std::function<std::shared_ptr<const AnagramIndex>()>;
    void launch(QList<TurnPosition> turns, IndexSource index);
    void deliver(quint64 generation, const QList<TurnVerdict>& verdicts);
    void forgetFinishedThreads();

    QList<QThread*> m_threads; // the runs not yet ended, the newest last
    std::shared_ptr<std::atomic<bool>> m_stop;
    quint64 m_generation = 0; // of the newest start; older runs' answers are dropped
    bool m_pending = false;   // the newest start has not answered yet
};

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "gameanalysis.h"

#include "moveanalyst.h"
#include "wordlists.h"

#include <QFile>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <mutex>
#include <utility>

namespace quibo {

namespace {

// The largest word file the dictionary reads.
constexpr qint64 largestWordFileRecords = 64 * 1024 * 1024;

QString letterOf(int code) {
    return QString(QChar(u'A' + char16_t(code - 1)));
}

// The first cell (1..10) holding the letter; 0 when none does.
int cellOf(const Board& board, int code) {
    const auto found = std::find(board.begin(), board.end(), code);
    return found == board.end() ? 0 : int(found - board.begin()) + 1;
}

// The letter's cell in the word, which stands from cell 1 once the board is rearranged; 0 without one.
int cellInWord(const ExpertMove& move) {
    const qsizetype at = move.word.indexOf(char('A' + move.letter - 1));
    return at < 0 ? 0 : int(at) + 1;
}

QString describePlace(const ExpertMove& move) {
    const QString letter = letterOf(move.letter);
    const QString cell = QString::number(cellInWord(move));
    const bool inWord = cellInWord(move) > 0;
    if (move.replaced) {
        const QString replaced = letterOf(move.replaced);
        return inWord ? GameAnalysis::tr("place %1 over %2 in cell %3").arg(letter, replaced, cell)
                      : GameAnalysis::tr("place %1 over %2").arg(letter, replaced);
    }
    return inWord ? GameAnalysis::tr("place %1 in cell %2").arg(letter, cell)
                  : GameAnalysis::tr("place %1").arg(letter);
}

QString describeSteal(const ExpertMove& move, const ExpertView& before) {
    const QString letter = letterOf(move.letter);
    const int from = cellOf(before.opponentBoard, move.letter);
    const QString cell = QString::number(from);
    if (move.replaced) {
        const QString replaced = letterOf(move.replaced);
        return from ? GameAnalysis::tr("steal %1 from cell %2 over %3").arg(letter, cell, replaced)
                    : GameAnalysis::tr("steal %1 over %2").arg(letter, replaced);
    }
    return from ? GameAnalysis::tr("steal %1 from cell %2").arg(letter, cell)
                : GameAnalysis::tr("steal %1").arg(letter);
}

QString describeRemoval(const ExpertMove& move, const ExpertView& before) {
    const QString letter = letterOf(move.letter);
    const int from = cellOf(before.board, move.letter);
    return from ? GameAnalysis::tr("remove %1 from cell %2").arg(letter, QString::number(from))
                : GameAnalysis::tr("remove %1").arg(letter);
}

} // namespace

QString describeMove(const ExpertMove& move, const ExpertView& before) {
    if (move.letter < 1 || move.letter > 26) return {};
    switch (move.kind) {
    case ExpertMove::Kind::Place:
        return describePlace(move);
    case ExpertMove::Kind::Steal:
        return describeSteal(move, before);
    case ExpertMove::Kind::DiscardHand:
        return GameAnalysis::tr("throw away %1").arg(letterOf(move.letter));
    case ExpertMove::Kind::DiscardBoard:
        return describeRemoval(move, before);
    }
    return {};
}

QString verdictText(const TurnPosition& turn, const ExpertMove& best, int loss) {
    const QString bestWord = QString::fromLatin1(best.word);
    const QString bestPoints = QString::number(best.points);
    const QString how = describeMove(best, turn.view);
    // A turn that formed no word played 0 points; where the best move formed none either, it lost nothing.
    if (turn.playedWord.isEmpty()) {
        if (loss <= 0 || best.word.isEmpty())
            return GameAnalysis::tr("You formed no word; none was possible.");
        return GameAnalysis::tr("You formed no word. Best: %1 for %2 (%3).").arg(bestWord, bestPoints, how);
    }
    // The word comes from a record; the replay shows it as plain text. The texts are filled in one
    // pass, so a "%1" in it stays as it is.
    const QString played = QString::fromUtf8(turn.playedWord);
    const QString playedPoints = QString::number(turn.playedPoints);
    if (loss <= 0 || best.word.isEmpty())
        return GameAnalysis::tr("You played %1 for %2, the best move.").arg(played, playedPoints);
    return GameAnalysis::tr("You played %1 for %2. Best: %3 for %4 (%5).")
        .arg(played, playedPoints, bestWord, bestPoints, how);
}

namespace {

TurnVerdict verdictOf(const TurnPosition& turn, const MoveAnalyst& analyst) {
    const std::optional<ExpertMove> best = analyst.bestMove(turn.view);
    const int loss = MoveAnalyst::lossOf(best, turn.playedPoints);
    const ExpertMove shown = best.value_or(ExpertMove{ExpertMove::Kind::DiscardHand, 0, 0, {}, 0});
    return TurnVerdict{turn, shown, loss, verdictText(turn, shown, loss)};
}

} // namespace

QList<TurnVerdict> analyseTurns(const QList<TurnPosition>& turns, const AnagramIndex& index) {
    const MoveAnalyst analyst(index);
    QList<TurnVerdict> verdicts;
    const qsizetype count = std::min<qsizetype>(turns.size(), GameAnalysis::maxTurns);
    verdicts.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        verdicts.append(verdictOf(turns[i], analyst));
    return verdicts;
}

QList<TurnVerdict> costliestTurns(const QList<TurnVerdict>& verdicts, int count) {
    QList<TurnVerdict> costly;
    for (const TurnVerdict& verdict : verdicts) {
        if (verdict.loss > 0) costly.append(verdict);
    }
    std::stable_sort(costly.begin(), costly.end(),
                     [](const TurnVerdict& a, const TurnVerdict& b) { return a.loss > b.loss; });
    if (costly.size() > count) costly.resize(std::max(0, count));
    return costly;
}

GameAnalysis::GameAnalysis(QObject* parent)
    : QObject(parent) {}

GameAnalysis::~GameAnalysis() {
    // A run stops between two turns; its answer, if already posted, dies with this object.
    if (m_stop) m_stop->store(true);
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void GameAnalysis::start(QList<TurnPosition> turns, const QString& wordList) {
    const QString large = QString::fromLatin1(largeWordFileResource);
    const QString resource = wordList == QLatin1String("large") || wordList == large
                                 ? large
                                 : QString::fromLatin1(wordFileResource);
    launch(std::move(turns), [resource] { return sharedIndex(resource); });
}

void GameAnalysis::start(QList<TurnPosition> turns, std::shared_ptr<const AnagramIndex> index) {
    if (!index) index = std::make_shared<const AnagramIndex>();
    launch(std::move(turns), [index] { return index; });
}

bool GameAnalysis::isRunning() const {
    return m_pending;
}

std::shared_ptr<const AnagramIndex> GameAnalysis::sharedIndex(const QString& wordFileResource) {
    // One index per embedded word list for the process, so the table holds two at most. Building
    // under the lock makes a second asker wait for the first.
    static std::mutex guard;
    static QHash<QString, std::shared_ptr<const AnagramIndex>> built;
    if (wordFileResource != QLatin1String(quibo::wordFileResource) &&
        wordFileResource != QLatin1String(largeWordFileResource))
        return std::make_shared<const AnagramIndex>();
    const std::lock_guard lock(guard);
    std::shared_ptr<const AnagramIndex>& index = built[wordFileResource];
    if (!index) {
        QFile file(wordFileResource);
        QByteArray records;
        if (file.open(QIODevice::ReadOnly) && file.size() <= largestWordFileRecords) records = file.readAll();
        index = std::make_shared<const AnagramIndex>(AnagramIndex::fromRecords(records));
    }
    return index;
}

void GameAnalysis::launch(QList<TurnPosition> turns, IndexSource index) {
    forgetFinishedThreads();
    if (m_stop) m_stop->store(true);
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++m_generation;
    m_pending = true;
    if (turns.size() > maxTurns) turns.resize(maxTurns);
    QThread* thread = QThread::create(
        [this, turns = std::move(turns), index = std::move(index), stop = m_stop, generation] {
            const std::shared_ptr<const AnagramIndex> words = index();
            const MoveAnalyst analyst(*words);
            QList<TurnVerdict> verdicts;
            verdicts.reserve(turns.size());
            for (const TurnPosition& turn : turns) {
                if (stop->load()) return;
                verdicts.append(verdictOf(turn, analyst));
            }
            // The owner outlives this thread (its destructor waits), so posting to it is safe.
            QMetaObject::invokeMethod(
                this, [this, generation, verdicts = std::move(verdicts)] { deliver(generation, verdicts); },
                Qt::QueuedConnection);
        });
    m_threads.append(thread);
    thread->start();
}

void GameAnalysis::deliver(quint64 generation, const QList<TurnVerdict>& verdicts) {
    forgetFinishedThreads();
    if (generation != m_generation) return;
    m_pending = false;
    Q_EMIT finished(verdicts);
}

void GameAnalysis::forgetFinishedThreads() {
    for (qsizetype i = m_threads.size() - 1; i >= 0; --i) {
        if (m_threads[i]->isFinished()) delete m_threads.takeAt(i);
    }
}

} // namespace quibo

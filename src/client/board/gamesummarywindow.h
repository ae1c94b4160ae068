// SPDX-License-Identifier: MIT
// GameSummaryWindow: the look back at a game that was just won.
//
// A small tool window of the main window that opens without blocking it when a game ends: the final
// scores, each player's words with their points, the longest and the best word and how long the game
// took. Under "Missed:" it lists, once the analysis of the game is in, the own turns that cost the most
// points, each with the best word and its meaning. "Play Again" (shown only to the player who may
// start games) asks for a new game with the same options; "Close" hides the window. Created and owned
// by the board panel; hidden, never destroyed.
#pragma once

#include "gameanalysis.h"
#include "gamelog.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace quibo {

class MeaningTips;

class GameSummaryWindow : public QDialog {
    Q_OBJECT
public:
    explicit GameSummaryWindow(QWidget* mainWindow);

    // Fills the window with the game's record and shows it centred over the main window.
    void showSummary(const GameSummary& summary, bool mayStartGames);

    // The turns listed under "Missed:".
    static constexpr int missedShown = 3;
    // The verdicts that lost points, costliest first (ties: the earlier turn), at most `count`.
    static QList<TurnVerdict> costliest(const QList<TurnVerdict>& verdicts, int count = missedShown);
    // The analysis of the game shown runs: "Missed:" says so until showMissed.
    void expectMissed();
    // The analysis of the game shown: its costliest turns under "Missed:".
    void showMissed(const QList<TurnVerdict>& verdicts);
    // Where the meanings of the missed words come from; none: the words stand alone.
    void setMeaningTips(const MeaningTips* tips) { m_tips = tips; }
    QListWidget* listMissed() const { return m_missed; }

    QPushButton* buttonPlayAgain() const { return m_playAgain; }
    QPushButton* buttonClose() const { return m_close; }

    // "4:05" for 245 seconds.
    static QString lengthText(qint64 seconds);

Q_SIGNALS:
    void playAgainRequested();

private:
    QWidget* buildSeatColumn(int seat);

    QLabel* m_heading = nullptr;
    std::array<QLabel*, 2> m_scores{};
    std::array<QListWidget*, 2> m_words{};
    QLabel* m_longest = nullptr;
    QLabel* m_best = nullptr;
    QLabel* m_length = nullptr;
    QLabel* m_missedCaption = nullptr;
    QListWidget* m_missed = nullptr;
    const MeaningTips* m_tips = nullptr;
    QPushButton* m_playAgain = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quibo

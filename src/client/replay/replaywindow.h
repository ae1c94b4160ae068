// SPDX-License-Identifier: MIT
// ReplayWindow: one kept game, replayed move by move.
//
// The window owns a table model of its own and lets the game's replay feed it the record's events
// up to the step shown; the board picture, the chat's game lines and the analysis of the player's
// own move follow that model, exactly as the player window follows the host. Nothing here touches
// the network. The step is the window's one piece of state: first, previous, next and last, the
// slider and the keys Left, Right, Home and End change it, and every view is brought to it. The
// record also goes to the clipboard as text, and may be saved elsewhere. A record that its reader
// refused never reaches this window (see openReplay), so nothing is ever half shown.
//
// Abuse: the record is a file anyone may have written. Its reader bounds the events; each step
// re-feeds at most that many events into a model of fixed size, and the lines grow by one for
// each event at most. Names and words are drawn as plain text.
#pragma once

#include "gameanalysis.h"
#include "gamereplay.h"
#include "replaylines.h"
#include "tablemodel.h"

#include <QList>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace quibo {

class ReplayBoard;

class ReplayWindow : public QWidget {
    Q_OBJECT
public:
    // path: the record's file, for "Save As..."; may be empty.
    ReplayWindow(const GameRecord& record, const QString& path, QWidget* parent = nullptr);

    const TableModel& model() const { return m_model; }
    const ReplayLines& lines() const { return m_lines; }
    const GameReplay& replay() const { return m_replay; }
    int step() const { return m_step; }
    int stepCount() const { return m_replay.stepCount(); }

    // Shows the table after `step` events (clamped to 0..stepCount()).
    void seek(int step);
    void first() { seek(0); }
    void previous() { seek(m_step - 1); }
    void next() { seek(m_step + 1); }
    void last() { seek(stepCount()); }

    // The analysis of the player's own turns, shown beside each move when it is known.
    void setVerdicts(const QList<TurnVerdict>& verdicts);
    // The verdict on the own move shown at the current step: the last own turn begun by then whose
    // move was made; empty when there is none or the analysis is not in.
    QString analysisText() const;

    // The whole game as text, one line a move or a word.
    QString exportText() const;
    // Puts exportText() on the clipboard.
    void copyText();

    QLabel* labelAnalysis() const { return m_analysis; }
    QSlider* slider() const { return m_slider; }

Q_SIGNALS:
    void stepChanged(int step);

private:
    void buildNavigation(QWidget* parent, QBoxLayout* layout);
    void showStep();
    void saveCopy();

    TableModel m_model;
    GameReplay m_replay;
    ReplayLines m_lines;
    QString m_path;
    QString m_title; // the game's players and date, also the export's first line
    int m_step = -1; // none shown yet
    QList<TurnVerdict> m_verdicts;

    ReplayBoard* m_board = nullptr;
    QListWidget* m_lineList = nullptr;
    QLabel* m_analysis = nullptr;
    QLabel* m_stepLabel = nullptr;
    QSlider* m_slider = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
};

} // namespace quibo

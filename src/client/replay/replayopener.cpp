// SPDX-License-Identifier: MIT
#include "replayopener.h"

#include "gameanalysis.h"
#include "gamereplay.h"
#include "gamesummarywindow.h"
#include "plaintext.h"
#include "recordfile.h"
#include "replaywindow.h"

namespace quibo {

ReplayOpener::ReplayOpener(QString folder, QObject* parent)
    : QObject(parent)
    , m_shelf(std::move(folder)) {}

ReplayWindow* ReplayOpener::openWindow(const QString& path, QWidget* parent, QString* refusal) {
    const RecordReading reading = RecordFile::read(path);
    if (!reading.record) {
        if (refusal) *refusal = reading.refusal;
        return nullptr;
    }
    return show(*reading.record, path, parent);
}

ReplayWindow* ReplayOpener::open(const QString& path, QWidget* parent) {
    QString refusal;
    ReplayWindow* window = openWindow(path, parent, &refusal);
    if (!window)
        showPlainMessageBox(parent, QMessageBox::Warning, tr("Quibo"),
                            tr("This game record cannot be replayed: %1").arg(refusal));
    return window;
}

ReplayWindow* ReplayOpener::show(const GameRecord& record, const QString& path, QWidget* parent) {
    auto* window = new ReplayWindow(record, path, parent);
    // The analysis belongs to the window: closing the window drops an answer still to come.
    auto* analysis = new GameAnalysis(window);
    connect(analysis, &GameAnalysis::finished, window, &ReplayWindow::setVerdicts);
    const QList<TurnPosition> turns = window->replay().ownTurns();
    if (!turns.isEmpty()) analysis->start(turns, record.wordList);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void ReplayOpener::analyseForSummary(const GameRecord& record, GameSummaryWindow& summary) {
    const QList<TurnPosition> turns = GameReplay(record).ownTurns();
    if (turns.isEmpty()) return; // watched, or no own turn: nothing was missed
    auto* analysis = new GameAnalysis(&summary);
    connect(analysis, &GameAnalysis::finished, &summary, [&summary, analysis](const QList<TurnVerdict>& v) {
        summary.showMissed(v);
        analysis->deleteLater();
    });
    summary.expectMissed();
    analysis->start(turns, record.wordList);
}

} // namespace quibo

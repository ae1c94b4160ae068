// SPDX-License-Identifier: MIT
#include "replaywindow.h"

#include "gametext.h"
#include "plaintext.h"
#include "recordswindow.h"
#include "replayboard.h"
#include "seatnames.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

namespace quibo {

ReplayWindow::ReplayWindow(const GameRecord& record, const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_replay(record)
    , m_lines(m_model)
    , m_path(path) {
    setObjectName(QStringLiteral("replaywindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_board = new ReplayBoard(m_model, this);
    m_lineList = new QListWidget(this);
    m_lineList->setObjectName(QStringLiteral("listbox_replaylines"));
    m_lineList->setMinimumWidth(300);
    m_lineList->setWordWrap(true);
    connect(&m_lines, &ReplayLines::cleared, m_lineList, &QListWidget::clear);
    connect(&m_lines, &ReplayLines::lineAdded, m_lineList, [this](const QString& line) {
        // Lines name players and words from the record: list items show them as plain text.
        m_lineList->addItem(line);
    });

    m_analysis = makePlainLabel(QString(), this);
    m_analysis->setObjectName(QStringLiteral("label_analysis"));
    m_analysis->setWordWrap(true);
    m_analysis->setMinimumHeight(36);
    QFont bold = m_analysis->font();
    bold.setBold(true);
    m_analysis->setFont(bold);

    auto* table = new QHBoxLayout;
    table->addWidget(m_board, 0, Qt::AlignTop);
    table->addWidget(m_lineList, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(table, 1);
    layout->addWidget(m_analysis);
    buildNavigation(this, layout);

    m_title = tr("Quibo - Replay: %1 - %2, %3")
                  .arg(shownSeatName(record.player1, record.ownDisplaySeat() == 1),
                       shownSeatName(record.player2, record.ownDisplaySeat() == 2),
                       QLocale().toString(record.started.toLocalTime(), QLocale::ShortFormat));
    setWindowTitle(m_title);
    seek(0);
}

void ReplayWindow::buildNavigation(QWidget* parent, QBoxLayout* layout) {
    const auto button = [parent](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QLatin1StringView(name));
        b->setAutoDefault(false);
        return b;
    };
    m_first = button("button_first", tr("First"));
    m_previous = button("button_previous", tr("Previous"));
    m_next = button("button_next", tr("Next"));
    m_last = button("button_last", tr("Last"));
    connect(m_first, &QPushButton::clicked, this, &ReplayWindow::first);
    connect(m_previous, &QPushButton::clicked, this, &ReplayWindow::previous);
    connect(m_next, &QPushButton::clicked, this, &ReplayWindow::next);
    connect(m_last, &QPushButton::clicked, this, &ReplayWindow::last);

    m_slider = new QSlider(Qt::Horizontal, parent);
    m_slider->setObjectName(QStringLiteral("slider_step"));
    m_slider->setRange(0, stepCount());
    m_slider->setPageStep(10);
    connect(m_slider, &QSlider::valueChanged, this, &ReplayWindow::seek);
    m_stepLabel = makePlainLabel(QString(), parent);
    m_stepLabel->setObjectName(QStringLiteral("label_step"));

    auto* steps = new QHBoxLayout;
    for (QPushButton* b : {m_first, m_previous, m_next, m_last})
        steps->addWidget(b);
    steps->addWidget(m_slider, 1);
    steps->addWidget(m_stepLabel);
    layout->addLayout(steps);

    QPushButton* copy = button("button_copytext", tr("Copy as Text"));
    QPushButton* save = button("button_saveas", tr("Save As..."));
    QPushButton* close = button("button_close", tr("Close"));
    save->setEnabled(!m_path.isEmpty());
    connect(copy, &QPushButton::clicked, this, &ReplayWindow::copyText);
    connect(save, &QPushButton::clicked, this, &ReplayWindow::saveCopy);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* actions = new QHBoxLayout;
    actions->addWidget(copy);
    actions->addWidget(save);
    actions->addStretch();
    actions->addWidget(close);
    layout->addLayout(actions);

    // The keys work wherever the focus is in the window, also on the list of lines.
    const std::pair<int, void (ReplayWindow::*)()> keys[] = {{Qt::Key_Left, &ReplayWindow::previous},
                                                             {Qt::Key_Right, &ReplayWindow::next},
                                                             {Qt::Key_Home, &ReplayWindow::first},
                                                             {Qt::Key_End, &ReplayWindow::last}};
    for (const auto& [key, move] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, move);
    }
}

void ReplayWindow::seek(int step) {
    step = std::clamp(step, 0, stepCount());
    if (step == m_step) return;
    // The table is built up again from the record's start, so going back is as exact as going on.
    m_lines.clear();
    m_replay.seek(step, m_model);
    m_step = step;
    showStep();
}

void ReplayWindow::showStep() {
    if (m_slider) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(m_step);
    }
    if (m_stepLabel) m_stepLabel->setText(tr("Step %1 of %2").arg(m_step).arg(stepCount()));
    if (m_first) {
        m_first->setEnabled(m_step > 0);
        m_previous->setEnabled(m_step > 0);
        m_next->setEnabled(m_step < stepCount());
        m_last->setEnabled(m_step < stepCount());
    }
    m_analysis->setText(analysisText());
    m_lineList->scrollToBottom();
    Q_EMIT stepChanged(m_step);
}

void ReplayWindow::setVerdicts(const QList<TurnVerdict>& verdicts) {
    m_verdicts = verdicts;
    std::sort(m_verdicts.begin(), m_verdicts.end(),
              [](const TurnVerdict& a, const TurnVerdict& b) { return a.turn.step < b.turn.step; });
    m_analysis->setText(analysisText());
}

QString ReplayWindow::analysisText() const {
    const TurnVerdict* shown = nullptr;
    for (const TurnVerdict& v : m_verdicts) {
        if (v.turn.step > m_step) break;
        shown = &v;
    }
    return shown && shown->turn.moveStep <= m_step ? shown->text : QString();
}

QString ReplayWindow::exportText() const {
    TableModel table;
    GameText text(table);
    m_replay.seek(stepCount(), table);
    return m_title + QLatin1Char('\n') + text.wholeText();
}

void ReplayWindow::copyText() {
    QApplication::clipboard()->setText(exportText());
}

void ReplayWindow::saveCopy() {
    RecordsWindow::saveCopy(this, m_path);
}

} // namespace quibo

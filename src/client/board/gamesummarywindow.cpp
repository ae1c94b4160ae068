// SPDX-License-Identifier: MIT
#include "gamesummarywindow.h"

#include "meaningtips.h"
#include "plaintext.h"
#include "seatnames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {

namespace {

QLabel* namedLabel(const char* name, QWidget* parent) {
    // Names and words come from the host.
    QLabel* label = makePlainLabel(QString(), parent);
    label->setObjectName(QLatin1StringView(name));
    return label;
}

QString wordLine(const GameSummary::Word& w) {
    return w.word + QStringLiteral(" : ") + QString::number(w.points);
}

} // namespace

GameSummaryWindow::GameSummaryWindow(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool) {
    setObjectName(QStringLiteral("gamesummary"));
    setWindowTitle(tr("Quibo - Game Summary"));
    setModal(false);

    m_heading = namedLabel("label_summaryheading", this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    bold.setPointSize(11);
    m_heading->setFont(bold);
    m_heading->setAlignment(Qt::AlignCenter);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildSeatColumn(1));
    columns->addWidget(buildSeatColumn(2));

    auto* facts = new QGridLayout;
    const struct {
        const char* caption;
        QLabel** value;
        const char* name;
    } lines[] = {{QT_TR_NOOP("Longest word:"), &m_longest, "label_summarylongest"},
                 {QT_TR_NOOP("Best word:"), &m_best, "label_summarybest"},
                 {QT_TR_NOOP("Game length:"), &m_length, "label_summarylength"}};
    int row = 0;
    for (const auto& line : lines) {
        facts->addWidget(new QLabel(tr(line.caption), this), row, 0);
        *line.value = namedLabel(line.name, this);
        facts->addWidget(*line.value, row++, 1);
    }
    facts->setColumnStretch(1, 1);

    m_missedCaption = new QLabel(tr("Missed:"), this);
    m_missed = new QListWidget(this);
    m_missed->setObjectName(QStringLiteral("listbox_summarymissed"));
    m_missed->setWordWrap(true);
    m_missed->setFixedHeight(86);
    m_missedCaption->hide();
    m_missed->hide();

    m_playAgain = new QPushButton(tr("Play Again"), this);
    m_playAgain->setObjectName(QStringLiteral("button_playagain"));
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("button_close"));
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_playAgain);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(columns);
    layout->addLayout(facts);
    layout->addWidget(m_missedCaption);
    layout->addWidget(m_missed);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_playAgain, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT playAgainRequested();
    });
}

QWidget* GameSummaryWindow::buildSeatColumn(int seat) {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* score = makePlainLabel(QString(), column);
    score->setObjectName(QStringLiteral("label_summaryscore%1").arg(seat));
    QFont bold = score->font();
    bold.setBold(true);
    score->setFont(bold);
    auto* words = new QListWidget(column);
    words->setObjectName(QStringLiteral("listbox_summarywords%1").arg(seat));
    words->setFixedHeight(140);
    layout->addWidget(score);
    layout->addWidget(words);
    m_scores[size_t(seat - 1)] = score;
    m_words[size_t(seat - 1)] = words;
    return column;
}

QString GameSummaryWindow::lengthText(qint64 seconds) {
    const qint64 s = std::max<qint64>(seconds, 0);
    return QString::number(s / 60) + QLatin1Char(':') +
           QStringLiteral("%1").arg(s % 60, 2, 10, QLatin1Char('0'));
}

void GameSummaryWindow::showSummary(const GameSummary& summary, bool mayStartGames) {
    const QString winnerName =
        summary.winner == 1 || summary.winner == 2 ? summary.names[size_t(summary.winner - 1)] : QString();
    m_heading->setText(summary.winner != 0 && summary.winner == summary.ownSeat
                           ? tr("You have won the game!")
                           : tr("%1 has won the game!").arg(shownSeatName(winnerName, false)));
    for (size_t i = 0; i < 2; ++i) {
        m_scores[i]->setText(shownSeatName(summary.names[i], int(i) + 1 == summary.ownSeat) +
                             QStringLiteral(": ") + QString::number(summary.scores[i]));
        m_words[i]->clear();
        for (const GameSummary::Word& w : summary.words[i]) {
            auto* item = new QListWidgetItem(wordLine(w), m_words[i]);
            item->setData(MeaningTips::wordRole, w.word);
        }
    }
    const auto fact = [&summary](const GameSummary::Word& w) {
        if (w.word.isEmpty()) return tr("None");
        return w.word.toUpper() + QStringLiteral(" (") + QString::number(w.points) + tr(" points, ") +
               shownSeatName(summary.names[size_t(w.seat - 1)], w.seat == summary.ownSeat) + QLatin1Char(')');
    };
    m_longest->setText(fact(summary.longest));
    m_best->setText(fact(summary.best));
    m_length->setText(lengthText(summary.seconds));
    m_playAgain->setVisible(mayStartGames);
    // A new game's misses come with its own analysis, if any.
    m_missed->clear();
    m_missedCaption->hide();
    m_missed->hide();

    adjustSize();
    if (QWidget* main = parentWidget()) {
        QRect frame = geometry();
        frame.moveCenter(main->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
}

QList<TurnVerdict> GameSummaryWindow::costliest(const QList<TurnVerdict>& verdicts, int count) {
    QList<TurnVerdict> lost;
    for (const TurnVerdict& v : verdicts)
        if (v.loss > 0 && !v.best.word.isEmpty()) lost.append(v);
    std::stable_sort(lost.begin(), lost.end(),
                     [](const TurnVerdict& a, const TurnVerdict& b) { return a.loss > b.loss; });
    if (lost.size() > count) lost.resize(std::max(count, 0));
    return lost;
}

void GameSummaryWindow::expectMissed() {
    m_missed->clear();
    m_missed->addItem(tr("Working out the best moves..."));
    m_missedCaption->show();
    m_missed->show();
}

void GameSummaryWindow::showMissed(const QList<TurnVerdict>& verdicts) {
    m_missed->clear();
    m_missedCaption->show();
    m_missed->show();
    const QList<TurnVerdict> missed = costliest(verdicts);
    if (missed.isEmpty()) {
        m_missed->addItem(tr("Nothing: every turn was the best one."));
        return;
    }
    for (const TurnVerdict& v : missed) {
        // The turn's number among the player's own tells two misses of the same word apart.
        const auto at = std::find_if(verdicts.begin(), verdicts.end(),
                                     [&v](const TurnVerdict& t) { return t.turn.step == v.turn.step; });
        const int turn = int(at - verdicts.begin()) + 1;
        const QString best = QString::fromLatin1(v.best.word);
        QString line =
            v.turn.playedWord.isEmpty()
                ? tr("Turn %1: %2 for %3 instead of no word").arg(turn).arg(best).arg(v.best.points)
                : tr("Turn %1: %2 for %3 instead of %4 for %5")
                      .arg(turn)
                      .arg(best)
                      .arg(v.best.points)
                      .arg(QString::fromLatin1(v.turn.playedWord))
                      .arg(v.turn.playedPoints);
        const QString meaning = m_tips ? m_tips->firstMeaning(best) : QString();
        if (!meaning.isEmpty()) line += QStringLiteral(" \u2013 ") + meaning;
        auto* item = new QListWidgetItem(line, m_missed);
        item->setData(MeaningTips::wordRole, best.toLower());
    }
    adjustSize();
}

} // namespace quibo

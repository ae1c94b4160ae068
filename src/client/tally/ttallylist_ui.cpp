// SPDX-License-Identifier: MIT
// The tally window's widgets: the own panel, the opponent panel, both check lists and "OK".
#include "plaintext.h"
#include "ttallylist.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {
namespace {

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    // Opponents' names and words come from the tally file and the seat labels.
    QLabel* label = makePlainLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// "Your Total Tally": caption and value per line; the turn-score line exists but stays hidden.
QGroupBox* ownPanel(QWidget* parent) {
    auto* box = new QGroupBox(Ttallylist::tr("Your Total Tally"), parent);
    auto* grid = new QGridLayout(box);
    const struct {
        int column;
        const char* caption;
        const char* start;
    } lines[] = {{1, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Total Games:"), "0"},
                 {2, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Your Wins:"), "0"},
                 {3, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Longest Word:"),
                  QT_TRANSLATE_NOOP("quibo::Ttallylist", "None")},
                 {5, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Best Scoring:"),
                  QT_TRANSLATE_NOOP("quibo::Ttallylist", "None")},
                 {7, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Total Words:"), "0"},
                 {8, QT_TRANSLATE_NOOP("quibo::Ttallylist", "Turn Score:"), "0"}};
    int row = 0;
    for (const auto& line : lines) {
        auto* caption = new QLabel(Ttallylist::tr(line.caption), box);
        QLabel* value =
            namedLabel(QStringLiteral("mylabel_%1").arg(line.column), Ttallylist::tr(line.start), box);
        value->setProperty("tag", 0);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        caption->setVisible(line.column != 8);
        value->setVisible(line.column != 8);
        ++row;
    }
    return box;
}

// One opponent's record: Total and Session columns; the "Neither Won:" line stays hidden.
QGroupBox* opponentPanel(QWidget* parent) {
    auto* box = new QGroupBox(parent);
    auto* grid = new QGridLayout(box);
    QLabel* heading = namedLabel(QStringLiteral("label_hisnametop"), QString(), box);
    heading->hide(); // shown with a selected opponent's record
    grid->addWidget(heading, 0, 0, 1, 3);
    grid->addWidget(new QLabel(Ttallylist::tr("Total"), box), 1, 1);
    grid->addWidget(new QLabel(Ttallylist::tr("Session"), box), 1, 2);
    const QString captions[] = {Ttallylist::tr("Number of Games:"), QString(), Ttallylist::tr("Your Wins:"),
                                Ttallylist::tr("Neither Won:")};
    for (int line = 0; line < 4; ++line) {
        QLabel* caption = line == 1
                              ? namedLabel(QStringLiteral("label_hisname"), QStringLiteral("XX Wins:"), box)
                              : new QLabel(captions[line], box);
        QLabel* total = namedLabel(QStringLiteral("label_%1").arg(line + 1), QStringLiteral("0"), box);
        QLabel* session = namedLabel(QStringLiteral("label_%1").arg(line + 5), QStringLiteral("0"), box);
        grid->addWidget(caption, line + 2, 0);
        grid->addWidget(total, line + 2, 1);
        grid->addWidget(session, line + 2, 2);
        for (QLabel* l : {caption, total, session})
            l->setVisible(line != 3);
        // The wins line reads "XX Wins:" until an opponent is selected, so it waits for one.
        if (line == 1) {
            for (QLabel* l : {caption, total, session})
                l->hide();
        }
    }
    return box;
}

QListWidget* checkList(const QString& name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    // A handful of names; a scroll bar appears past about six.
    list->setFixedHeight(108);
    return list;
}

} // namespace

void Ttallylist::buildWidgets() {
    listbox_tally = checkList(QStringLiteral("listbox_tally"), this);
    checklist = checkList(QStringLiteral("checklist"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("button_ok"));

    auto* lists = new QVBoxLayout;
    lists->addWidget(new QLabel(tr("Players Being Tallied"), this));
    lists->addWidget(listbox_tally);
    lists->addWidget(new QLabel(tr("Player In Current Game (Click to Start Tally)"), this));
    lists->addWidget(checklist);

    auto* panels = new QHBoxLayout;
    // The panels keep the height of their lines instead of stretching to the lists'.
    panels->addWidget(ownPanel(this), 0, Qt::AlignTop);
    panels->addWidget(opponentPanel(this), 0, Qt::AlignTop);
    panels->addLayout(lists);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels);
    layout->addWidget(ok, 0, Qt::AlignRight);

    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    connect(listbox_tally, &QListWidget::itemChanged, this, &Ttallylist::listbox_tallyClickCheck);
    connect(listbox_tally, &QListWidget::currentRowChanged, this, [this] { listbox_tallyClick(); });
    connect(checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
}

} // namespace quibo

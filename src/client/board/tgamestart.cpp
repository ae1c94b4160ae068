// SPDX-License-Identifier: MIT
#include "tgamestart.h"

#include "contrast.h"
#include "messages.h"
#include "updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace quibo {

Tgamestart::Tgamestart(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool) {
    setObjectName(QStringLiteral("gamestart"));
    setWindowTitle(tr("Quibo - Game Start"));
    // Wide enough that the title bar shows the whole caption.
    setFixedSize(262, 216);
    setModal(false);
    // The same plain white background as the player window; on a dark desktop the desktop's own,
    // as there, so that the captions keep their contrast.
    setAutoFillBackground(true);
    QPalette pal = palette();
    if (!isDarkPalette(pal.color(QPalette::Window), pal.color(QPalette::WindowText)))
        pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* frame = new QGroupBox(tr("Game Options"), this);
    frame->setObjectName(QStringLiteral("panel_options"));
    frame->setGeometry(8, 6, 246, 166);

    const struct {
        const char* caption;
        int top;
    } rows[] = {{QT_TR_NOOP("Play to Score:"), 26},
                {QT_TR_NOOP("Time Per Turn:"), 56},
                {QT_TR_NOOP("# of Steals:"), 86},
                {QT_TR_NOOP("Computer:"), 138}};
    // The captions' column is wide enough for the longer German ones.
    for (const auto& row : rows) {
        auto* label = new QLabel(tr(row.caption), frame);
        label->setGeometry(12, row.top + 2, 102, 17);
    }
    m_playtoscore = makeField("edit_playtoscore", QRect(118, 26, 56, 21));
    m_creationtime = makeField("edit_creationtime", QRect(118, 56, 56, 21));
    m_steals = makeField("edit_steals", QRect(118, 86, 56, 21));
    for (QLineEdit* field : {m_playtoscore, m_creationtime, m_steals})
        field->setParent(frame);
    m_updown1 = new UpDown(QStringLiteral("UpDown1"), m_playtoscore, 100, 1000, 50, 200, frame);
    m_updown2 = new UpDown(QStringLiteral("UpDown2"), m_creationtime, 20, 120, 5, 30, frame);
    m_updown3 = new UpDown(QStringLiteral("UpDown3"), m_steals, 0, 20, 1, 5, frame);
    m_updown1->setGeometry(174, 26, 17, 21);
    m_updown2->setGeometry(174, 56, 17, 21);
    m_updown3->setGeometry(174, 86, 17, 21);

    m_unlimited = new QCheckBox(tr("Unlimited Steals"), frame);
    m_unlimited->setObjectName(QStringLiteral("checkbox_unlimited"));
    m_unlimited->setGeometry(12, 112, 180, 18);
    m_unlimited->setChecked(true);

    // The levels in the order of ComputerLevel, so an item's index is its level.
    m_computer = new QComboBox(frame);
    m_computer->setObjectName(QStringLiteral("combo_computer"));
    m_computer->addItems({tr("Easy"), tr("Normal"), tr("Strong"), tr("Expert")});
    m_computer->setGeometry(118, 136, 80, 22);
    setComputerLevel(ComputerLevel::Normal);

    m_start = new QPushButton(tr("Start Game"), this);
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setGeometry(81, 180, 100, 26);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &Tgamestart::button_startClick);
}

QLineEdit* Tgamestart::makeField(const char* name, const QRect& place) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1StringView(name));
    field->setGeometry(place);
    field->setReadOnly(true);
    // Only the arrows change the numbers, and Tab passes the fields by.
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(Qt::AlignRight);
    return field;
}

ComputerLevel Tgamestart::computerLevel() const {
    return ComputerLevel(m_computer->currentIndex());
}

void Tgamestart::setComputerLevel(ComputerLevel level) {
    m_computer->setCurrentIndex(int(level));
}

void Tgamestart::showCentred() {
    // Over the main window, where the player is looking; on the screen when there is none.
    if (!isVisible()) {
        const QWidget* main = parentWidget();
        const QScreen* screen = QGuiApplication::primaryScreen();
        QRect frame = geometry();
        if (main)
            frame.moveCenter(main->frameGeometry().center());
        else if (screen)
            frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    // Enter starts the game on every desktop (where Enter presses the focused button, it would
    // otherwise tick the check box that comes first).
    m_start->setFocus(Qt::OtherFocusReason);
}

void Tgamestart::button_startClick() {
    // With no limit the steals field is left as it is for a later game.
    msg::StartGame start{m_starterName.toUtf8(), m_creationtime->text().toInt(),
                         m_playtoscore->text().toInt(),
                         m_unlimited->isChecked() ? unlimitedSteals : m_steals->text().toInt()};
    // A normal game sends the start command every host knows.
    if (computerLevel() != ComputerLevel::Normal) start.level = computerLevel();
    Q_EMIT sendRequested(start.encode());
    Q_EMIT settingsChanged();
    hide();
}

void Tgamestart::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    Q_EMIT hidden();
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// The player window's menu bar and the pop-up menu of the two name labels.
#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "namedwidgets.h"
#include "tablemodel.h"
#include "tchat.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace quibo {

QAction* Tchat::menuAction(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

void Tchat::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("File1"));
    m_startGame1 = menuAction(file, "StartGame1", tr("Start Game"));
    m_startGame1->setEnabled(false);
    connect(m_startGame1, &QAction::triggered, m_board, &BoardPanel::startGameRequested);
    QAction* hostOrJoin = menuAction(file, "HostOrJoin1", tr("Host or Join a Game..."));
    connect(hostOrJoin, &QAction::triggered, this, [this] { openStartWindow(QString(), QString()); });
    m_copyTableLink1 = menuAction(file, "CopyTableLink1", tr("Copy Table Link"));
    m_copyTableLink1->setEnabled(false);
    connect(m_copyTableLink1, &QAction::triggered, this, &Tchat::copyTableLink);
    QAction* exit = menuAction(file, "Exit1", tr("Exit"));
    connect(exit, &QAction::triggered, this, [this] {
        if (mayLeave()) close();
    });

    createOptionsMenu();
    createViewAndHelpMenus();
}

void Tchat::createOptionsMenu() {
    QMenu* options = menuBar()->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    m_playSounds1 = menuAction(options, "PlaySounds1", tr("Play Sounds"));
    m_playSounds1->setCheckable(true);
    m_playSounds1->setChecked(true);
    connect(m_playSounds1, &QAction::triggered, this, &Tchat::saveinifile);
    connect(menuAction(options, "TextColor1", tr("Text Color")), &QAction::triggered, this,
            &Tchat::textColorChoiceRequested);
    connect(menuAction(options, "ActionColor1", tr("Action Color")), &QAction::triggered, this,
            &Tchat::actionColorChoiceRequested);

    QMenu* sizes = options->addMenu(tr("Text Size"));
    sizes->menuAction()->setObjectName(QStringLiteral("TextSize1"));
    for (const int size : {8, 10, 12, 14}) {
        const QByteArray name = "N" + QByteArray::number(size);
        QAction* item = menuAction(sizes, name.constData(), QString::number(size));
        item->setCheckable(true);
        item->setData(size);
        // The check mark follows the settings file, not the choice.
        connect(item, &QAction::triggered, this, [this, item, size] {
            item->setChecked(!item->isChecked());
            N14Click(size);
        });
    }

    m_scrollChatOff2 = menuAction(options, "ScrollChatOff2", tr("Scroll Chat Off"));
    m_scrollChatOff2->setCheckable(true);
    m_scrollChatOff2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_scrollChatOff2, &QAction::triggered, this, &Tchat::ScrollChatOff1Click);
    QAction* times = menuAction(options, "ChatTimes1", tr("Show Chat Times"));
    times->setCheckable(true);
    connect(times, &QAction::triggered, this, [this](bool on) {
        m_chatView->mainchat()->setShowsTimes(on);
        saveinifile();
    });
    QAction* clear = menuAction(options, "ClearMainChat2", tr("Clear Main Chat"));
    connect(clear, &QAction::triggered, m_chatView->mainchat(), &ChatPane::ClearMainChat1Click);
    m_justWatch1 = menuAction(options, "JustWatch1", tr("Just Watch"));
    m_justWatch1->setCheckable(true);
    connect(m_justWatch1, &QAction::toggled, m_board, &BoardPanel::setJustWatching);
    // The tick follows the host's answer; undo the automatic toggle of the click.
    connect(m_justWatch1, &QAction::triggered, this, [this] {
        m_justWatch1->setChecked(!m_justWatch1->isChecked());
        JustWatch1Click();
    });
}

void Tchat::createViewAndHelpMenus() {
    // Both "Quick Instructions" items show Ctrl+I; one shortcut serves them, so it is not ambiguous.
    const QString quickCaption = tr("Quick Instructions") + u'\t' +
                                 QKeySequence(Qt::CTRL | Qt::Key_I).toString(QKeySequence::NativeText);

    QMenu* view = menuBar()->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("View1"));
    connect(menuAction(view, "ViewTally1", tr("View Tally")), &QAction::triggered, this,
            &Tchat::tallyRequested);
    connect(menuAction(view, "GameRecords1", tr("Game Records…")), &QAction::triggered, this,
            &Tchat::recordsRequested);
    connect(menuAction(view, "SpyList1", tr("Spy List")), &QAction::triggered, this, &Tchat::SpyList1Click);
    connect(menuAction(view, "PrhaseList1", tr("Phrase List")), &QAction::triggered, this,
            &Tchat::phraseEditorRequested);
    connect(menuAction(view, "QuickInstructions1", quickCaption), &QAction::triggered, this,
            &Tchat::showQuickInstructions);

    QMenu* help = menuBar()->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = menuAction(help, "Content1", tr("Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] {
        if (m_setup.help) {
            m_setup.help->show();
            m_setup.help->raise();
        }
    });
    connect(menuAction(help, "QuickInstructions2", quickCaption), &QAction::triggered, this,
            &Tchat::showQuickInstructions);
    connect(menuAction(help, "About1", tr("About")), &QAction::triggered, this, &Tchat::aboutRequested);

    auto* quick = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this);
    quick->setObjectName(QStringLiteral("QuickInstructionsShortcut"));
    connect(quick, &QShortcut::activated, this, &Tchat::showQuickInstructions);
}

void Tchat::createPopupKick() {
    m_popupKick = new QMenu(this);
    m_popupKick->setObjectName(QStringLiteral("popup_kick"));
    m_removeFromGame1 = menuAction(m_popupKick, "RemoveFromGame1", tr("Remove From Game"));
    m_settoJustWatch1 = menuAction(m_popupKick, "SettoJustWatch1", tr("Set to Just Watch"));
    m_unsetJustWatch1 = menuAction(m_popupKick, "UnsetJustWatch1", tr("Unset Just Watch"));
    connect(m_removeFromGame1, &QAction::triggered, this, &Tchat::RemoveFromGame1Click);
    connect(m_settoJustWatch1, &QAction::triggered, this, &Tchat::SettoJustWatch1Click);
    connect(m_unsetJustWatch1, &QAction::triggered, this, &Tchat::UnsetJustWatch1Click);
}

void Tchat::attachNameLabelMenus() {
    for (int seat : {1, 2}) {
        QWidget* label = seatWidget(QStringLiteral("label_playername"), seat);
        if (!label) continue;
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this, [this, label](const QPoint& pos) {
            label_playername2ContextPopup(label);
            m_popupKick->popup(label->mapToGlobal(pos));
        });
    }
}

void Tchat::label_playername2ContextPopup(QWidget* label) {
    const bool host = ishost();
    for (QAction* item : {m_removeFromGame1, m_settoJustWatch1, m_unsetJustWatch1})
        item->setEnabled(host);
    m_popupKickSeat = label == seatWidget(QStringLiteral("label_playername"), 1) ? 1 : 2;
    if (m_model->seatWaiting(m_popupKickSeat)) m_removeFromGame1->setEnabled(false);
}

void Tchat::RemoveFromGame1Click() {
    kicking(m_popupKickSeat);
}

void Tchat::SettoJustWatch1Click() {
    if (m_isconnected && m_popupKickSeat < 5)
        sendToHost(msg::JustWatch{m_popupKickSeat, watchStarts}.encode());
}

void Tchat::UnsetJustWatch1Click() {
    if (m_isconnected && m_popupKickSeat < 5) sendToHost(msg::JustWatch{m_popupKickSeat, watchEnds}.encode());
}

void Tchat::JustWatch1Click() {
    if (!m_isconnected || (mynumber() != 1 && mynumber() != 2)) return;
    const int value = m_justWatch1->isChecked() ? watchEnds : watchStarts;
    sendToHost(msg::JustWatch{mynumber(), value}.encode());
}

bool Tchat::justWatching() const {
    return m_justWatch1 && m_justWatch1->isChecked();
}

void Tchat::setJustWatching(bool watching) {
    m_justWatch1->setChecked(watching);
}

void Tchat::ScrollChatOff1Click(bool checked) {
    m_chatView->mainchat()->scrollChatOffAction()->setChecked(checked);
    m_scrollChatOff2->setChecked(checked);
}

void Tchat::N14Click(int size) {
    m_chatView->mainchat()->setTextSize(size);
    saveinifile();
}

void Tchat::SpyList1Click() {
    Q_EMIT spyListRequested();
}

void Tchat::showQuickInstructions() {
    if (QWidget* panel = findNamedWidget(m_area, u"panel_help")) {
        panel->show();
        panel->raise();
    }
}

} // namespace quibo

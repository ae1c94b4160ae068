// SPDX-License-Identifier: MIT
#include "windowview.h"

#include "announcer.h"
#include "boardaccessibility.h"
#include "boardkeys.h"
#include "boardpanel.h"
#include "chatentry.h"
#include "chatpane.h"
#include "chatview.h"
#include "namedwidgets.h"
#include "scalinglayout.h"
#include "tchat.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

namespace quibo {

namespace {

// The containers whose children are drawn in the design's coordinates too.
constexpr const char* designContainers[] = {"panel_board", "panel_bonus", "panel_winner", "panel_help"};

} // namespace

WindowView::WindowView(Tchat& window, QSize designSize, int stretchLine)
    : QObject(&window)
    , m_window(window) {
    setObjectName(QStringLiteral("windowview"));
    placeByDesign(designSize, stretchLine);
    setUpKeys();
    labelSeats();
    announceGameEvents();
    // The window opens at the design size; left to itself the toolkit would give a growable window
    // two thirds of the screen at most. The settings may place it otherwise before it shows.
    m_window.resize(m_window.sizeHint());
}

void WindowView::placeByDesign(QSize designSize, int stretchLine) {
    QWidget* area = m_window.centralWidget();
    m_announcer = new Announcer(area);
    m_layout = new ScalingLayout(area, designSize, stretchLine);
    for (const char* name : designContainers)
        m_layout->addContainer(findNamedWidget(area, QString::fromLatin1(name)));
}

void WindowView::setUpKeys() {
    BoardPanel* board = m_window.board();
    m_keys = new BoardKeys(*board, m_window.model());
    m_accessibility = new BoardAccessibility(*board, m_keys, m_window.model());
    ChatView* chat = m_window.chatView();

    // Tab runs from the board to the chat entry, the chat and the own words, and back.
    QWidget::setTabOrder(board, chat->mychat());
    QWidget::setTabOrder(chat->mychat(), chat->mainchat());
    QWidget::setTabOrder(chat->mainchat(), board->listboxMywords());
    board->setFocus();

    if (auto* start = findNamed<QAction>(&m_window, u"StartGame1"))
        start->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    if (auto* hostOrJoin = findNamed<QAction>(&m_window, u"HostOrJoin1"))
        hostOrJoin->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    auto* toChat = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &m_window);
    connect(toChat, &QShortcut::activated, chat->mychat(),
            [chat] { chat->mychat()->setFocus(Qt::ShortcutFocusReason); });
    auto* toBoard = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), &m_window);
    connect(toBoard, &QShortcut::activated, board, [board] { board->setFocus(Qt::ShortcutFocusReason); });
    auto* toMenu = new QShortcut(QKeySequence(Qt::Key_F10), &m_window);
    connect(toMenu, &QShortcut::activated, this, [this] {
        QMenuBar* bar = m_window.menuBar();
        if (!bar->actions().isEmpty()) bar->setActiveAction(bar->actions().constFirst());
    });
    // Styles that do not take the menu bar on a lone Alt (Fusion) get it here.
    if (!m_window.style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, &m_window))
        qApp->installEventFilter(this);
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        m_altAlone = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    } else if (key->key() == Qt::Key_Alt && m_altAlone) {
        m_altAlone = false;
        QMenuBar* bar = m_window.menuBar();
        if (!bar->actions().isEmpty()) bar->setActiveAction(bar->actions().constFirst());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void WindowView::labelSeats() {
    // The set numbered 1 stands at the bottom in every window (the seat-2 window renames them).
    const struct {
        const char* base;
        const char* lower;
        const char* upper;
    } roles[] = {
        {"label_playername", QT_TR_NOOP("Player of the lower board"),
         QT_TR_NOOP("Player of the upper board")},
        {"label_score", QT_TR_NOOP("Score of the lower board"), QT_TR_NOOP("Score of the upper board")},
        {"label_status", QT_TR_NOOP("Steals of the lower board"), QT_TR_NOOP("Steals of the upper board")},
    };
    for (const auto& role : roles) {
        for (int seat : {1, 2}) {
            if (QWidget* label = m_window.seatWidget(QLatin1String(role.base), seat))
                label->setAccessibleDescription(tr(seat == 1 ? role.lower : role.upper));
        }
    }
    // The pictures beside a name say what they show, and only while they show it.
    for (int seat : {1, 2}) {
        if (QWidget* turn = m_window.seatWidget(QStringLiteral("image_Turn"), seat))
            turn->setAccessibleName(tr("Has the turn"));
        if (QWidget* eyes = m_window.seatWidget(QStringLiteral("image_eyes"), seat))
            eyes->setAccessibleName(tr("Just watching"));
    }
}

void WindowView::announceGameEvents() {
    BoardPanel* board = m_window.board();
    connect(board, &BoardPanel::chatLine, m_announcer,
            [this](const QString& text) { m_announcer->announce(text); });
    connect(board, &BoardPanel::turnBegan, m_announcer, [this, board](int seat) {
        if (seat != 0 && seat == board->model().ownSeat()) m_announcer->announce(tr("Your turn."));
    });
    connect(board->turntimer(), &QTimer::timeout, m_announcer, [this, board] {
        if (board->model().isOwnTurn() && board->model().secondsLeft() == BoardPanel::warningSeconds)
            m_announcer->announce(tr("%1 seconds left.").arg(BoardPanel::warningSeconds));
    });
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "tchat.h"

#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "endgamequestion.h"
#include "hostconnection.h"
#include "namedwidgets.h"
#include "tablemodel.h"
#include "windowview.h"
#include "windowwiring.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QTimer>

namespace quibo {

Q_LOGGING_CATEGORY(lcClient, "quibo.client")

namespace {

constexpr int clientWidth = 767;
constexpr int clientHeight = 510;

// The frame round the client area: 4-pixel strips from (14, 11) to (752, 501).
constexpr int frameLeft = 14;
constexpr int frameTop = 11;
constexpr int frameRight = 752;
constexpr int frameBottom = 501;
constexpr int frameWidth = 4;
// Extra height of a tall window goes to the chat pane, which this design line crosses.
constexpr int chatStretchLine = 380;

} // namespace

Tchat::Tchat(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(tr("Quibo"));
    setFont(QFont(QStringLiteral("Arial")));
    m_model = new TableModel(this);
    createClientArea();
    createMenus();
    createPopupKick();
    attachNameLabelMenus();
    FormCreate();
    // Sizes, keys and screen-reader names of what the window shows.
    new WindowView(*this, QSize(clientWidth, clientHeight), chatStretchLine);
}

Tchat::~Tchat() {
    // The sockets report their own closing while they are destroyed; this window is gone by then.
    m_sock11->disconnectEvents();
}

void Tchat::FormCreate() {
    m_ishost = false;
    connectBoard(*this, *m_board);
    createConnection();
    connect(m_model, &TableModel::seatLeft, this, &Tchat::seatVacated);

    // Held open while a multi-player copy runs; nothing is ever sent or read on it.
    m_sock11 = new TSock(this);
    m_sock11->setObjectName(QStringLiteral("Sock11"));
}

void Tchat::createConnection() {
    m_connection = new HostConnection(this);
    connectHostMessages(*m_connection, *this);
    routeSeatMessages();
    connectChat(*this, *m_chatView, *m_connection);
    connect(m_connection, &HostConnection::sockInfo, this, &Tchat::sockInfo);
    connect(m_connection, &HostConnection::connected, this, [this] { m_sockOpen = true; });
    connect(m_connection, &HostConnection::hostMisbehaved, this, &Tchat::dropConnection);
    connect(m_connection, &HostConnection::connectionLost, this, &Tchat::connectionLost);
    connect(m_connection, &HostConnection::reconnected, this, &Tchat::reconnected);
    connect(m_connection, &HostConnection::reconnectFailed, this, &Tchat::reconnectFailed);
    m_connection->on(this, &Tchat::passwordneeded);
}

void Tchat::createClientArea() {
    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("clientarea"));
    m_area->resize(clientWidth, clientHeight);
    // The area shows the desktop's base colour: white on a light desktop, dark on a dark one.
    m_area->setAutoFillBackground(true);
    m_area->setBackgroundRole(QPalette::Base);
    setCentralWidget(m_area);

    createFrame(m_area);

    // The board panel places itself, the own-words list and the quick-instruction panel.
    m_board = new BoardPanel(m_area, m_model);

    m_chatView = new ChatView(m_area, this);
    connect(m_chatView->mainchat(), &ChatPane::scrollChatOffToggled, this, &Tchat::ScrollChatOff1Click);
}

void Tchat::createFrame(QWidget* area) {
    const int width = frameRight - frameLeft;
    const int height = frameBottom - frameTop;
    const struct {
        const char* name;
        QRect place;
    } strips[] = {
        {"frame_top", {frameLeft, frameTop, width, frameWidth}},
        {"frame_bottom", {frameLeft, frameBottom - frameWidth, width, frameWidth}},
        {"frame_left", {frameLeft, frameTop, frameWidth, height}},
        {"frame_right", {frameRight - frameWidth, frameTop, frameWidth, height}},
    };
    for (const auto& strip : strips) {
        auto* label = new QLabel(area);
        label->setObjectName(QLatin1String(strip.name));
        label->setGeometry(strip.place);
        label->setStyleSheet(QStringLiteral("background-color: #1B6283;"));
        label->lower();
    }
}

void Tchat::updateSeatViews() {
    m_chatView->setSeat(mynumber(), m_isconnected);
    m_board->setConnected(m_isconnected);
    m_board->setHosting(ishost());
    m_board->setMyname(m_myname);
}

int Tchat::mynumber() const {
    return m_model->ownSeat();
}

QWidget* Tchat::seatWidget(const QString& base, int seat) const {
    return findNamedWidget(m_area, QString(base + QString::number(seat)));
}

void Tchat::addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord) {
    m_chatView->addlinetochat(text, colour, meaningWord);
}

void Tchat::playsounds(const QString& name) {
    if (m_playSounds1->isChecked()) Q_EMIT soundRequested(name);
}

void Tchat::loadinifile() {
    Q_EMIT settingsLoadRequested();
}

void Tchat::saveinifile() {
    Q_EMIT settingsSaveRequested();
}

void Tchat::requestAttention() {
    QApplication::alert(this);
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_paramsProcessed) return;
    m_paramsProcessed = true;
    processparams();
}

bool Tchat::mayLeave() {
    // Leaving ends the game for both players while the own seat plays, and the hosting copy takes
    // its table down with it, whoever else sits there.
    const int own = m_model->ownSeat();
    const bool playing = m_model->phase() == GamePhase::Running && own >= 1 && own <= 3;
    const bool hostingOthers = m_ishost && m_model->seat(2).occupied;
    if (!playing && !hostingOthers) return true;
    QPointer<Tchat> self(this);
    return confirmEndingGame(this) && !self.isNull();
}

void Tchat::closeEvent(QCloseEvent* event) {
    // The player's own close (the title bar's button) asks; the program's closes do not.
    if (!m_closing && event->spontaneous() && !mayLeave()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (m_closing) return;
    m_closing = true;
    // Leave the table: the host sees the connection end and frees the seat.
    m_connection->close();
    m_sock11->disconnectEvents();
    m_sock11->Close();
    Q_EMIT closed();
}

void Tchat::closeAfterNotice(const QString& line) {
    addlinetochat(line, colorStatus);
    m_connection->stopListening();
    QTimer::singleShot(m_setup.closeDelay, this, &Tchat::close);
}

} // namespace quibo

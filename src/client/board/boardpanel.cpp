// SPDX-License-Identifier: MIT
#include "boardpanel.h"

#include "boardtheme.h"
#include "gamesummarywindow.h"
#include "namedwidgets.h"
#include "plaintext.h"
#include "quickinstructions.h"
#include "scalinglayout.h"
#include "tgamestart.h"
#include "tile.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace quibo {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    // Names from the host reach most of these labels (seat names, the status line, the banner).
    QLabel* label = makePlainLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setGeometry(place);
    label->setAlignment(align);
    return label;
}

QFont boldFont(const QFont& base, int pointSize) {
    QFont f = base;
    f.setBold(true);
    f.setPointSize(pointSize);
    return f;
}

// The turn marker: an arrow pointing at the name of the seat on turn.
QPixmap turnMarkerPicture(qreal dpr) {
    QPixmap pixmap(QSize(23, 23) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8A, 0x4B, 0x08), 1));
    p.setBrush(QColor(0xF5, 0xA6, 0x23));
    const QPointF arrow[] = {{3, 7}, {11, 7}, {11, 2}, {20, 11.5}, {11, 21}, {11, 16}, {3, 16}};
    p.drawPolygon(arrow, 7);
    return pixmap;
}

// The just-watching marker: a pair of eyes.
QPixmap eyesPicture(qreal dpr) {
    QPixmap pixmap(QSize(30, 18) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int x : {2, 16}) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(x, 2, 12, 14));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(x + 4, 7, 5, 6));
    }
    return pixmap;
}

} // namespace

BoardPanel::BoardPanel(QWidget* centralWidget, TableModel* model)
    : QWidget(centralWidget)
    , m_model(model ? model : new TableModel(this))
    , m_tiles(centralWidget ? centralWidget->devicePixelRatioF() : 1.0) {
    setObjectName(QStringLiteral("panel_board"));
    setGeometry(68, 18, 530, 261);

    buildRows();
    buildSeatWidgets();
    buildOptionsAndStatus();
    buildLegend();
    buildWinnerBanner();
    buildButtons();
    buildWordsList(centralWidget);

    m_turntimer = new QTimer(this);
    m_turntimer->setObjectName(QStringLiteral("turntimer"));
    m_turntimer->setInterval(1000);
    connect(m_turntimer, &QTimer::timeout, this, &BoardPanel::turntimerTimer);

    m_quickInstructions = new QuickInstructions(m_tiles, centralWidget);
    m_quickInstructions->hide();
    QWidget* mainWindow = centralWidget ? centralWidget->window() : nullptr;
    m_gamestart = new Tgamestart(mainWindow);
    connect(m_gamestart, &Tgamestart::sendRequested, this, &BoardPanel::sendRequested);
    connect(m_gamestart, &Tgamestart::hidden, this, [this] {
        m_clockStoppedForOptions = false;
        showClock();
    });
    m_ownsGamestart = mainWindow == nullptr;
    m_summary = new GameSummaryWindow(mainWindow);
    m_summary->hide();
    // "Play Again" starts the next game just as "Start Game" in the options window would, with the
    // options that window keeps.
    connect(m_summary, &GameSummaryWindow::playAgainRequested, m_gamestart, &Tgamestart::button_startClick);
    m_log = new GameLog(*m_model);
    m_log->setParent(this);
    connect(m_log, &GameLog::chatLine, this,
            [this](const QString& text, ColorValue colour) { Q_EMIT chatLine(text, colour); });
    followOptionsWindow();
    connectModel();
    showSeats();
}

void BoardPanel::setMyname(const QString& name) {
    m_gamestart->setStarterName(name);
}

void BoardPanel::endJustWatching() {
    m_justWatching = false;
    Q_EMIT justWatchingEnded();
}

BoardPanel::~BoardPanel() {
    // Without a main window the options window has no parent to delete it.
    if (m_ownsGamestart) {
        delete m_gamestart;
        delete m_summary;
    }
}

void BoardPanel::buildRows() {
    const qreal dpr = devicePixelRatioF();
    m_wordback2 = makeLabel(this, "wordback2", QString(), QRect(7, 29, 407, 51));
    m_wordback1 = makeLabel(this, "wordback1", QString(), QRect(6, 112, 407, 51));
    m_wordback1->setPixmap(TileSet::boardStrip(m_wordback1->size(), dpr));
    // Both strips show the same picture.
    m_wordback2->setPixmap(m_wordback1->pixmap());

    for (int n = 1; n <= 10; ++n) {
        auto* his = new Tile(QStringLiteral("hisletter%1").arg(n), n, this);
        his->move(BoardLayout::hisletterLeft + BoardLayout::boardStep * (n - 1), BoardLayout::hisletterTop);
        connect(his, &Tile::clicked, this, &BoardPanel::hisletter1Click);
        m_hisletters[size_t(n - 1)] = his;

        auto* mine = new Tile(QStringLiteral("myletter%1").arg(n), n, this);
        mine->move(BoardLayout::myletterLeft + BoardLayout::boardStep * (n - 1), BoardLayout::myletterTop);
        connect(mine, &Tile::pressed, this, &BoardPanel::myletter1MouseDown);
        m_myletters[size_t(n - 1)] = mine;
    }
    for (int n = 1; n <= 6; ++n) {
        auto* hand = new Tile(QStringLiteral("extra%1").arg(n), n, this);
        hand->move(BoardLayout::extraLeft + BoardLayout::extraStep * (n - 1), BoardLayout::extraTop);
        connect(hand, &Tile::pressed, this, &BoardPanel::extra1MouseDown);
        m_extras[size_t(n - 1)] = hand;
    }
}

void BoardPanel::buildSeatWidgets() {
    // Set 2 stands above the opponent's row, set 1 above the own row.
    buildSeatSet(2, 4);
    buildSeatSet(1, 86);
}

void BoardPanel::buildSeatSet(int seat, int top) {
    const QString n = QString::number(seat);
    const qreal dpr = devicePixelRatioF();
    auto* turn = makeLabel(this, "image_Turn", QString(), QRect(10, top, 23, 23));
    turn->setObjectName(QStringLiteral("image_Turn") + n);
    turn->setPixmap(turnMarkerPicture(dpr));
    turn->hide();

    auto* name = makeLabel(this, "label_playername", shownSeatName(waitingSeatText(), false),
                           QRect(36, top + 4, 150, 16));
    name->setObjectName(QStringLiteral("label_playername") + n);
    name->setFont(boldFont(font(), 10));
    name->setContextMenuPolicy(Qt::CustomContextMenu);
    setWidgetTag(name, seat);

    auto* score = makeLabel(this, "label_score", QStringLiteral("0"), QRect(190, top + 4, 60, 16));
    score->setObjectName(QStringLiteral("label_score") + n);
    score->setFont(boldFont(font(), 10));

    auto* eyes = makeLabel(this, "image_eyes", QString(), QRect(254, top + 3, 30, 18));
    eyes->setObjectName(QStringLiteral("image_eyes") + n);
    eyes->setPixmap(eyesPicture(dpr));
    eyes->setToolTip(tr("Just watching"));
    eyes->hide();

    auto* status = makeLabel(this, "label_status", QString(), QRect(290, top + 4, 122, 16),
                             Qt::AlignRight | Qt::AlignVCenter);
    status->setObjectName(QStringLiteral("label_status") + n);
}

void BoardPanel::buildOptionsAndStatus() {
    // Wide enough for "Game Over", which shows once the hand beside it is gone.
    m_labelTurntime = makeLabel(this, "label_turntime", tr("Time: 0:00"), QRect(4, 186, 110, 14));
    m_labelPlaytoscore =
        makeLabel(this, "label_playtoscore", tr("Play to Score: 100"), QRect(362, 172, 160, 14));
    m_labelTimeperturn =
        makeLabel(this, "label_timeperturn", tr("Time per Turn: 30 "), QRect(362, 186, 160, 14));
    m_labelSteals = makeLabel(this, "label_steals", tr("# of Steals: 5"), QRect(362, 200, 160, 14));
    // Right of the status line and the winner's banner, which run to x 414: the text keeps to the
    // right edge, so that the banner does not cover its start.
    m_labelComputer = makeLabel(this, "label_computer", QString(), QRect(398, 214, 126, 14),
                                Qt::AlignRight | Qt::AlignVCenter);
    setComputerLevelLabel(ComputerLevel::Normal);
    m_labelStatus = makeLabel(this, "label_status", QString(), QRect(4, 218, 410, 17), Qt::AlignCenter);
    m_labelStatus->setFont(boldFont(font(), 10));
}

void BoardPanel::buildLegend() {
    auto* legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("panel_bonus"));
    legend->setGeometry(422, 30, 102, 84);
    auto* heading = makeLabel(legend, "label_bonus", tr("Bonus Points"), QRect(0, 0, 102, 16));
    heading->setFont(boldFont(font(), 9));
    const char* lines[] = {QT_TR_NOOP("6 Letters - 2x"), QT_TR_NOOP("7 Letters - 3x"),
                           QT_TR_NOOP("8 Letters - 4x"), QT_TR_NOOP("9 Letters - 5x"),
                           QT_TR_NOOP("10 Letters - 6x")};
    int top = 18;
    int n = 1;
    for (const char* line : lines) {
        auto* label = makeLabel(legend, "label_bonus", tr(line), QRect(6, top, 96, 13));
        label->setObjectName(QStringLiteral("label_bonus%1").arg(n++));
        top += 13;
    }
}

void BoardPanel::buildWinnerBanner() {
    auto* banner = new QFrame(this);
    banner->setObjectName(QStringLiteral("panel_winner"));
    // Over the status line under the hand, so the hand stays in view after the game.
    banner->setGeometry(4, 215, 410, 23);
    banner->setFrameShape(QFrame::Box);
    banner->setAutoFillBackground(true);
    QPalette pal = banner->palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xD8));
    pal.setColor(QPalette::WindowText, QColor(0xB0, 0x8A, 0x30));
    banner->setPalette(pal);
    m_panelWinner = banner;
    QFont bannerFont = boldFont(font(), 12);
    // The grey shadow lies one pixel below and to the right of the text and is drawn first.
    m_labelWinner2 = makeLabel(banner, "label_winner2", QString(), QRect(2, 2, 406, 20), Qt::AlignCenter);
    m_labelWinner2->setFont(bannerFont);
    m_labelWinner2->setStyleSheet(QStringLiteral("color: #909090;"));
    m_labelWinner1 = makeLabel(banner, "label_winner1", QString(), QRect(1, 1, 406, 20), Qt::AlignCenter);
    m_labelWinner1->setFont(bannerFont);
    m_labelWinner1->setStyleSheet(QStringLiteral("color: #B00000;"));
    banner->hide();
}

void BoardPanel::buildButtons() {
    m_buttonStart = new QPushButton(tr("Start Game"), this);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    m_buttonStart->setGeometry(422, 120, 102, 24);
    connect(m_buttonStart, &QPushButton::clicked, this, &BoardPanel::startGameRequested);

    m_buttonGive = new QPushButton(tr("Give turn to Player 3"), this);
    m_buttonGive->setObjectName(QStringLiteral("button_give"));
    m_buttonGive->setGeometry(422, 146, 102, 24);
    QFont small = font();
    small.setPointSize(7);
    m_buttonGive->setFont(small);
    m_buttonGive->hide();
    connect(m_buttonGive, &QPushButton::clicked, this, &BoardPanel::giveRequested);
}

void BoardPanel::buildWordsList(QWidget* centralWidget) {
    QWidget* host = centralWidget ? centralWidget : this;
    m_labelMywords =
        makeLabel(host, "label_mywords", tr("Your Words"), QRect(601, 26, 117, 14), Qt::AlignCenter);
    m_listboxMywords = new QListWidget(host);
    m_listboxMywords->setObjectName(QStringLiteral("listbox_mywords"));
    m_listboxMywords->setGeometry(600, 40, 121, 238);
}

void BoardPanel::followOptionsWindow() {
    QLineEdit* score = m_gamestart->edit_playtoscore();
    const auto show = [this, score] {
        if (!m_model->options().fromGame) m_labelPlaytoscore->setText(tr("Play to Score: ") + score->text());
    };
    connect(score, &QLineEdit::textChanged, this, show);
    show();
}

void BoardPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBoardBackground(p, rect(), palette());
}

Tile* BoardPanel::myletter(int cell) const {
    return cell >= 1 && cell <= 10 ? m_myletters[size_t(cell - 1)] : nullptr;
}
Tile* BoardPanel::hisletter(int cell) const {
    return cell >= 1 && cell <= 10 ? m_hisletters[size_t(cell - 1)] : nullptr;
}
Tile* BoardPanel::extra(int slot) const {
    return slot >= 1 && slot <= 6 ? m_extras[size_t(slot - 1)] : nullptr;
}

QWidget* BoardPanel::seatWidget(const char* base, int seat) const {
    return findNamedWidget(this, QLatin1StringView(base) + QString::number(seat));
}

QLabel* BoardPanel::seatLabel(const char* base, int seat) const {
    return qobject_cast<QLabel*>(seatWidget(base, seat));
}

QString BoardPanel::seatName(int displaySeatNumber) const {
    return shownSeatName(m_model->seatName(displaySeatNumber), m_model->isOwnDisplaySeat(displaySeatNumber));
}

void BoardPanel::setSeatText(const char* base, int seat, const QString& text) {
    if (QLabel* label = seatLabel(base, seat)) label->setText(text);
}

void BoardPanel::showRow(Row row) {
    if (row == Row::Hand) {
        // A finished game leaves no hand to play from; the next game deals a new one.
        const bool over = m_model->phase() == GamePhase::Over;
        for (int slot = 1; slot <= handSlotCount; ++slot) {
            showLetter(extra(slot), m_model->code(Row::Hand, slot));
            extra(slot)->setVisible(!over);
        }
        return;
    }
    for (int cell = 1; cell <= boardCellCount; ++cell)
        showLetter(row == Row::OwnBoard ? myletter(cell) : hisletter(cell), m_model->code(row, cell));
}

void BoardPanel::showPick() {
    const Pick& pick = m_model->pick();
    for (int n = 1; n <= boardCellCount; ++n) {
        Tile* mine = myletter(n);
        mine->setRowTop(pick.lifts(Row::OwnBoard, n) ? BoardLayout::myletterPickedTop
                                                     : BoardLayout::myletterTop);
        Tile* his = hisletter(n);
        his->setRowTop(pick.lifts(Row::OpponentBoard, n) ? BoardLayout::hisletterPickedTop
                                                         : BoardLayout::hisletterTop);
    }
    for (int n = 1; n <= handSlotCount; ++n) {
        Tile* hand = extra(n);
        hand->setRowTop(pick.lifts(Row::Hand, n) ? BoardLayout::extraPickedTop : BoardLayout::extraTop);
    }
}

void BoardPanel::showSeats() {
    for (int d : {1, 2}) {
        const SeatState& seat = m_model->seat(d);
        setSeatText("label_playername", d, seatName(d));
        setSeatText("label_score", d, QString::number(seat.score));
        if (QWidget* eyes = seatWidget("image_eyes", d)) eyes->setVisible(seat.watching);
        if (seat.occupied) {
            if (QWidget* name = seatWidget("label_playername", d)) name->show();
            if (QWidget* score = seatWidget("label_score", d)) score->show();
        }
    }
}

void BoardPanel::placeSeatSets() {
    // The set of the seat shown at the bottom stands above the own row, the other above the
    // opponent's row; each set keeps its seat's names.
    const int tops[] = {86, 4};
    const int seats[] = {m_model->bottomSeat(), m_model->topSeat()};
    for (int i = 0; i < 2; ++i) {
        for (const char* base :
             {"image_Turn", "label_playername", "label_score", "image_eyes", "label_status"}) {
            QWidget* w = seatWidget(base, seats[i]);
            if (!w) continue;
            const int offset = qstrcmp(base, "image_Turn") == 0   ? 0
                               : qstrcmp(base, "image_eyes") == 0 ? 3
                                                                  : 4;
            ScalingLayout::moveInDesign(w, QPoint(ScalingLayout::designRect(w).left(), tops[i] + offset));
        }
    }
    for (Row row : {Row::OwnBoard, Row::OpponentBoard})
        showRow(row);
}

} // namespace quibo

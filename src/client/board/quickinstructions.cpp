// SPDX-License-Identifier: MIT
#include "quickinstructions.h"

#include "tiles.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace quibo {

namespace {

constexpr int pictureWidth = 270;
constexpr int pictureHeight = 86;
// Small enough that the strip of ten places fits the picture whole.
constexpr int smallTile = 23;
static_assert(6 + 10 * (smallTile + 2) + 8 <= pictureWidth);

int codeOf(QChar letter) {
    return letter == u' ' ? 0 : letter.toLower().unicode() - u'a' + 1;
}

// One example: a board strip with a word of small tiles. `raised` lifts a tile above the row, `marked`
// crosses one out; an arrow may run from one place to another (a move or a swap).
struct Example {
    QString hand;       // letters drawn above the board as a hand; empty for none
    int handPicked = 0; // hand tile lifted (1-based), 0 for none
    QString board;      // ten places at most; a blank is an empty place
    int lowered = 0;    // board tile lowered as picked (1-based)
    int crossed = 0;    // board tile crossed out (1-based)
    int arrowFrom = 0;  // arrow between board places (1-based), 0 for none
    int arrowTo = 0;
    bool arrowBack = false; // a second arrow back: a swap
};

QPoint boardPlace(int n, int top) {
    return {12 + (n - 1) * (smallTile + 2), top};
}

void drawArrow(QPainter& p, QPointF from, QPointF to, qreal bend) {
    QPainterPath path(from);
    const QPointF mid = (from + to) / 2 + QPointF(0, bend);
    path.quadTo(mid, to);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    const QPointF dir = to - mid;
    const qreal len = std::hypot(dir.x(), dir.y());
    if (len <= 0) return;
    const QPointF u = dir / len;
    const QPointF nrm(-u.y(), u.x());
    const QPointF head[] = {to, to - u * 7 + nrm * 4, to - u * 7 - nrm * 4};
    p.setBrush(p.pen().color());
    p.drawPolygon(head, 3);
}

QPixmap paintExample(const TileSet& tiles, const Example& ex, qreal dpr) {
    QPixmap pixmap(QSize(pictureWidth, pictureHeight) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int boardTop = 50;
    const QSize strip(10 * (smallTile + 2) + 8, smallTile + 8);
    p.drawPixmap(QRect(QPoint(6, boardTop - 3), strip), TileSet::boardStrip(strip, dpr));
    for (int i = 0; i < ex.hand.size(); ++i) {
        const int top = (i + 1 == ex.handPicked) ? 2 : 8;
        p.drawPixmap(QRect(QPoint(60 + i * (smallTile + 6), top), QSize(smallTile, smallTile)),
                     tiles.picture(codeOf(ex.hand[i])));
    }
    for (int i = 0; i < ex.board.size() && i < 10; ++i) {
        QPoint at = boardPlace(i + 1, boardTop);
        if (i + 1 == ex.lowered) at.ry() += 3;
        p.drawPixmap(QRect(at, QSize(smallTile, smallTile)), tiles.picture(codeOf(ex.board[i])));
    }
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap));
    if (ex.crossed) {
        const QRectF r(boardPlace(ex.crossed, boardTop), QSize(smallTile, smallTile));
        p.drawLine(r.topLeft() + QPointF(4, 4), r.bottomRight() - QPointF(4, 4));
        p.drawLine(r.topRight() + QPointF(-4, 4), r.bottomLeft() + QPointF(4, -4));
    }
    if (ex.arrowFrom && ex.arrowTo) {
        const QPointF from = QPointF(boardPlace(ex.arrowFrom, boardTop)) + QPointF(smallTile / 2.0, -2);
        const QPointF to = QPointF(boardPlace(ex.arrowTo, boardTop)) + QPointF(smallTile / 2.0, -2);
        drawArrow(p, from, to, -26);
        if (ex.arrowBack) drawArrow(p, to + QPointF(0, smallTile + 4), from + QPointF(0, smallTile + 4), 18);
    }
    if (ex.handPicked && ex.arrowFrom == 0) {
        const QPointF from(60 + (ex.handPicked - 1) * (smallTile + 6) + smallTile / 2.0, smallTile + 4);
        const QPointF to = QPointF(boardPlace(ex.board.indexOf(ex.hand[ex.handPicked - 1]) + 1, boardTop)) +
                           QPointF(smallTile / 2.0, -2);
        drawArrow(p, from, to, 0);
    }
    return pixmap;
}

} // namespace

QuickInstructions::QuickInstructions(const TileSet& tiles, QWidget* centralWidget)
    : QWidget(centralWidget)
    , m_tiles(tiles) {
    setObjectName(QStringLiteral("panel_help"));
    setGeometry(23, 18, 722, 475);

    auto* heading = new QLabel(
        tr("Try to \"MORPH\" your word into a new word by adding or deleting letters from your board."),
        this);
    heading->setObjectName(QStringLiteral("label_helpheading"));
    // Room for a second line above the pictures, for languages that run longer than one.
    heading->setGeometry(12, 3, 698, 36);
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = font();
    headingFont.setBold(true);
    headingFont.setPointSize(10);
    heading->setFont(headingFont);

    const qreal dpr = centralWidget ? centralWidget->devicePixelRatioF() : 1.0;
    Example examples[6];
    examples[0] = {QStringLiteral("SCATER"), 3, QStringLiteral("A"), 0, 0, 0, 0, false};
    examples[1] = {QString(), 0, QStringLiteral("CAT"), 0, 0, 0, 0, false};
    examples[2] = {QString(), 0, QStringLiteral("CAT S"), 4, 0, 5, 4, false};
    examples[3] = {QString(), 0, QStringLiteral("CAST"), 0, 0, 0, 0, false};
    examples[4] = {QString(), 0, QStringLiteral("CATS"), 1, 0, 1, 3, true};
    examples[5] = {QString(), 0, QStringLiteral("TACOS"), 0, 4, 0, 0, false};
    const QString texts[6] = {
        tr("1. Click one of your letters then click on your board to start your word. This will end your "
           "turn."),
        tr("2. Keep adding letters to form valid words. Your word is checked at the end of your turn."),
        tr("3. You can rearrange the letters on the board. Click on the letter and then click on the spot "
           "you "
           "want to move it to."),
        tr("4. Be sure to complete all your rearranging before adding another letter to your board."),
        tr("5. Swap two letters on your board by clicking one of them, then clicking the other."),
        tr("6. You can remove a letter on your board by right clicking on it. This will end your turn. "),
    };
    for (int i = 0; i < 6; ++i) {
        const int column = i / 3;
        const int row = i % 3;
        addExample(i + 1, paintExample(m_tiles, examples[i], dpr), texts[i],
                   QRect(12 + column * 290, 40 + row * 140, 280, 134));
    }

    auto* note =
        new QLabel(tr("To steal, click a letter on your opponent's board, then a spot on your board: the "
                      "steal stands only if the letter at once makes a new word. To throw away a letter of "
                      "your hand, right-click it. Both end your turn."),
                   this);
    note->setObjectName(QStringLiteral("label_helpnote"));
    note->setGeometry(596, 60, 116, 200);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* keys = new QLabel(tr("Keys: a letter or 1-6 picks it, arrows move, Enter places or swaps, "
                               "Delete throws away, Page Up steals, Esc cancels."),
                            this);
    keys->setObjectName(QStringLiteral("label_helpkeys"));
    keys->setGeometry(596, 270, 116, 150);
    keys->setWordWrap(true);
    keys->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setGeometry(626, 436, 84, 27);
    connect(m_done, &QPushButton::clicked, this, &QWidget::hide);
}

void QuickInstructions::addExample(int number, const QPixmap& picture, const QString& text,
                                   const QRect& place) {
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("image_help%1").arg(number));
    image->setGeometry(place.x(), place.y(), pictureWidth, pictureHeight);
    image->setPixmap(picture);
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("label_help%1").arg(number));
    label->setGeometry(place.x(), place.y() + pictureHeight + 2, place.width(),
                       place.height() - pictureHeight - 2);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
}

void QuickInstructions::showOnTop() {
    show();
    raise();
}

void QuickInstructions::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xFB, 0xFA, 0xF3));
    p.setPen(QColor(0x8A, 0x9A, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "chatpane.h"

#include "chatlinks.h"
#include "contrast.h"
#include "meaningtips.h"
#include "peertext.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTime>
#include <QToolTip>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

// The block property that holds the word a line is about.
constexpr int meaningWordProperty = QTextFormat::UserProperty + 1;

} // namespace

QColor toQColor(ColorValue value) {
    if (value > 0xFFFFFF) return QColor(Qt::black);
    return QColor(colorRedPart(value), colorGreenPart(value), colorBluePart(value));
}

ChatPane::ChatPane(QWidget* parent)
    : QTextEdit(parent) {
    setObjectName(QStringLiteral("mainchat"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    // Lines come from strangers at up to a thousand a second: the oldest go once the pane holds
    // maxLines, so a long evening or a chatty host never grows the window's memory without end.
    document()->setMaximumBlockCount(maxLines);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setTextSize(8);

    m_linkOpener = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    m_popup = new QMenu(this);
    m_copy1 = m_popup->addAction(tr("Copy"));
    m_copy1->setObjectName(QStringLiteral("Copy1"));
    m_clearMainChat1 = m_popup->addAction(tr("Clear Main Chat"));
    m_clearMainChat1->setObjectName(QStringLiteral("ClearMainChat1"));
    m_scrollChatOff1 = m_popup->addAction(tr("Scroll Chat Off"));
    m_scrollChatOff1->setObjectName(QStringLiteral("ScrollChatOff1"));
    m_scrollChatOff1->setCheckable(true);
    m_scrollChatOff1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_copy1, &QAction::triggered, this, &ChatPane::Copy1Click);
    connect(m_clearMainChat1, &QAction::triggered, this, &ChatPane::ClearMainChat1Click);
    connect(m_scrollChatOff1, &QAction::triggered, this, &ChatPane::scrollChatOffToggled);
}

bool ChatPane::scrollChatOff() const {
    return m_scrollChatOff1->isChecked();
}

void ChatPane::setTextSize(int points) {
    m_textSize = points > 0 ? points : 8;
    QFont f = font();
    f.setPointSize(m_textSize);
    setFont(f);
    document()->setDefaultFont(f);
}

void ChatPane::addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord) {
    setUpdatesEnabled(false);
    const bool keepPlace = scrollChatOff();
    const int firstVisible = verticalScrollBar()->value();
    const QTextCursor selection = textCursor();

    appendFormatted(cutToCharacters(text, maxLineCharacters), colour, meaningWord);

    if (keepPlace) {
        // The reader is looking further up: leave the view and the selection where they were.
        setTextCursor(selection);
        verticalScrollBar()->setValue(firstVisible);
    } else {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    setUpdatesEnabled(true);
    viewport()->update();
}

QColor ChatPane::shownColour(const QColor& colour) const {
    // The line colours are meant for a white pane. On a dark desktop's pane they are brought to a
    // readable contrast (black text turns light); on a light pane they are shown as sent.
    const QColor base = palette().color(QPalette::Base);
    return isDarkPalette(base, palette().color(QPalette::Text)) ? readableOn(colour, base) : colour;
}

void ChatPane::appendFormatted(const QString& text, ColorValue colour, const QString& meaningWord) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat plain;
    plain.setForeground(shownColour(toQColor(colour)));
    plain.setFontWeight(QFont::Normal);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);

    // The time goes before the line in regular weight, so the speaker up to the colon stays bold.
    if (m_showsTimes) cursor.insertText(QTime::currentTime().toString(QStringLiteral("HH:mm ")), plain);
    const qsizetype colon = text.indexOf(u':');
    const int lineStart = cursor.position();
    if (colon >= 0) {
        cursor.insertText(text.left(colon + 1), bold);
        cursor.insertText(text.mid(colon + 1), plain);
    } else {
        cursor.insertText(text, plain);
    }
    markLinks(lineStart, text);
    if (!meaningWord.isEmpty()) {
        QTextBlockFormat about;
        about.setProperty(meaningWordProperty, meaningWord);
        cursor.mergeBlockFormat(about);
    }
    cursor.insertBlock(QTextBlockFormat(), plain);
}

void ChatPane::markLinks(int lineStart, const QString& text) {
    // Underlined in the link colour, as the text it is: the line stays plain text, no markup.
    QTextCharFormat linkLook;
    linkLook.setFontUnderline(true);
    linkLook.setForeground(shownColour(QColor(0x00, 0x33, 0xCC)));
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype to = text.indexOf(u' ', from);
        if (to < 0) to = text.size();
        const QString word = text.mid(from, to - from);
        if (const auto link = findLinkInWord(word)) {
            const int start = lineStart + int(from + word.toLower().indexOf(link->toLower()));
            QTextCursor span(document());
            span.setPosition(start);
            span.setPosition(start + int(link->size()), QTextCursor::KeepAnchor);
            span.mergeCharFormat(linkLook);
        }
        from = to + 1;
    }
}

std::optional<ChatPane::LinkHit> ChatPane::linkAt(const QPoint& viewportPos) const {
    const QTextCursor at = cursorForPosition(viewportPos);
    const QTextBlock block = at.block();
    const QString line = block.text();
    const int inBlock = at.positionInBlock();
    if (line.isEmpty()) return std::nullopt;
    // The word under the pointer runs between blanks (a block is one line of the pane).
    int from = qMin(inBlock, int(line.size()));
    while (from > 0 && line.at(from - 1) != u' ')
        --from;
    int to = inBlock;
    while (to < line.size() && line.at(to) != u' ')
        ++to;
    const QString word = line.mid(from, to - from);
    const auto link = findLinkInWord(word);
    if (!link) return std::nullopt;
    const int start = block.position() + from + int(word.toLower().indexOf(link->toLower()));
    return LinkHit{*link, start, start + int(link->size())};
}

void ChatPane::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(linkAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::IBeamCursor);
    QTextEdit::mouseMoveEvent(event);
}

void ChatPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const auto hit = linkAt(event->position().toPoint())) {
            QTextCursor select(document());
            select.setPosition(hit->start);
            select.setPosition(hit->end, QTextCursor::KeepAnchor);
            setTextCursor(select);
            if (const auto url = openableLinkUrl(hit->link))
                m_linkOpener(*url);
            else
                qCInfo(lcClient) << "Not opening a link of this kind:" << hit->link;
            event->accept();
            return;
        }
    }
    QTextEdit::mousePressEvent(event);
}

QString ChatPane::meaningWordAt(const QPoint& viewportPos) const {
    const QTextBlock block = cursorForPosition(viewportPos).block();
    // cursorForPosition answers the nearest line even below the last one: only a point on the line counts.
    const QRectF onScreen = document()->documentLayout()->blockBoundingRect(block).translated(
        -horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (!onScreen.contains(viewportPos)) return {};
    return block.blockFormat().property(meaningWordProperty).toString();
}

bool ChatPane::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString word = meaningWordAt(help->pos());
        const QString tip = m_meaningTips && !word.isEmpty() ? m_meaningTips->toolTipFor(word) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QTextEdit::viewportEvent(event);
}

void ChatPane::contextMenuEvent(QContextMenuEvent* event) {
    m_popup->popup(event->globalPos());
}

void ChatPane::Copy1Click() {
    const QString selected = textCursor().selection().toPlainText();
    if (!selected.isEmpty()) QApplication::clipboard()->setText(selected);
}

void ChatPane::ClearMainChat1Click() {
    clear();
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// chat/: the chat of the player window: the pane, the entry, links and the phrase buttons with their editor.
//
// ChatPane: the player window's read-only chat display (`mainchat`).
//
// Owned by Tchat. It appends coloured lines with the speaker part in bold, keeps the reader's place
// while "Scroll Chat Off" is ticked, shows links under the pointer with a pointing hand and opens
// web and mail links on a left click. Its pop-up menu carries Copy, Clear Main Chat and Scroll Chat
// Off. Its lines come from strangers, who could send lines long enough to stall the window while
// they are laid out, and many of them: each line is cut to maxLineCharacters and the pane keeps
// maxLines.
#pragma once

#include "colortext.h"
#include "meaningtips.h"

#include <QColor>
#include <QPointer>
#include <QTextEdit>
#include <QUrl>
#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace quibo {

// The screen colour of a colour value; system colours and "clNone" show in the text colour.
QColor toQColor(ColorValue value);

class ChatPane : public QTextEdit {
    Q_OBJECT
public:
    using LinkOpener = std::function<void(const QUrl& url)>;

    // Lines kept; the oldest are dropped past it.
    static constexpr int maxLines = 5000;
    // Characters of one line that are shown; the rest is cut off. A line comes from a stranger and
    // is laid out as it arrives, so its length bounds the time each line costs the window.
    static constexpr qsizetype maxLineCharacters = 1000;

    explicit ChatPane(QWidget* parent = nullptr);

    // Appends one line, cut to maxLineCharacters: the text up to and including its first ":" in
    // bold, the rest regular. A line about a word (meaningWord) shows the word's meaning while the
    // pointer rests on it.
    void addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord = QString());
    // Where the meanings of words come from; none by default.
    void setMeaningTips(MeaningTips* tips) { m_meaningTips = tips; }
    // The word the line under a point of the viewport is about, if any.
    QString meaningWordAt(const QPoint& viewportPos) const;

    // The chosen size in points; the window may show it larger or smaller as it grows or shrinks.
    void setTextSize(int points);
    int textSize() const { return m_textSize; }

    // The link under a point of the viewport, with its position in the document.
    struct LinkHit {
        QString link;
        int start = 0;
        int end = 0;
    };
    std::optional<LinkHit> linkAt(const QPoint& viewportPos) const;

    // Replaces the desktop's handler for opening links (tests record instead).
    void setLinkOpener(LinkOpener opener) { m_linkOpener = std::move(opener); }

    QAction* scrollChatOffAction() const { return m_scrollChatOff1; }
    bool scrollChatOff() const;
    // Whether each new line begins with the time it came ("14:05 "); off unless the player asks.
    void setShowsTimes(bool on) { m_showsTimes = on; }
    bool showsTimes() const { return m_showsTimes; }

    void Copy1Click();
    void ClearMainChat1Click();

Q_SIGNALS:
    // "Scroll Chat Off" was chosen in the pop-up; the Options menu item follows its state.
    void scrollChatOffToggled(bool checked);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int m_textSize = 8;
    QColor shownColour(const QColor& colour) const;
    void appendFormatted(const QString& text, ColorValue colour, const QString& meaningWord);
    // Shows the links of the line starting at document position lineStart as links.
    void markLinks(int lineStart, const QString& text);

    QMenu* m_popup = nullptr;
    QAction* m_copy1 = nullptr;
    QAction* m_clearMainChat1 = nullptr;
    QAction* m_scrollChatOff1 = nullptr;
    bool m_showsTimes = false;
    LinkOpener m_linkOpener;
    QPointer<MeaningTips> m_meaningTips;
};

} // namespace quibo

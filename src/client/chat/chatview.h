// SPDX-License-Identifier: MIT
// ChatView: the chat of the player window: the pane (`mainchat`), the entry (`mychat`), the text and
// action colours, and the phrase flood guard.
//
// It turns what the player types (`sendit`) and the phrase buttons' choices into chat and action
// messages for the host (sendRequested), and shows the relayed lines (`chatrecieved`). The window
// tells it the own seat and whether the host has seated us; the flood guard counts the connection's
// queue timer ticks (chatTick) and asks for them while it runs (ticksWanted). Created and owned by
// the player window; the pane and the entry are children of the window's client area.
//
// The host relays every line with the sender's name in front and no seat, so the window tells its
// own lines by what it sent: a relayed line under the own name whose text is one of the last lines
// sent reads in the second person ("You chat: ..."). Another person who takes the same name cannot
// make a line read as ours unless it repeats one of ours word for word, and the lines waiting for
// their echo are bounded by maxAwaitedEchoes: the oldest is forgotten first.
#pragma once

#include "colortext.h"
#include "meaningtips.h"
#include "messages.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace quibo {

class ChatEntry;
class ChatPane;

class ChatView : public QObject {
    Q_OBJECT
public:
    // Places the pane and the entry in their places on area.
    ChatView(QWidget* area, QObject* parent);

    ChatPane* mainchat() const { return m_mainchat; }
    ChatEntry* mychat() const { return m_mychat; }

    // The most own lines that wait for the host's echo (see the class note).
    static constexpr qsizetype maxAwaitedEchoes = 16;

    void setSeat(int mynumber, bool connected);
    // The own name as the host announced it, which starts the host's echo of our lines.
    void setOwnName(const QString& name) { m_ownName = name.toUtf8(); }

    // The flood guard: a phrase may be sent only while canchat() holds. setCanchat(false) starts the
    // cooldown, which ends after 101 ticks of the queue timer.
    bool canchat() const { return m_canchat; }
    void setCanchat(bool on);
    ColorValue textcolor() const { return m_textcolor; }
    // Also colours the entry's text.
    void settextcolor(ColorValue colour);
    ColorValue actioncolor() const { return m_actioncolor; }
    void setactioncolor(ColorValue colour) { m_actioncolor = colour; }

    void addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord = QString());
    // Where the meanings of words come from, for "/define" and the pane's tooltips; none by default.
    void setMeaningTips(MeaningTips* tips);

    // Enter in the entry: a chat line, or "/me ..." as an action; "/define WORD" shows the word's
    // meanings here and sends nothing; other commands are dropped.
    void sendit();
    // A phrase button was pressed: sent as an action once seated and while the flood guard allows,
    // which then closes for a while.
    void sendPhrase(const QString& phrase);
    void chatrecieved(const msg::Chat& m);
    void chatrecieved(const msg::Action& m);
    // The host dropped some of our chat or action lines: we sent them faster than a person types.
    void chattoofast(const msg::ChatTooFast& m);
    void chatTick();
    // As built: no seat, the flood guard open, the default colours.
    void resetForNextTable();

Q_SIGNALS:
    // One whole message for the host, terminator included.
    void sendRequested(const QByteArray& wholeMessage);
    // The flood guard runs (true) or rests (false): the queue timer should keep ticking meanwhile.
    void ticksWanted(bool wanted);

private:
    // "/define WORD": the meanings as local lines. False for any other text.
    bool showMeanings(const QString& text);
    // Shows a relayed chat or action line, "text|colour"; without a colour the line is red.
    void showChatLine(const QByteArray& line);
    void awaitEcho(const QByteArray& sent);
    // Whether `relayed` (name and separator cut off) echoes a line we sent; forgets it and the
    // lines sent before it, which the host dropped.
    bool takeEcho(const QByteArray& relayed);
    // `prefix` and the rest, or an empty array when the line does not begin with it.
    QByteArray ownRest(const QByteArray& line, const QByteArray& separator) const;

    ChatPane* m_mainchat = nullptr;
    ChatEntry* m_mychat = nullptr;
    int m_mynumber = 0;
    bool m_connected = false;
    bool m_canchat = true;
    int m_chatticks = 0;
    ColorValue m_textcolor = colorBlack;
    ColorValue m_actioncolor = colorBlack;
    QPointer<MeaningTips> m_meaningTips;
    QByteArray m_ownName;
    QList<QByteArray> m_awaitedEchoes; // "text|colour" as sent, oldest first
};

} // namespace quibo

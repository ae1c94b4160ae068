// SPDX-License-Identifier: MIT
// ChatView: the chat of the player window: the pane (`mainchat`), the entry (`mychat`), the text and
// action colours, and the phrase flood guard.
//
// It turns what the player types (`sendit`) and the phrase buttons' choices into chat and action
// messages for the host (sendRequested), and shows the relayed lines (`chatrecieved`). The window
// tells it the own seat and whether the host has seated us; the flood guard counts the connection's
// queue timer ticks (chatTick) and asks for them while it runs (ticksWanted). Created and owned by
// the player window; the pane and the entry are children of the window's client area.
#pragma once

#include "colortext.h"
#include "meaningtips.h"
#include "messages.h"

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

    void setSeat(int mynumber, bool connected);

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

    ChatPane* m_mainchat = nullptr;
    ChatEntry* m_mychat = nullptr;
    int m_mynumber = 0;
    bool m_connected = false;
    bool m_canchat = true;
    int m_chatticks = 0;
    ColorValue m_textcolor = colorBlack;
    ColorValue m_actioncolor = colorBlack;
    QPointer<MeaningTips> m_meaningTips;
};

} // namespace quibo

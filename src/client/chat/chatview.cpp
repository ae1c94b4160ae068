// SPDX-License-Identifier: MIT
#include "chatview.h"

#include "chatentry.h"
#include "chatpane.h"
#include "contrast.h"
#include "meaningtips.h"
#include "phrasebuttons.h"

#include <QWidget>

namespace quibo {

namespace {

// Ticks of the queue timer after which a phrase button may send again.
constexpr int phraseCooldownTicks = 100;
// A host cuts only long lines short; a shorter echo must match what was sent exactly, so a short
// line of somebody with the same name is not taken for the start of ours.
constexpr qsizetype shortestCutText = 100;

} // namespace

ChatView::ChatView(QWidget* area, QObject* parent)
    : QObject(parent) {
    m_mainchat = new ChatPane(area);
    m_mainchat->setGeometry(25, 282, 715, 188);
    m_mychat = new ChatEntry(area);
    m_mychat->setGeometry(25, 469, 715, 22);
    connect(m_mychat, &ChatEntry::enterPressed, this, &ChatView::sendit);
}

void ChatView::setSeat(int mynumber, bool connected) {
    m_mynumber = mynumber;
    m_connected = connected;
}

void ChatView::setCanchat(bool on) {
    m_canchat = on;
    if (on) m_chatticks = 0;
    Q_EMIT ticksWanted(!on);
}

void ChatView::settextcolor(ColorValue colour) {
    m_textcolor = colour;
    QPalette p = m_mychat->palette();
    // The chosen colour as typed, unless a dark desktop would hide it (as in the chat pane).
    const QColor base = p.color(QPalette::Base);
    const QColor chosen = toQColor(colour);
    p.setColor(QPalette::Text,
               isDarkPalette(base, p.color(QPalette::Text)) ? readableOn(chosen, base) : chosen);
    m_mychat->setPalette(p);
}

void ChatView::addlinetochat(const QString& text, ColorValue colour, const QString& meaningWord) {
    m_mainchat->addlinetochat(text, colour, meaningWord);
}

void ChatView::setMeaningTips(MeaningTips* tips) {
    m_meaningTips = tips;
    m_mainchat->setMeaningTips(tips);
}

bool ChatView::showMeanings(const QString& text) {
    // "/define" alone or followed by a blank and a word; "/defined" is another command.
    const QLatin1StringView command("/define");
    if (!text.startsWith(command) || (text.size() > command.size() && !text.at(command.size()).isSpace()))
        return false;
    const QString word = text.mid(command.size());
    const QStringList lines =
        m_meaningTips ? m_meaningTips->defineLines(word) : MeaningTips(nullptr).defineLines(word);
    for (const QString& line : lines)
        addlinetochat(line, colorStatus);
    return true;
}

void ChatView::chatTick() {
    if (!m_canchat && ++m_chatticks > phraseCooldownTicks) setCanchat(true);
}

void ChatView::sendit() {
    const QString text = m_mychat->text();
    if (showMeanings(text)) {
        m_mychat->clear();
        return;
    }
    if (!m_connected) return; // typed before the seat arrived: the text stays in the entry
    if (text.isEmpty()) return;
    if (!text.startsWith(u'/')) {
        const QByteArray line = text.toUtf8() + '|' + colorToText(m_textcolor);
        awaitEcho(line);
        Q_EMIT sendRequested(msg::ChatRequest{m_mynumber, line}.encode());
    } else if (text.startsWith(QLatin1String("/me"))) {
        // "/me waves" sends "waves"; the character after "/me" is dropped whatever it is.
        const QByteArray line = text.mid(4).toUtf8() + '|' + colorToText(m_actioncolor);
        awaitEcho(line);
        Q_EMIT sendRequested(msg::ActionRequest{m_mynumber, line}.encode());
    }
    m_mychat->clear();
}

void ChatView::sendPhrase(const QString& phrase) {
    if (!m_connected || !m_canchat) return;
    awaitEcho(PhraseButtons::actionText(phrase, m_actioncolor));
    Q_EMIT sendRequested(PhraseButtons::actionMessage(m_mynumber, phrase, m_actioncolor));
    setCanchat(false);
}

void ChatView::awaitEcho(const QByteArray& sent) {
    if (m_awaitedEchoes.size() >= maxAwaitedEchoes) m_awaitedEchoes.removeFirst();
    m_awaitedEchoes.append(sent);
}

bool ChatView::takeEcho(const QByteArray& relayed) {
    // The host cuts a long text short and keeps its colour; the text alone is compared then.
    const QByteArray text = relayed.left(relayed.indexOf('|'));
    for (qsizetype i = 0; i < m_awaitedEchoes.size(); ++i) {
        const QByteArray& sent = m_awaitedEchoes.at(i);
        if (sent == relayed || (text.size() >= shortestCutText && sent.startsWith(text))) {
            m_awaitedEchoes.remove(0, i + 1);
            return true;
        }
    }
    return false;
}

QByteArray ChatView::ownRest(const QByteArray& line, const QByteArray& separator) const {
    const QByteArray prefix = m_ownName + separator;
    if (m_ownName.isEmpty() || !line.startsWith(prefix)) return {};
    return line.mid(prefix.size());
}

void ChatView::chatrecieved(const msg::Chat& m) {
    const QByteArray rest = ownRest(m.line, " chats: ");
    if (!rest.isEmpty() && takeEcho(rest)) {
        showChatLine(tr("You chat: %1").arg(QString::fromUtf8(rest)).toUtf8());
        return;
    }
    showChatLine(m.line);
}

void ChatView::chatrecieved(const msg::Action& m) {
    const QByteArray rest = ownRest(m.line, " ");
    if (!rest.isEmpty() && takeEcho(rest)) {
        // A phrase button's line reads "says: ..."; any other action has a verb of the player's own
        // choosing, which stays as it was written, under the own name.
        const QByteArray says = PhraseButtons::saysPrefix;
        if (rest.startsWith(says)) {
            showChatLine(tr("You say: %1").arg(QString::fromUtf8(rest.mid(says.size()))).toUtf8());
            return;
        }
    }
    showChatLine(m.line);
}

void ChatView::chattoofast(const msg::ChatTooFast&) {
    addlinetochat(tr("You are chatting faster than the others can read: some of your lines were not sent."),
                  colorStatus);
}

void ChatView::showChatLine(const QByteArray& line) {
    const QString text = QString::fromUtf8(line);
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        addlinetochat(text, colorRed);
        return;
    }
    const auto colour = colorFromText(text.mid(bar + 1).toUtf8());
    addlinetochat(text.left(bar), colour.value_or(colorRed));
}

} // namespace quibo

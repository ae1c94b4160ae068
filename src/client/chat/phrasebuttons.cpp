// SPDX-License-Identifier: MIT
#include "phrasebuttons.h"

#include "messages.h"
#include "plaintext.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace quibo {
namespace {

const std::array<const char*, PhraseButtons::count> builtInPhrases{
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
};

// A small speech bubble with the button's number, drawn at twice the size for crisp scaling.
QIcon bubbleIcon(int number) {
    const qreal scale = 2;
    QPixmap picture(QSize(21, 15) * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1, 19, 10.5), 4, 4);
    QPainterPath tail;
    tail.moveTo(5, 10);
    tail.lineTo(4, 14);
    tail.lineTo(9.5, 10);
    tail.closeSubpath();
    painter.setPen(QPen(QColor(0x2B, 0x4C, 0x7E), 1));
    painter.setBrush(QColor(0xFF, 0xF6, 0xD5));
    painter.drawPath(bubble.united(tail));
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(1, 1, 19, 10.5), Qt::AlignCenter, QString::number(number));
    return QIcon(picture);
}

} // namespace

PhraseButtons::PhraseButtons(QWidget* parent, QPoint topLeft) {
    for (int number = 1; number <= count; ++number) {
        auto* button = new QToolButton(parent);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(number));
        button->setProperty("tag", number);
        button->setFixedSize(buttonWidth, buttonHeight);
        button->setIcon(bubbleIcon(number));
        button->setIconSize(QSize(21, 15));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(builtInPhrase(number));
        m_phrases[size_t(number - 1)] = builtInPhrase(number);
        // Phrases come from the settings file.
        showToolTipAsPlainText(button);
        connect(button, &QToolButton::clicked, this, [this, number] { b_phrase1Click(number); });
        m_buttons[size_t(number - 1)] = button;
    }
    placeOn(parent, topLeft);
}

QString PhraseButtons::builtInPhrase(int number) {
    return QString::fromLatin1(builtInPhrases.at(size_t(number - 1)));
}

QByteArray PhraseButtons::actionText(const QString& phrase, ColorValue actionColor) {
    // Only the exact lower-case prefix with its blank makes the phrase an action of its own.
    const QString text =
        phrase.startsWith(QLatin1String("/me ")) ? phrase.mid(4) : QLatin1String(saysPrefix) + phrase;
    return text.toUtf8() + '|' + colorToText(actionColor);
}

QByteArray PhraseButtons::actionMessage(int seat, const QString& phrase, ColorValue actionColor) {
    return msg::ActionRequest{seat, actionText(phrase, actionColor)}.encode();
}

QString PhraseButtons::phrase(int number) const {
    return m_phrases.at(size_t(number - 1));
}

void PhraseButtons::setPhrase(int number, const QString& phrase) {
    // The button's tooltip shows the phrase; the phrase itself is kept here.
    m_phrases.at(size_t(number - 1)) = phrase;
    button(number)->setToolTip(phrase);
}

QAbstractButton* PhraseButtons::button(int number) const {
    return m_buttons.at(size_t(number - 1));
}

void PhraseButtons::placeOn(QWidget* parent, QPoint topLeft) {
    for (int i = 0; i < count; ++i) {
        QAbstractButton* button = m_buttons[size_t(i)];
        if (button->parentWidget() != parent) {
            button->setParent(parent);
            button->show();
        }
        button->move(topLeft + QPoint(i * buttonStep, 0));
        button->raise();
    }
}

void PhraseButtons::b_phrase1Click(int number) {
    Q_EMIT phraseChosen(phrase(number));
}

} // namespace quibo

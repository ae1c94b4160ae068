// SPDX-License-Identifier: MIT
// PhraseButtons: the nine small picture buttons `b_phrase1` .. `b_phrase9` that send a canned chat
// action with one click.
//
// A button's phrase is its hover hint. A press reports the phrase (phraseChosen); the player window
// sends it as an action in the action colour, only once the host has seated us and only while its
// flood guard allows. The buttons are children of the widget they are placed on; this object is
// owned by the player window's preferences.
#pragma once

#include "colortext.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>

class QAbstractButton;
class QWidget;

namespace quibo {

class PhraseButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int count = 9;
    static constexpr int buttonWidth = 25;
    static constexpr int buttonHeight = 19;
    static constexpr int buttonStep = 26; // left edge to left edge

    // Places the row with b_phrase1 at topLeft of parent, which owns the buttons and must outlive
    // this object.
    PhraseButtons(QWidget* parent, QPoint topLeft);

    static QString builtInPhrase(int number);
    // "CMD_action+<seat>+<text>|<colour>" and the terminator, for one phrase: a phrase that starts
    // with "/me " is sent without that prefix, any other as "says: " and the phrase.
    static QByteArray actionMessage(int seat, const QString& phrase, ColorValue actionColor);
    // The action's "<text>|<colour>" alone, as the host relays it after the name.
    static QByteArray actionText(const QString& phrase, ColorValue actionColor);
    // What a phrase that is not an action of its own is sent after.
    static constexpr char saysPrefix[] = "says: ";

    QString phrase(int number) const;
    void setPhrase(int number, const QString& phrase);
    QAbstractButton* button(int number) const;
    // Puts the row on parent (which then owns the buttons), b_phrase1 at topLeft.
    void placeOn(QWidget* parent, QPoint topLeft);

    // The buttons' shared click handler; number is the pressed button's tag.
    void b_phrase1Click(int number);

Q_SIGNALS:
    void phraseChosen(const QString& phrase);

private:
    std::array<QAbstractButton*, count> m_buttons{};
    std::array<QString, count> m_phrases{};
};

} // namespace quibo

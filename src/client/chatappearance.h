// SPDX-License-Identifier: MIT
// ChatAppearance: the chat's text colour, action colour and text size, and the "Options" menu items
// that change them or the sound switch ("Play Sounds", "Text Color", "Action Color", "Text Size").
//
// The text colour is the font colour of the chat entry `mychat` and goes with every typed line; the
// action colour goes with every action. The text size is the point size of the chat pane
// `mainchat`. The menu items and widgets are found in the player window by object name. Every change
// is saved at once through the save function it is given. Owned by the player window's preferences.
#pragma once

#include "colortext.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace quibo {

class ChatAppearance : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultTextSize = 8;

    // Asks the player for a colour; nullopt when the dialog is cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    ChatAppearance(QWidget* window, std::function<void()> save, QObject* parent = nullptr);

    // Connects the menu items of the window, found by name; items not (yet) present are skipped.
    void attachMenus();
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

    ColorValue textColor() const { return m_textColor; }
    ColorValue actionColor() const { return m_actionColor; }
    int textSize() const { return m_textSize; }
    void setTextColor(ColorValue value);
    void setActionColor(ColorValue value) { m_actionColor = value; }
    void setTextSize(int points);

    // How a stored colour is shown; system colours and "no colour" show as the palette's text colour.
    static QColor toQColor(ColorValue value);
    static ColorValue fromQColor(const QColor& color);

    // Menu handlers.
    void PlaySounds1Click();
    void TextColor1Click();
    void ActionColor1Click();
    void N14Click(QAction* item);

private:
    void sizeItemTriggered(QAction* item, bool checked);

    QPointer<QWidget> m_window;
    std::function<void()> m_save;
    ColorChooser m_chooseColor;
    ColorValue m_textColor = colorBlack;
    ColorValue m_actionColor = colorBlack;
    int m_textSize = defaultTextSize;
};

} // namespace quibo

// SPDX-License-Identifier: MIT
// ColorMenus: the "Text Color" and "Action Color" items of the player window's Options menu.
//
// Each opens a colour dialog on the current colour. A confirmed text colour becomes the colour of
// the chat entry (and of every typed line) and is saved; a cancelled one changes and saves nothing.
// The action colour is saved whenever its dialog closes, confirmed or not. The dialog can be
// replaced (tests answer it without a modal window). Owned by the player window's preferences.
#pragma once

#include "colortext.h"

#include <QColor>
#include <functional>
#include <optional>

class QWidget;

namespace quibo {

class Tchat;

class ColorMenus {
public:
    // Asks the player for a colour; nullopt when the dialog is cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit ColorMenus(Tchat& window);

    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

    // Each answers whether the settings are to be written: the text colour after a colour was
    // chosen, the action colour after the dialog closed either way.
    bool TextColor1Click();
    bool ActionColor1Click();

    static ColorValue fromQColor(const QColor& color);

private:
    Tchat& m_window;
    ColorChooser m_chooseColor;
};

} // namespace quibo

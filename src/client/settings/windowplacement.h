// SPDX-License-Identifier: MIT
// WindowPlacement: the player window's size and place, kept in the settings file from one run to
// the next ("WindowLeft", "WindowTop", "WindowWidth", "WindowHeight" and "WindowMaximized" in the
// section "Quibo").
//
// restore() runs before the window is first shown and save() when it closes. The file is the
// player's, but anybody may have edited it: a number that does not read, a size below the window's
// smallest or beyond any screen, or a place off every screen is brought back onto the screen the
// window would open on (or ignored), so a lying file can neither lose the window nor make it huge.
// A failed write passes silently, as for the colours. Owned by whoever shows the window.
#pragma once

#include "settingsfile.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <optional>

class QWidget;

namespace quibo {

class WindowPlacement : public QObject {
    Q_OBJECT
public:
    // Watches window, saving its placement when it closes.
    WindowPlacement(QWidget& window, SettingsFile file);

    // What the file says, checked: the normal geometry, brought onto `screen`, and the maximised
    // flag. Nothing when the file holds no usable size.
    struct Placement {
        QRect geometry;
        bool maximized = false;
    };
    static std::optional<Placement> read(const SettingsFile& file, QSize minimum, const QRect& screen);

    void restore();
    void save() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    SettingsFile m_file;
};

} // namespace quibo

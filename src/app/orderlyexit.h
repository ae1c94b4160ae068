// SPDX-License-Identifier: MIT
// OrderlyExit: ends the desktop program the way File > Exit does when a termination is requested,
// at any moment: before the event loop runs, while a modal box or a pop-up menu runs its own loop,
// or later. Boxes and menus open at that moment are dismissed, and any that opens afterwards is
// dismissed as soon as it shows, so nothing waits for an answer nobody will give; the main window
// closes and every running event loop ends. main() owns one instance for the life of the program and
// asks requested() before it starts the event loop.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quibo {

class OrderlyExit : public QObject {
    Q_OBJECT
public:
    explicit OrderlyExit(QObject* parent = nullptr);

    // The window whose closing ends the program.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    bool requested() const { return m_requested; }

    // Dismisses open boxes, closes the main window and leaves the event loops.
    void request();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool holdsItsOwnLoop(const QWidget* widget);
    static void dismiss(QWidget* widget);

    QPointer<QWidget> m_mainWindow;
    bool m_requested = false;
};

} // namespace quibo

// SPDX-License-Identifier: MIT
// WindowView: what makes the player window usable at any size, from the keyboard and with a screen
// reader.
//
// It lays the client area out by its design (ScalingLayout: the board, its tiles and texts grow and
// shrink with the window, the chat pane takes extra height), puts the board's keys (BoardKeys) and
// its accessible rows (BoardAccessibility) on the board, orders Tab through the board, the chat
// entry, the chat and the words list, gives the window's menu items their keys (Ctrl+G the game
// options, Ctrl+J the start window, Ctrl+T the chat entry, Ctrl+B the board, F10 or Alt the menu
// bar), names the seats' labels for screen readers and announces the game's events (Announcer).
// Created by the player window at the end of its construction and owned by it.
#pragma once

#include <QObject>
#include <QSize>

class QMenuBar;

namespace quibo {

class Announcer;
class BoardAccessibility;
class BoardKeys;
class ScalingLayout;
class Tchat;

class WindowView : public QObject {
    Q_OBJECT
public:
    WindowView(Tchat& window, QSize designSize, int stretchLine);

    ScalingLayout* layout() const { return m_layout; }
    BoardKeys* keys() const { return m_keys; }
    Announcer* announcer() const { return m_announcer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeByDesign(QSize designSize, int stretchLine);
    void setUpKeys();
    void labelSeats();
    void announceGameEvents();

    Tchat& m_window;
    ScalingLayout* m_layout = nullptr;
    BoardKeys* m_keys = nullptr;
    BoardAccessibility* m_accessibility = nullptr;
    Announcer* m_announcer = nullptr;
    bool m_altAlone = false; // Alt went down with no other key yet
};

} // namespace quibo

// SPDX-License-Identifier: MIT
// WindowReset: a player window brought back to the state it was built in, between the sessions of a
// program that plays many short sessions on one window (the fuzzer).
//
// Made right after the window is built, it writes down what every widget of the window and of the
// windows it owns (options, summary, quick instructions) shows: name, seat tag, visibility,
// enabled state, place, colours, fonts, texts, pictures, ticks, list entries, the chat's text, and
// the menu items' ticks. reset() has the window, its spectator list and tally forget their table
// (resetForNextTable: the tally is read again), puts
// every widget back as written down and closes the dialogs a session left open. Building a window
// costs far more than this. Only a local program uses it; no peer reaches it.
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

class QAction;
class QWidget;

namespace quibo {

class Tchat;
class Tspylist;
class Ttallylist;

class WindowReset {
public:
    // The spectator list and the tally, when given, are children of the window and reset with it.
    explicit WindowReset(Tchat& window, Tspylist* spylist = nullptr, Ttallylist* tally = nullptr);
    ~WindowReset();
    WindowReset(const WindowReset&) = delete;
    WindowReset& operator=(const WindowReset&) = delete;

    void reset();

private:
    struct ListEntry;
    struct WidgetState;
    struct ActionState;
    Tchat& m_window;
    QPointer<Tspylist> m_spylist;
    QPointer<Ttallylist> m_tally;
    std::vector<WidgetState> m_widgets;
    std::vector<ActionState> m_actions;
};

} // namespace quibo

// SPDX-License-Identifier: MIT
// StartupMarks: tells the start-up benchmark (bench/startup.cpp) when the program reached the two
// moments a player waits for: a line "shown" on standard output once the main window is on screen
// with its first frame painted, and "connected" once the window holds its seat at the table. Made by
// main() only when the environment variable QUIBO_STARTUP_MARKS is set; it only watches.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quibo {

class Tchat;

class StartupMarks : public QObject {
    Q_OBJECT
public:
    explicit StartupMarks(Tchat& chat);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void mark(const char* line);
    QPointer<QWidget> m_window;
    bool m_shown = false;
};

} // namespace quibo

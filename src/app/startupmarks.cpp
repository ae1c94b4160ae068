// SPDX-License-Identifier: MIT
#include "startupmarks.h"

#include "tchat.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace quibo {

StartupMarks::StartupMarks(Tchat& chat)
    : QObject(&chat)
    , m_window(&chat) {
    // The native window does not exist before the first show, so the whole program is watched for
    // its first exposure.
    QCoreApplication::instance()->installEventFilter(this);
    // The window reads its settings when its own seat is announced, right after "You are Connected.".
    connect(
        &chat, &Tchat::settingsLoadRequested, this, [] { mark("connected"); }, Qt::SingleShotConnection);
}

bool StartupMarks::eventFilter(QObject* watched, QEvent* event) {
    if (!m_shown && event->type() == QEvent::Expose && m_window && watched == m_window->windowHandle() &&
        m_window->windowHandle()->isExposed()) {
        m_shown = true;
        QCoreApplication::instance()->removeEventFilter(this);
        // The exposure paints the window; the mark follows once that frame is out.
        QTimer::singleShot(0, this, [] { mark("shown"); });
    }
    return false;
}

void StartupMarks::mark(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace quibo

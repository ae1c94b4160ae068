// SPDX-License-Identifier: MIT
// Time to show one long chat line in the chat pane, as a relayed line arrives from a stranger:
// 65,000 bytes without a blank (plain letters, two-byte letters, one long link), each appended with
// addlinetochat and painted at once, 50 times into a pane of the window's size. Prints the first
// line's time (which loads the font) and median and maximum of the others, in wall time and in the
// thread's own CPU time (goal: under 5 ms each). For
// comparison it also times the same lines uncut in a plain text edit laid out like the pane, which is what
// such a line cost before lines were cut. Run with QT_QPA_PLATFORM=offscreen where no display is at hand.
#include "chatpane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace quibo;

namespace {

constexpr int rounds = 50;
constexpr qsizetype lineBytes = 65000;

struct Figures {
    double firstMs = 0; // includes loading the font
    double medianMs = 0;
    double maxMs = 0;
    double maxCpuMs = 0; // the thread's own time, without the waits of a busy machine
};

double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

Figures timeLines(QWidget& shown, const std::function<void()>& addLine) {
    std::vector<double> ms;
    double maxCpu = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = threadCpuMs();
        addLine();
        shown.repaint();
        QCoreApplication::processEvents();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (i > 0) maxCpu = std::max(maxCpu, threadCpuMs() - cpuBefore);
    }
    const double first = ms.front();
    ms.erase(ms.begin());
    std::sort(ms.begin(), ms.end());
    return {first, ms[ms.size() / 2], ms.back(), maxCpu};
}

// The line as the host relays it: name, " chats: ", the text.
QString relayedLine(const QString& text) {
    return QStringLiteral("Eve chats: ") + text;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const struct {
        const char* name;
        QString text;
    } lines[] = {
        {"plain letters", QString(lineBytes, u'x')},
        {"two-byte letters", QString(lineBytes / 2, QChar(0x00E9))},
        {"one long link", QStringLiteral("www.") + QString(lineBytes - 4, u'x')},
    };
    std::printf("%-18s %12s %12s %12s %12s %14s %14s\n", "65,000-byte line", "pane first", "pane median",
                "pane max", "max CPU", "uncut median", "uncut max");
    for (const auto& line : lines) {
        ChatPane pane;
        pane.resize(715, 188);
        pane.show();
        const QString text = relayedLine(line.text);
        const Figures cut = timeLines(*pane.viewport(), [&] { pane.addlinetochat(text, colorBlack); });

        QTextEdit plain;
        plain.setReadOnly(true);
        plain.setUndoRedoEnabled(false);
        plain.document()->setMaximumBlockCount(ChatPane::maxLines);
        plain.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        plain.resize(715, 188);
        plain.show();
        const Figures uncut = timeLines(*plain.viewport(), [&] {
            QTextCursor end(plain.document());
            end.movePosition(QTextCursor::End);
            end.insertText(text);
            end.insertBlock();
            plain.verticalScrollBar()->setValue(plain.verticalScrollBar()->maximum());
        });
        std::printf("%-18s %9.2f ms %9.2f ms %9.2f ms %9.2f ms %11.2f ms %11.2f ms\n", line.name, cut.firstMs,
                    cut.medianMs, cut.maxMs, cut.maxCpuMs, uncut.medianMs, uncut.maxMs);
    }
    return 0;
}

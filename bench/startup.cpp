// SPDX-License-Identifier: MIT
// How long the desktop program takes to start a solo game, measured on the real program under a
// virtual X display (Xvfb), from starting the process to
//   shown:     the main window's first frame painted
//   connected: the window seated at its own host ("You are Connected.")
// with the process's CPU time (user + system) at that moment, which a loaded machine inflates less
// than the wall-clock figures. `quibo --version` is timed the same way for comparison, with its CPU
// time: the cost of loading the program's libraries, which every start pays before main(). The program
// reports both moments as lines on standard output when QUIBO_STARTUP_MARKS is set. Each start runs
// a fresh copy of the program in a temporary folder with its own home, so settings, tally and word
// file are those of a first start.
// Usage: bench_startup [--runs N] [--program PATH]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

QString program = QStringLiteral(QUIBO_EXECUTABLE);

struct Start {
    double shownMs = 0;
    double connectedMs = 0;
    double cpuMs = 0;      // user + system of the whole process when connected
    double uiThreadMs = 0; // of the user-interface thread alone, whose work the player waits for
};

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// CPU time of a process, or of one of its threads given as "PID/task/TID".
double cpuMsOf(const QString& proc) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(proc));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    // utime and stime are fields 14 and 15, after the command name in parentheses.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = double(fields.value(11).toLongLong() + fields.value(12).toLongLong());
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// An X server of its own on a display it picks; answers the display name, or "" on failure.
QString startXvfb(QProcess& xvfb) {
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    QByteArray number;
    while (!number.contains('\n') && xvfb.waitForReadyRead(20000))
        number += xvfb.readAllStandardOutput();
    return number.trimmed().isEmpty() ? QString()
                                      : QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QProcessEnvironment environmentIn(const QDir& root, const QString& display) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QUIBO_STARTUP_MARKS"), QStringLiteral("1"));
    env.insert(QStringLiteral("QUIBO_GAME_PORT"), QString::number(freePort()));
    env.insert(QStringLiteral("QUIBO_INSTANCE_NAME"), root.filePath(QStringLiteral("instance")));
    for (const auto& [variable, sub] :
         {std::pair{"HOME", "home"}, std::pair{"XDG_CONFIG_HOME", "config"},
          std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_CACHE_HOME", "cache"},
          std::pair{"XDG_RUNTIME_DIR", "runtime"}}) {
        root.mkpath(QLatin1String(sub));
        env.insert(QLatin1String(variable), root.filePath(QLatin1String(sub)));
    }
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return env;
}

std::optional<Start> startOnce(const QString& display) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("work"));
    const QString copy = root.filePath(QStringLiteral("quibo"));
    if (!QFile::copy(program, copy)) return std::nullopt;
    // The sound module the program loads at its first sound, when the program has one.
    const QString module = QFileInfo(program).dir().filePath(QStringLiteral("quibo-sound.so"));
    if (QFile::exists(module)) QFile::copy(module, root.filePath(QStringLiteral("quibo-sound.so")));
    QProcess quibo;
    quibo.setProcessEnvironment(environmentIn(root, display));
    quibo.setWorkingDirectory(root.filePath(QStringLiteral("work")));
    quibo.setStandardErrorFile(QProcess::nullDevice());
    Start start;
    QElapsedTimer clock;
    clock.start();
    quibo.start(copy, {});
    QByteArray printed;
    while (start.connectedMs == 0 && quibo.waitForReadyRead(30000)) {
        printed += quibo.readAllStandardOutput();
        const double now = double(clock.nsecsElapsed()) / 1e6;
        if (start.shownMs == 0 && printed.contains("shown\n")) start.shownMs = now;
        if (printed.contains("connected\n")) {
            start.connectedMs = now;
            const QString pid = QString::number(quibo.processId());
            start.cpuMs = cpuMsOf(pid);
            start.uiThreadMs = cpuMsOf(pid + QStringLiteral("/task/") + pid);
        }
    }
    quibo.terminate();
    if (!quibo.waitForFinished(30000)) quibo.kill();
    quibo.waitForFinished(5000);
    if (start.shownMs == 0 || start.connectedMs == 0) return std::nullopt;
    return start;
}

// CPU time (user + system) of the children this program has waited for so far.
double childrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// `quibo --version` loads the same libraries and answers before any window exists: its figures are
// the part of a start that only fewer or lighter libraries would shorten.
struct Version {
    double wallMs = 0;
    double cpuMs = 0;
};

Version versionRun() {
    QProcess quibo;
    QElapsedTimer clock;
    const double cpuBefore = childrenCpuMs();
    clock.start();
    quibo.start(program, {QStringLiteral("--version")});
    quibo.waitForFinished(30000);
    return {double(clock.nsecsElapsed()) / 1e6, childrenCpuMs() - cpuBefore};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int runs = 10;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QStringLiteral("--runs")) runs = std::max(1, arguments[i + 1].toInt());
        if (arguments[i] == QStringLiteral("--program")) program = arguments[i + 1];
    }
    QProcess xvfb;
    const QString display = startXvfb(xvfb);
    if (display.isEmpty()) {
        std::fputs("Xvfb did not start (Debian package xvfb)\n", stderr);
        return 1;
    }
    std::vector<double> shown, connected, cpu, uiThread, version, versionCpu;
    for (int run = 0; run < runs; ++run) {
        const Version answer = versionRun();
        version.push_back(answer.wallMs);
        versionCpu.push_back(answer.cpuMs);
        const std::optional<Start> start = startOnce(display);
        if (!start) {
            std::fprintf(stderr, "start %d: no window or no connection within 30 s\n", run + 1);
            continue;
        }
        std::printf("start %2d: shown %6.1f ms, connected %6.1f ms, CPU %6.1f ms (UI thread %6.1f ms)\n",
                    run + 1, start->shownMs, start->connectedMs, start->cpuMs, start->uiThreadMs);
        shown.push_back(start->shownMs);
        connected.push_back(start->connectedMs);
        cpu.push_back(start->cpuMs);
        uiThread.push_back(start->uiThreadMs);
    }
    xvfb.terminate();
    xvfb.waitForFinished(10000);
    std::printf("median of %zu starts: shown %.1f ms (goal 250), connected %.1f ms (goal 350), CPU %.1f ms "
                "(UI thread %.1f ms); --version %.1f ms, CPU %.1f ms\n",
                shown.size(), median(shown), median(connected), median(cpu), median(uiThread),
                median(version), median(versionCpu));
    return shown.size() == std::size_t(runs) ? 0 : 1;
}

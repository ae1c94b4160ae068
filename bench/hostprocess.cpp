// SPDX-License-Identifier: MIT
// What quibo-host costs as a process, measured on real processes over loopback TCP:
//   idle:       wake-ups a second and CPU of one idle host (goal: under one wake-up a second)
//   round trip: a request sent to the host and relayed back, median and 99th percentile (a
//               just-watch request: chat lines are held to the rate a person types)
//   many:       total memory and CPU of a crowd of idle hosts
// Wake-ups are the host's context switches (every return from sleep is one), read from /proc.
// Usage: bench_host [--seconds N] [--round-trips N] [--hosts N] [--host PATH]
// (--host measures another build of quibo-host; the host's own log is discarded.)
#include "messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace quibo;

namespace {

struct Sample {
    qint64 switches = 0; // voluntary and involuntary, all threads
    qint64 cpuTicks = 0; // user and system
    qint64 rssKiB = 0;
    qint64 pssKiB = 0;
};

qint64 statusValue(const QByteArray& status, const QByteArray& key) {
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

QByteArray readProc(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Sample sample(qint64 pid) {
    Sample s;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    for (const QString& task :
         QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray status =
            readProc(proc + QStringLiteral("/task/") + task + QStringLiteral("/status"));
        s.switches += statusValue(status, "voluntary_ctxt_switches:") +
                      statusValue(status, "nonvoluntary_ctxt_switches:");
    }
    // Fields 14 and 15 of stat, after the command name in parentheses.
    const QByteArray stat = readProc(proc + QStringLiteral("/stat"));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    s.cpuTicks = fields.value(11).toLongLong() + fields.value(12).toLongLong();
    s.rssKiB = statusValue(readProc(proc + QStringLiteral("/status")), "VmRSS:");
    s.pssKiB = statusValue(readProc(proc + QStringLiteral("/smaps_rollup")), "Pss:");
    return s;
}

struct Host {
    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
};

QString hostProgram = QStringLiteral(QUIBO_HOST_EXECUTABLE);

std::unique_ptr<Host> startHost() {
    auto host = std::make_unique<Host>();
    host->process.setWorkingDirectory(host->dir.path());
    host->process.setStandardErrorFile(QProcess::nullDevice());
    host->process.start(hostProgram, {QStringLiteral("--port"), QStringLiteral("0")});
    static const QRegularExpression listening(QStringLiteral("listening on port (\\d+)"));
    QByteArray printed;
    while (host->port == 0 && host->process.waitForReadyRead(30000)) {
        printed += host->process.readAllStandardOutput();
        host->port = quint16(listening.match(QString::fromUtf8(printed)).captured(1).toUInt());
    }
    return host;
}

void stop(Host& host) {
    host.process.terminate();
    host.process.waitForFinished(30000);
}

// Reads whole messages until one starts with prefix; answers false on a time-out.
bool waitFor(QTcpSocket& socket, QByteArray& buffer, const QByteArray& prefix) {
    for (;;) {
        qsizetype end = 0;
        while ((end = buffer.indexOf(messageTerminator)) >= 0) {
            const QByteArray message = buffer.left(end);
            buffer.remove(0, end + 1);
            if (message.startsWith(prefix)) return true;
        }
        if (!socket.waitForReadyRead(10000)) return false;
        buffer += socket.readAll();
    }
}

void idle(int seconds) {
    auto host = startHost();
    QThread::sleep(1); // start-up behind it
    const Sample before = sample(host->process.processId());
    QThread::sleep(seconds);
    const Sample after = sample(host->process.processId());
    const double ticks = double(sysconf(_SC_CLK_TCK));
    std::printf("idle host over %d s: %.2f wake-ups/s, CPU %.3f %% (%lld ticks), RSS %lld KiB\n", seconds,
                double(after.switches - before.switches) / seconds,
                100.0 * double(after.cpuTicks - before.cpuTicks) / ticks / seconds,
                after.cpuTicks - before.cpuTicks, after.rssKiB);
    stop(*host);
}

void roundTrip(int count) {
    auto host = startHost();
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), host->port);
    QByteArray buffer;
    if (!socket.waitForConnected(10000) || !waitFor(socket, buffer, "CMD_sendlogininfo+")) return;
    socket.write(msg::LoginInfo{1, programVersion, "Ann"}.encode());
    if (!waitFor(socket, buffer, "CMD_newplayerinfo+1+")) return;
    std::vector<double> ms;
    QElapsedTimer clock;
    for (int i = 0; i < count; ++i) {
        // Seat 1 stops and starts watching by turns, so each answer is told from the one before.
        const int value = i % 2 == 0 ? watchEnds : watchStarts;
        clock.start();
        socket.write(msg::JustWatch{1, value}.encode());
        if (!waitFor(socket, buffer, msg::JustWatching{1, value}.encode().chopped(1))) break;
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    if (!ms.empty())
        std::printf("round trip over %zu requests: median %.3f ms, p99 %.3f ms, max %.3f ms\n", ms.size(),
                    ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
    stop(*host);
}

void many(int count, int seconds) {
    std::vector<std::unique_ptr<Host>> hosts;
    for (int i = 0; i < count; ++i)
        hosts.push_back(startHost());
    QThread::sleep(2);
    std::vector<Sample> starts;
    for (const auto& host : hosts)
        starts.push_back(sample(host->process.processId()));
    QThread::sleep(seconds);
    Sample total;
    for (size_t i = 0; i < hosts.size(); ++i) {
        const Sample now = sample(hosts[i]->process.processId());
        total.switches += now.switches - starts[i].switches;
        total.cpuTicks += now.cpuTicks - starts[i].cpuTicks;
        total.rssKiB += now.rssKiB;
        total.pssKiB += now.pssKiB;
    }
    const double ticks = double(sysconf(_SC_CLK_TCK));
    std::printf("%d idle hosts over %d s: RSS %.1f MiB, PSS %.1f MiB in all (PSS %.0f KiB each), CPU %.3f %% "
                "of one core, %.2f wake-ups/s in all\n",
                count, seconds, double(total.rssKiB) / 1024, double(total.pssKiB) / 1024,
                double(total.pssKiB) / count, 100.0 * double(total.cpuTicks) / ticks / seconds,
                double(total.switches) / seconds);
    for (const auto& host : hosts)
        host->process.terminate();
    for (const auto& host : hosts)
        host->process.waitForFinished(30000);
}

int option(const QStringList& arguments, const QString& name, int fallback) {
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--host"));
        at >= 0 && at + 1 < arguments.size())
        hostProgram = arguments.at(at + 1);
    const int seconds = option(arguments, QStringLiteral("--seconds"), 30);
    idle(seconds);
    std::fflush(stdout);
    roundTrip(option(arguments, QStringLiteral("--round-trips"), 1000));
    std::fflush(stdout);
    many(option(arguments, QStringLiteral("--hosts"), 100), std::min(seconds, 10));
    return 0;
}

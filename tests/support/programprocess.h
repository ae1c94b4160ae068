// SPDX-License-Identifier: MIT
// ProgramProcess: the one launcher of the real programs for tests, in a directory the test owns.
// In host mode it runs quibo-host there on a port the system picks and reads the port from the
// host's "listening" line. In window mode it runs a copy of the desktop program placed in that
// directory (the program keeps its settings and tally beside itself), with its per-user locations,
// working directory, one-copy-per-desktop name and game port all the test's own, so it never
// touches the user's files, port 7772, the router or a copy the user runs. Whatever is still running when the
// launcher goes is ended, with SIGTERM first. The test owns it; the paths of the programs come from
// the build as QUIBO_HOST_EXECUTABLE and QUIBO_EXECUTABLE, or from the test (an installed copy).
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>
#include <csignal>
#include <utility>
#include <vector>

namespace quibo::test {

class ProgramProcess {
public:
    // root: a directory the test owns; the program's files all go below it.
    explicit ProgramProcess(QString root)
        : m_root(std::move(root)) {}
    ~ProgramProcess() {
        if (process.state() == QProcess::NotRunning) return;
        if (!signalAndWait(SIGTERM, 10000)) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Host mode: starts quibo-host in root with these arguments; answers the port it listens on, or 0
    // with the reason in failure.
    quint16 startHost(const QStringList& arguments, int timeoutMs = 30000) {
        process.setProcessChannelMode(m_captureErrors ? QProcess::SeparateChannels
                                                      : QProcess::ForwardedErrorChannel);
        const quint16 port = launchHost(process, m_root, arguments, &output, timeoutMs);
        if (port == 0) {
            failure = process.state() == QProcess::NotRunning && process.error() == QProcess::FailedToStart
                          ? QStringLiteral("host did not start: ") + process.errorString()
                          : QStringLiteral("host never said it was listening; its output: ") +
                                QString::fromUtf8(output);
        }
        return port;
    }
    // Host mode on a free port with a fixed random seed.
    quint16 startHost(quint32 seed, int timeoutMs = 30000) {
        return startHost(
            {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"), QString::number(seed)},
            timeoutMs);
    }

    // Starts quibo-host on a process the caller set up, in workingDirectory, and waits for its
    // "listening" line, which must be the first line it prints; answers the port, or 0. What the host
    // printed is added to output when given.
    static quint16 launchHost(QProcess& host, const QString& workingDirectory, const QStringList& arguments,
                              QByteArray* output = nullptr, int timeoutMs = 30000,
                              const QString& executable = QStringLiteral(QUIBO_HOST_EXECUTABLE)) {
        host.setWorkingDirectory(workingDirectory);
        host.start(executable, arguments);
        if (!host.waitForStarted(timeoutMs)) return 0;
        static const QRegularExpression listening(QStringLiteral("^Quibo host listening on port (\\d+)\\n"));
        QByteArray printed;
        quint16 port = 0;
        (void)QTest::qWaitFor(
            [&] {
                printed += host.readAllStandardOutput();
                const QRegularExpressionMatch match = listening.match(QString::fromUtf8(printed));
                if (match.hasMatch()) port = quint16(match.captured(1).toUInt());
                return port != 0 || host.state() == QProcess::NotRunning;
            },
            timeoutMs);
        if (output) *output += printed;
        return port;
    }

    // Window mode: makes the directories below root and puts the copy of the program there; answers
    // false with the reason in failure. startWindow does it when needed.
    bool installWindow() {
        QDir root(m_root);
        for (const char* sub : {"work", "home", "config", "data", "cache", "runtime"}) {
            if (!root.mkpath(QString::fromLatin1(sub)))
                return fail(QStringLiteral("cannot make ") + QLatin1String(sub));
        }
        // The runtime directory must be private to its owner, or Qt refuses it.
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QString executable = windowExecutable();
        if (m_executable.isEmpty() && !QFile::exists(executable) &&
            !QFile::copy(QStringLiteral(QUIBO_EXECUTABLE), executable))
            return fail(QStringLiteral("cannot copy the program into ") + m_root);
        // The sound module the program loads at its first sound goes with the copy.
        const QString module =
            QFileInfo(QStringLiteral(QUIBO_EXECUTABLE)).dir().filePath(QStringLiteral("quibo-sound.so"));
        const QString moduleCopy = root.filePath(QStringLiteral("quibo-sound.so"));
        if (m_executable.isEmpty() && !QFile::exists(moduleCopy) && !QFile::copy(module, moduleCopy))
            return fail(QStringLiteral("cannot copy the sound module into ") + m_root);
        m_window = true;
        return true;
    }

    // Window mode: starts the program with the given command line against gamePort; answers false
    // with the reason in failure.
    bool startWindow(const QStringList& arguments, quint16 gamePort, int timeoutMs = 30000) {
        if (!installWindow()) return false;
        const QDir root(m_root);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUIBO_GAME_PORT"), QString::number(gamePort));
        env.insert(QStringLiteral("QUIBO_INSTANCE_NAME"), root.filePath(QStringLiteral("instance")));
        // A hosting copy leaves the router of the machine that runs the tests alone.
        env.insert(QStringLiteral("QUIBO_PORT_MAPPING"), QStringLiteral("off"));
        env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
        for (const auto& [name, value] : m_environment)
            env.insert(name, value);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workingDirectory());
        process.setProcessChannelMode(m_captureErrors ? QProcess::SeparateChannels
                                                      : QProcess::ForwardedChannels);
        process.start(windowExecutable(), arguments);
        return process.waitForStarted(timeoutMs) ||
               fail(QStringLiteral("did not start: ") + process.errorString());
    }

    // Window mode: runs this program where it lies (an installed copy) instead of a copy in root.
    void useProgram(const QString& executable) { m_executable = executable; }
    // Window mode: one more environment variable for the program, set before it starts.
    void setEnvironment(const QString& name, const QString& value) {
        m_environment.emplace_back(name, value);
    }
    // Keeps the program's standard error readable through process instead of passing it on to the
    // test's own.
    void captureErrorOutput() { m_captureErrors = true; }

    // Where the program runs: root for the host, a directory below it for a window.
    QString workingDirectory() const {
        return m_window ? QDir(m_root).filePath(QStringLiteral("work")) : m_root;
    }

    // Sends a signal and waits for the program to end; answers whether it ended within the time.
    bool signalAndWait(int signalNumber, int timeoutMs = 20000) {
        const qint64 pid = process.processId();
        if (pid <= 0) return process.state() == QProcess::NotRunning; // never signal a process group
        ::kill(pid_t(pid), signalNumber);
        return process.waitForFinished(timeoutMs);
    }
    // Ends the program as a service manager would.
    bool terminate(int timeoutMs = 20000) { return signalAndWait(SIGTERM, timeoutMs); }

    bool exitedCleanly() const {
        return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QProcess process;
    QByteArray output; // what the host printed on standard output
    QString failure;

private:
    QString windowExecutable() const {
        return m_executable.isEmpty() ? QDir(m_root).filePath(QStringLiteral("quibo")) : m_executable;
    }
    bool fail(const QString& reason) {
        failure = reason;
        return false;
    }

    QString m_root;
    QString m_executable;
    std::vector<std::pair<QString, QString>> m_environment;
    bool m_captureErrors = false;
    bool m_window = false;
};

} // namespace quibo::test

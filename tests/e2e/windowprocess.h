// SPDX-License-Identifier: MIT
// WindowProcess: runs the real desktop program headless for an end-to-end test. The program keeps
// its settings and tally beside its executable, so a copy of the executable is run from inside the
// test's temporary directory; its per-user locations, its working directory, its one-copy-per-desktop
// name and its game port are all set to the test's own, so it never touches the user's files, port
// 7772 or a copy the user runs.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>

namespace quibo::test {

class WindowProcess {
public:
    // root: a directory the test owns; the program's files all go below it.
    explicit WindowProcess(const QString& root)
        : m_root(root) {}
    ~WindowProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(20000);
        }
    }
    WindowProcess(const WindowProcess&) = delete;
    WindowProcess& operator=(const WindowProcess&) = delete;

    // Starts the program with the given command line against gamePort; answers false with the reason
    // in failure.
    bool start(const QStringList& arguments, quint16 gamePort, int timeoutMs = 30000) {
        QDir root(m_root);
        for (const char* sub : {"bin", "work", "home", "config", "data", "cache", "runtime"}) {
            if (!root.mkpath(QString::fromLatin1(sub)))
                return fail(QStringLiteral("cannot make ") + QLatin1String(sub));
        }
        // The runtime directory must be private to its owner, or Qt refuses it.
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QString executable = root.filePath(QStringLiteral("bin/quibo"));
        if (!QFile::exists(executable) && !QFile::copy(QStringLiteral(QUIBO_EXECUTABLE), executable))
            return fail(QStringLiteral("cannot copy the program into ") +
                        root.filePath(QStringLiteral("bin")));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUIBO_GAME_PORT"), QString::number(gamePort));
        env.insert(QStringLiteral("QUIBO_INSTANCE_NAME"), root.filePath(QStringLiteral("instance")));
        env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workingDirectory());
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(executable, arguments);
        return process.waitForStarted(timeoutMs) ||
               fail(QStringLiteral("did not start: ") + process.errorString());
    }

    QString workingDirectory() const { return QDir(m_root).filePath(QStringLiteral("work")); }

    // Sends a signal and waits for the program to end; answers whether it ended within the time.
    bool signalAndWait(int signalNumber, int timeoutMs = 20000) {
        ::kill(pid_t(process.processId()), signalNumber);
        return process.waitForFinished(timeoutMs);
    }

    bool exitedCleanly() const {
        return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QProcess process;
    QString failure;

private:
    bool fail(const QString& reason) {
        failure = reason;
        return false;
    }

    QString m_root;
};

} // namespace quibo::test

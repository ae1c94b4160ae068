// SPDX-License-Identifier: MIT
// HostProcess: runs the real headless host executable for an end-to-end test, in a working directory
// the test owns, on a port the system picks. It reads the port from the host's "listening" line,
// ends the host with SIGTERM like a service manager would, and kills it if the test leaves it
// running. The host's log goes to the test's own standard error.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTest>
#include <csignal>

namespace quibo::test {

class HostProcess {
public:
    explicit HostProcess(const QString& workingDirectory) {
        process.setWorkingDirectory(workingDirectory);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~HostProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(20000);
        }
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Starts the host with a fixed random seed; answers the port it listens on, or 0 with the reason
    // in failure.
    quint16 start(quint32 seed, int timeoutMs = 30000) {
        process.start(
            QStringLiteral(QUIBO_HOST_EXECUTABLE),
            {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"), QString::number(seed)});
        if (!process.waitForStarted(timeoutMs)) {
            failure = QStringLiteral("host did not start: ") + process.errorString();
            return 0;
        }
        static const QRegularExpression listening(QStringLiteral("Quibo host listening on port (\\d+)\\n"));
        QRegularExpressionMatch match;
        const bool found = QTest::qWaitFor(
            [&] {
                output += process.readAllStandardOutput();
                match = listening.match(QString::fromUtf8(output));
                return match.hasMatch() || process.state() == QProcess::NotRunning;
            },
            timeoutMs);
        if (!found || !match.hasMatch()) {
            failure =
                QStringLiteral("host never said it was listening; its output: ") + QString::fromUtf8(output);
            return 0;
        }
        return quint16(match.captured(1).toUInt());
    }

    // Sends SIGTERM and waits for the host to end; answers whether it ended within the time.
    bool terminate(int timeoutMs = 20000) {
        ::kill(pid_t(process.processId()), SIGTERM);
        return process.waitForFinished(timeoutMs);
    }

    bool exitedCleanly() const {
        return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QProcess process;
    QByteArray output;
    QString failure;
};

} // namespace quibo::test

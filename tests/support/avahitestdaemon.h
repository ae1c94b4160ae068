// SPDX-License-Identifier: MIT
// AvahiTestDaemon: a real mDNS responder for the tests that announce and list tables. It uses an
// avahi-daemon that already runs (CI may start one), or else starts its own: a private D-Bus
// daemon in a directory the test owns, made the process's system bus, and an avahi-daemon on it
// that speaks on the loopback interface only, so no test packet ever leaves this machine. What it
// started it ends (SIGTERM, then SIGKILL) when it goes, and the system ends them if the test dies.
// Linux only, like avahi-daemon. avahi-daemon runs only as root: elsewhere
// start() answers why the test cannot run, for QSKIP.
#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace quibo::test {

class AvahiTestDaemon {
public:
    AvahiTestDaemon() = default;
    ~AvahiTestDaemon() {
        stop(m_avahi);
        stop(m_bus);
    }
    AvahiTestDaemon(const AvahiTestDaemon&) = delete;
    AvahiTestDaemon& operator=(const AvahiTestDaemon&) = delete;

    // Makes a responder reachable; answers an empty text, or why there can be none.
    QString start(const QString& directory) {
        const QStringList sbin{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                               QStringLiteral("/sbin")};
        const QString avahi = QStandardPaths::findExecutable(QStringLiteral("avahi-daemon"), sbin);
        const QString bus = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"), sbin);
        if (avahi.isEmpty() || bus.isEmpty())
            return QStringLiteral("avahi-daemon and dbus-daemon are not installed");
        if (QProcess::execute(avahi, {QStringLiteral("--check")}) == 0) {
            // One runs already; it is reached through the system bus.
            if (qEnvironmentVariableIsSet("DBUS_SYSTEM_BUS_ADDRESS") ||
                QFile::exists(QStringLiteral("/run/dbus/system_bus_socket")))
                return QString();
            return QStringLiteral("an avahi-daemon runs, but no system bus is there to reach it");
        }
        if (geteuid() != 0) return QStringLiteral("no avahi-daemon runs, and only root may start one");

        // The daemons end with this process, also when a time-out kills it.
        for (QProcess* process : {&m_bus, &m_avahi})
            process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        const QString busPath = directory + QStringLiteral("/bus");
        if (!write(directory + QStringLiteral("/bus.conf"), busConfig(busPath)) ||
            !write(directory + QStringLiteral("/avahi.conf"), avahiConfig))
            return QStringLiteral("cannot write the daemons' configuration");
        m_bus.start(bus, {QStringLiteral("--config-file=") + directory + QStringLiteral("/bus.conf"),
                          QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!waitForOutput(m_bus, QProcess::StandardOutput, "unix:"))
            return QStringLiteral("dbus-daemon did not start: ") +
                   QString::fromLocal8Bit(m_bus.readAllStandardError());
        // The responder's clients of this process find it through the system bus's address.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + busPath.toLocal8Bit());
        m_avahi.setProcessChannelMode(QProcess::MergedChannels);
        m_avahi.start(avahi, {QStringLiteral("--file=") + directory + QStringLiteral("/avahi.conf"),
                              QStringLiteral("--no-drop-root"), QStringLiteral("--no-chroot"),
                              QStringLiteral("--no-rlimits"), QStringLiteral("--no-proc-title")});
        if (!waitForOutput(m_avahi, QProcess::StandardOutput, "Server startup complete"))
            return QStringLiteral("avahi-daemon did not start: ") + QString::fromLocal8Bit(m_output);
        return QString();
    }

private:
    static constexpr char avahiConfig[] = "[server]\n"
                                          "use-ipv4=yes\n"
                                          "use-ipv6=yes\n"
                                          "allow-interfaces=lo\n"
                                          "enable-dbus=yes\n"
                                          "[wide-area]\n"
                                          "enable-wide-area=no\n"
                                          "[publish]\n"
                                          "publish-hinfo=no\n"
                                          "publish-workstation=no\n";

    static QByteArray busConfig(const QString& socketPath) {
        return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig>\n  <type>system</type>\n  <listen>unix:path=" +
               socketPath.toLocal8Bit() +
               "</listen>\n  <auth>EXTERNAL</auth>\n"
               "  <policy context=\"default\">\n    <allow user=\"*\"/>\n    <allow own=\"*\"/>\n"
               "    <allow send_type=\"method_call\"/>\n    <allow send_destination=\"*\"/>\n"
               "    <allow receive_sender=\"*\"/>\n  </policy>\n</busconfig>\n";
    }

    static bool write(const QString& path, const QByteArray& text) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }

    bool waitForOutput(QProcess& process, QProcess::ProcessChannel channel, const char* text) {
        m_output.clear();
        process.setReadChannel(channel);
        const QDeadlineTimer deadline(10000);
        while (!m_output.contains(text) && !deadline.hasExpired() &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(200);
            m_output += process.readAll();
        }
        return m_output.contains(text);
    }

    static void stop(QProcess& process) {
        if (process.state() == QProcess::NotRunning) return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    QProcess m_bus;
    QProcess m_avahi;
    QByteArray m_output;
};

} // namespace quibo::test

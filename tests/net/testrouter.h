// SPDX-License-Identifier: MIT
// TestRouter: a home router made for one test, from the system's own parts: two network
// namespaces joined by a veth pair, a local network 192.168.77.0/24 with the router at .1 and the
// player's computer at .2, an "outside" interface on the router with the address 11.0.0.4, and
// Debian's miniupnpd on the router answering UPnP IGD and NAT-PMP, with its nftables chains and a
// lease file in the test's temporary directory. The test's own thread can step into the player's
// namespace (enterLan), so that what it starts from there (a PortMapper, a program) reaches the
// router as a computer behind it would. Needs root, ip, nft and miniupnpd; unavailable() says why
// not. Everything is removed when the router goes.
//
// The outside address is not one of the documentation blocks: miniupnpd refuses to forward
// anything when its outside interface carries a reserved address, and the namespaces reach no
// real network, so the address never leaves them.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace quibo::test {

class TestRouter {
public:
    static constexpr const char* outsideAddress = "11.0.0.4";
    static constexpr const char* lanAddress = "192.168.77.2";

    TestRouter() {
        const QString id = QString::number(QCoreApplication::applicationPid());
        m_router = QStringLiteral("quibo-router-") + id;
        m_lan = QStringLiteral("quibo-lan-") + id;
        m_lanLink = QStringLiteral("qlan") + id;
        m_routerLink = QStringLiteral("qrtr") + id;
        m_outside = QStringLiteral("qext") + id;
        m_wan = QStringLiteral("qwan") + id;
    }
    ~TestRouter() {
        leaveLan();
        stopDaemon();
        if (m_made) {
            run({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("del"), m_lan});
            run({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("del"), m_router});
        }
    }
    TestRouter(const TestRouter&) = delete;
    TestRouter& operator=(const TestRouter&) = delete;

    // Empty when the router can be made here, else the reason.
    static QString unavailable() {
        if (::geteuid() != 0) return QStringLiteral("needs root to make network namespaces");
        for (const char* tool : {"ip", "nft", "miniupnpd"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool), {"/usr/sbin", "/sbin", "/usr/bin"})
                    .isEmpty())
                return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
        return QString();
    }

    // Makes the namespaces, the links and the firewall chains; the router answers once startDaemon
    // ran.
    bool make() {
        if (!m_dir.isValid()) return fail(QStringLiteral("no temporary directory"));
        m_made = true;
        const QString ip = QStringLiteral("ip");
        const QString r = m_router;
        const QString l = m_lan;
        const QList<QStringList> steps{
            {ip, "netns", "add", r},
            {ip, "netns", "add", l},
            {ip, "-n", r, "link", "add", m_routerLink, "type", "veth", "peer", "name", m_lanLink, "netns", l},
            {ip, "-n", r, "link", "add", m_outside, "type", "veth", "peer", "name", m_wan},
            {ip, "-n", r, "addr", "add", "192.168.77.1/24", "dev", m_routerLink},
            {ip, "-n", r, "addr", "add", QStringLiteral("%1/24").arg(QLatin1String(outsideAddress)), "dev",
             m_outside},
            {ip, "-n", r, "link", "set", m_routerLink, "up"},
            {ip, "-n", r, "link", "set", m_outside, "up"},
            {ip, "-n", r, "link", "set", m_wan, "up"},
            {ip, "-n", r, "link", "set", "lo", "up"},
            {ip, "-n", l, "addr", "add", QStringLiteral("%1/24").arg(QLatin1String(lanAddress)), "dev",
             m_lanLink},
            {ip, "-n", l, "link", "set", m_lanLink, "up"},
            {ip, "-n", l, "link", "set", "lo", "up"},
            {ip, "-n", l, "route", "add", "default", "via", "192.168.77.1"},
        };
        for (const QStringList& step : steps)
            if (!run(step)) return false;
        return writeRules() && run({ip, "netns", "exec", r, "nft", "-f", m_dir.filePath("rules.nft")});
    }

    // Starts miniupnpd on the router; extraRules ("deny 40000 0.0.0.0/0 0-65535") come before the
    // rule that allows every port from 1024 on.
    bool startDaemon(const QStringList& extraRules = {}) {
        QFile conf(m_dir.filePath(QStringLiteral("miniupnpd.conf")));
        if (!conf.open(QIODevice::WriteOnly)) return fail(QStringLiteral("cannot write the configuration"));
        QStringList lines{QStringLiteral("ext_ifname=") + m_outside,
                          QStringLiteral("listening_ip=") + m_routerLink,
                          QStringLiteral("enable_upnp=yes"),
                          QStringLiteral("enable_natpmp=yes"),
                          QStringLiteral("secure_mode=no"),
                          QStringLiteral("system_uptime=yes"),
                          QStringLiteral("lease_file=") + leaseFile(),
                          QStringLiteral("uuid=3f6e2a4c-1d2b-4c6e-9a7b-0c1d2e3f4a5b")};
        lines << extraRules << QStringLiteral("allow 1024-65535 0.0.0.0/0 1024-65535")
              << QStringLiteral("deny 0-65535 0.0.0.0/0 0-65535");
        conf.write(lines.join(u'\n').toLatin1() + '\n');
        conf.close();
        m_log.clear();
        m_daemon.setProcessChannelMode(QProcess::MergedChannels);
        m_daemon.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), m_router,
                                              QStringLiteral("miniupnpd"), QStringLiteral("-d"),
                                              QStringLiteral("-f"), conf.fileName(), QStringLiteral("-P"),
                                              m_dir.filePath(QStringLiteral("miniupnpd.pid"))});
        if (!m_daemon.waitForStarted(10000)) return fail(QStringLiteral("miniupnpd did not start"));
        // Listening once it says so on its log.
        const bool listening = QTest::qWaitFor(
            [&] {
                m_log += m_daemon.readAll();
                return m_log.contains("Listening for NAT-PMP") || m_daemon.state() == QProcess::NotRunning;
            },
            10000);
        if (!listening || m_daemon.state() == QProcess::NotRunning)
            return fail(QStringLiteral("miniupnpd did not listen: ") + QString::fromLocal8Bit(m_log));
        return true;
    }

    void stopDaemon() {
        if (m_daemon.state() == QProcess::NotRunning) return;
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }

    // The calling thread (and what it starts from now on) is on the player's computer, or on the
    // router (a socket made there stays there).
    bool enterLan() { return enter(m_lan); }
    bool enterRouter() { return enter(m_router); }
    void leaveLan() {
        if (m_home < 0) return;
        (void)::setns(m_home, CLONE_NEWNET);
        ::close(m_home);
        m_home = -1;
    }

    // The expiry (seconds since 1970) of the router's TCP mapping of this port, 0 when it has none.
    qint64 mappingExpiry(quint16 port) const {
        QFile leases(leaseFile());
        if (!leases.open(QIODevice::ReadOnly)) return 0;
        // One line a mapping: TCP:external port:client:internal port:expiry:description
        for (const QByteArray& line : leases.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() >= 5 && fields[0] == "TCP" && fields[1].toUInt() == port &&
                fields[2] == lanAddress)
                return fields[4].toLongLong();
        }
        return 0;
    }

    // ip netns exec of the player's namespace, for a program started by QProcess.
    QStringList inLan(const QString& program) const {
        return {QStringLiteral("netns"), QStringLiteral("exec"), m_lan, program};
    }

    QString failure;
    QByteArray log() {
        m_log += m_daemon.readAll();
        return m_log;
    }

private:
    bool enter(const QString& name) {
        if (m_home < 0) m_home = ::open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
        const int target = ::open(qPrintable(QStringLiteral("/run/netns/") + name), O_RDONLY | O_CLOEXEC);
        const bool entered = m_home >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
        if (target >= 0) ::close(target);
        return entered || fail(QStringLiteral("cannot enter the namespace ") + name);
    }

    QString leaseFile() const { return m_dir.filePath(QStringLiteral("leases")); }

    // The chains miniupnpd's nftables back end fills: the forward filter and the address
    // translation before and after routing, all in the table "filter".
    bool writeRules() {
        QFile rules(m_dir.filePath(QStringLiteral("rules.nft")));
        if (!rules.open(QIODevice::WriteOnly)) return fail(QStringLiteral("cannot write the rules"));
        rules.write(
            "table inet filter {\n"
            "  chain forward { type filter hook forward priority 0; policy accept; jump miniupnpd; }\n"
            "  chain miniupnpd { }\n"
            "  chain prerouting { type nat hook prerouting priority -100; policy accept; "
            "jump prerouting_miniupnpd; }\n"
            "  chain postrouting { type nat hook postrouting priority 100; policy accept; "
            "jump postrouting_miniupnpd; }\n"
            "  chain prerouting_miniupnpd { }\n"
            "  chain postrouting_miniupnpd { }\n"
            "}\n");
        return true;
    }

    bool run(const QStringList& command) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.first(), command.mid(1));
        if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0)
            return true;
        return fail(command.join(u' ') + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll()));
    }
    bool fail(const QString& reason) {
        failure = reason;
        return false;
    }

    QTemporaryDir m_dir;
    QString m_router, m_lan, m_lanLink, m_routerLink, m_outside, m_wan;
    bool m_made = false;
    int m_home = -1;
    QProcess m_daemon;
    QByteArray m_log;
};

} // namespace quibo::test

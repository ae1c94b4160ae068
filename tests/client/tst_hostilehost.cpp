// SPDX-License-Identifier: MIT
// The player window against a host that sends what no game would: markup in names. Over real loopback TCP
// with a stub host.
#include "chatsession.h"
#include "namedwidgets.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quibo;
using namespace quibo::test;

namespace {

// Notices any reader of a FIFO from another thread: a writer opens without blocking only while a
// reader has the FIFO open. The writer closes at once, so the reader finds it empty and goes on.
class FifoWatch {
public:
    explicit FifoWatch(const QByteArray& path)
        : m_thread([this, path] {
            while (!m_stop) {
                const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        }) {}
    ~FifoWatch() { stop(); }
    // Answers whether anybody opened the FIFO to read it.
    bool stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_opened;
    }

private:
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_opened = false;
    std::thread m_thread;
};

} // namespace

class HostileHostTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void namesAreShownAsPlainText_data();
    void namesAreShownAsPlainText();
};

void HostileHostTest::namesAreShownAsPlainText_data() {
    QTest::addColumn<QString>("name"); // "@" stands for the path of a FIFO
    QTest::newRow("markup") << QStringLiteral("<u>Zed</u>");
    QTest::newRow("image of a local file") << QStringLiteral("<img src=\"@\">");
}

void HostileHostTest::namesAreShownAsPlainText() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("picture")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    name.replace(u'@', QFile::decodeName(fifo));
    FifoWatch watch(fifo);

    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Me"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Me")));
    const QByteArray n = name.toUtf8();
    s.host.send(0, "CMD_existingplayers+2+" + n);
    s.host.send(0, "CMD_newplayerinfo+3+" + n);
    s.host.send(0, "CMD_chat+" + n + ": look " + n + "|clBlack");
    s.host.send(0, "CMD_nextplayer+2+5");
    s.host.send(0, "CMD_winner+2");
    QVERIFY(s.waitForLine(name + QStringLiteral(" has Won the Game!")));
    s.chat->grab(); // lays out and paints every label as the player sees it

    QVERIFY2(!watch.stop(), "a name made the window read a file");
    QVERIFY(s.hasLine(name + QStringLiteral(": look ") + name));
    for (const char* labelName : {"label_playername2", "label_status", "label_winner1", "label_winner2"}) {
        const auto* label = findNamed<QLabel>(s.chat.get(), QString::fromLatin1(labelName));
        QVERIFY(label->text().contains(name));
        // Shown literally, the text takes the width of every character it holds.
        QVERIFY2(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text()) * 9 / 10,
                 labelName);
    }
}

QTEST_MAIN(HostileHostTest)
#include "tst_hostilehost.moc"

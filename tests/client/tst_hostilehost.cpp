// SPDX-License-Identifier: MIT
// The player window against a host that sends what no game would: markup in names, endless
// refusals, floods. Over real loopback TCP with a stub host.
#include "chatsession.h"
#include "hostconnection.h"
#include "namedwidgets.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

QList<QMessageBox*> openRefusalBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->isVisible() && box->objectName() == QLatin1String("refusalbox")) boxes << box;
    }
    return boxes;
}

QByteArray repeatedMessage(const QByteArray& text, int count) {
    return QByteArray(text + messageTerminator).repeated(count);
}

} // namespace

class HostileHostTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void namesAreShownAsPlainText_data();
    void namesAreShownAsPlainText();
    void refusalsNeverStackTheirBoxes();
    void floodingHostIsDisconnectedWithAReason_data();
    void floodingHostIsDisconnectedWithAReason();
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
    QVERIFY(s.waitForLine(name + QStringLiteral(" has won the game!")));
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

void HostileHostTest::refusalsNeverStackTheirBoxes() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Me"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Me")));
    // Runs inside whichever box's event loop is innermost. The player answers the box once the
    // refusals are handled; a second box open at once is answered at once, so a failure ends.
    int opened = 0;
    qsizetype mostOpen = 0;
    QTimer player;
    player.setInterval(5);
    connect(&player, &QTimer::timeout, this, [&] {
        const QList<QMessageBox*> boxes = openRefusalBoxes();
        mostOpen = qMax(mostOpen, boxes.size());
        for (QMessageBox* box : boxes) {
            if (!box->property("counted").toBool()) ++opened;
            box->setProperty("counted", true);
        }
        if (boxes.size() > 1 || s.chat->connection()->queuedMessages() == 0) {
            for (QMessageBox* box : boxes)
                box->accept();
        }
    });
    player.start();

    s.host.peers.at(0)->socket->write(repeatedMessage("CMD_notvalid+1", 2000));
    QTRY_VERIFY_WITH_TIMEOUT(
        opened > 0 && s.chat->connection()->queuedMessages() == 0 && openRefusalBoxes().isEmpty(), 120000);
    QCOMPARE(mostOpen, 1);
    QCOMPARE(opened, 1);
    // The window still answers: the next refusal has its own box.
    s.host.send(0, "CMD_toomany+1");
    QTRY_COMPARE_WITH_TIMEOUT(opened, 2, 20000);
}

void HostileHostTest::floodingHostIsDisconnectedWithAReason_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("length");
    QTest::newRow("300,000 chat lines") << 300000 << 20;
    QTest::newRow("6 MB of long chat lines") << 100 << 60000;
}

void HostileHostTest::floodingHostIsDisconnectedWithAReason() {
    QFETCH(int, count);
    QFETCH(int, length);
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Me"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(3, QStringLiteral("Me")));
    QTcpSocket* peer = s.host.peers.at(0)->socket;
    QSignalSpy gone(peer, &QTcpSocket::disconnected);
    peer->write(repeatedMessage("CMD_chat+Ann: " + QByteArray(length, 'x') + "|clBlack", count));

    const QString reason = QStringLiteral(
        "The connection to the host was closed: it sent more messages than the window can handle.");
    QVERIFY(s.waitForLine(reason));
    QCOMPARE(s.lines().constLast(), reason);
    QCOMPARE(s.lineColour(reason), toQColor(colorStatus));
    QTRY_VERIFY_WITH_TIMEOUT(gone.count() > 0, 20000);
}

QTEST_MAIN(HostileHostTest)
#include "tst_hostilehost.moc"

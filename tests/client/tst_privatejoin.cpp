// SPDX-License-Identifier: MIT
// The player window at a real private table: asked for the password when the host wants it, asked
// again after a wrong one, seated with the right one, and still open all the while.
#include "hostfixture.h"
#include "passwordprompt.h"
#include "tchat.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace quibo;
using namespace quibo::test;
using namespace std::chrono_literals;

class PrivateJoinTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void windowAsksForThePasswordUntilItIsRight();
};

void PrivateJoinTest::windowAsksForThePasswordUntilItIsRight() {
    HostConfig config;
    config.password = QStringLiteral("secret");
    config.wrongPasswordDelay = 0ms;
    HostFixture table(config);
    Tchat chat;
    QSignalSpy closed(&chat, &Tchat::closed);
    chat.setup().closeDelay = 0;
    chat.setup().sideChannelPort = 9;
    // The port comes with the address; the game port is not where the table is.
    chat.setup().gamePort = 9;
    chat.setup().parameters = {QStringLiteral("Bob"), QStringLiteral("127.0.0.1:%1").arg(table.port())};
    chat.show();

    auto promptSays = [&](const char* words) {
        return QTest::qWaitFor(
            [&] {
                auto* prompt = chat.findChild<PasswordPrompt*>();
                return prompt && prompt->isVisible() &&
                       prompt->findChild<QLabel*>(QStringLiteral("label_reason"))
                           ->text()
                           .contains(QLatin1String(words));
            },
            20000);
    };
    auto answer = [&](const QString& password) {
        auto* prompt = chat.findChild<PasswordPrompt*>();
        QTest::keyClicks(prompt->findChild<QLineEdit*>(QStringLiteral("edit_password")), password);
        QTest::mouseClick(prompt->findChild<QPushButton*>(QStringLiteral("button_join")), Qt::LeftButton);
    };
    QVERIFY(promptSays("private"));
    QVERIFY(!table.server->players().isOccupied(1));
    answer(QStringLiteral("guess"));
    QVERIFY(promptSays("not the table's password"));
    answer(QStringLiteral("secret"));
    QTRY_VERIFY_WITH_TIMEOUT(table.server->players()[1].name == "Bob", 20000);
    QTRY_VERIFY(chat.isconnected());
    QCOMPARE(closed.count(), 0);
}

QTEST_MAIN(PrivateJoinTest)
#include "tst_privatejoin.moc"

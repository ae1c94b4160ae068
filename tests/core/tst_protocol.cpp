// SPDX-License-Identifier: MIT
#include "commands.h"
#include "protocol.h"

#include <QTest>

using namespace quibo;

class ProtocolTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messagesAreBuiltWithFieldsRestAndTerminator_data();
    void messagesAreBuiltWithFieldsRestAndTerminator();
    void framingQueuesWholeMessagesInOrder();
    void messageInOneBytePiecesArrivesWhole();
    void consecutiveTerminatorsYieldEmptyEntries();
    void unterminatedFloodIsRefused();
    void dispatchFollowsTheTable();
    void restFieldsKeepPlusSigns();
    void malformedNumbersDropTheMessage();
    void queueDropsMessagesOfAnEndedConnection();
};

void ProtocolTest::messagesAreBuiltWithFieldsRestAndTerminator_data() {
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no fields") << Message(cmd::timeup).bytes() << QByteArray("CMD_timeup+\xFF");
    QTest::newRow("seat without trailing plus")
        << Message(cmd::sendlogininfo).rest(2).bytes() << QByteArray("CMD_sendlogininfo+2\xFF");
    QTest::newRow("trailing plus") << Message(cmd::placemyletter).field(1).field(3).field(5).field(12).bytes()
                                   << QByteArray("CMD_placemyletter+1+3+5+12+\xFF");
    QTest::newRow("name runs to the end")
        << Message(cmd::logininfo).field(2).field(QByteArray("1.0.2")).rest(QStringLiteral("Ann+Bo")).bytes()
        << QByteArray("CMD_logininfo+2+1.0.2+Ann+Bo\xFF");
}

void ProtocolTest::messagesAreBuiltWithFieldsRestAndTerminator() {
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void ProtocolTest::framingQueuesWholeMessagesInOrder() {
    FrameSplitter splitter;
    QList<QByteArray> out;
    const auto collect = [&](QByteArray m) { out << m; };
    QCOMPARE(splitter.feed("CMD_a+1+\xFF"
                           "CMD_b+2\xFF"
                           "CMD_c",
                           collect),
             FrameSplitter::Result::Ok);
    QCOMPARE(out, (QList<QByteArray>{"CMD_a+1+", "CMD_b+2"}));
    QCOMPARE(splitter.pendingSize(), 5);
    splitter.feed("+3+\xFF", collect);
    QCOMPARE(out.last(), QByteArray("CMD_c+3+"));
}

void ProtocolTest::messageInOneBytePiecesArrivesWhole() {
    FrameSplitter splitter;
    QList<QByteArray> out;
    const QByteArray whole = Message(cmd::chat).field(2).rest(QByteArray("hello|clNavy")).bytes();
    for (char byte : whole)
        splitter.feed(QByteArrayView(&byte, 1), [&](QByteArray m) { out << m; });
    QCOMPARE(out, QList<QByteArray>{whole.chopped(1)});
}

void ProtocolTest::consecutiveTerminatorsYieldEmptyEntries() {
    FrameSplitter splitter;
    QList<QByteArray> out;
    splitter.feed("\xFF\xFF"
                  "CMD_x+\xFF",
                  [&](QByteArray m) { out << m; });
    QCOMPARE(out, (QList<QByteArray>{"", "", "CMD_x+"}));
    Dispatcher dispatcher;
    bool called = false;
    dispatcher.add("", [&](const QByteArray&) { called = true; });
    QVERIFY(!dispatcher.dispatch(out[0]));
    QVERIFY(!called);
}

void ProtocolTest::unterminatedFloodIsRefused() {
    FrameSplitter splitter;
    const QByteArray chunk(16 * 1024, 'x');
    const auto ignore = [](QByteArray) {};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(splitter.feed(chunk, ignore), FrameSplitter::Result::Ok);
    QCOMPARE(splitter.feed("y", ignore), FrameSplitter::Result::Overflow);
    QCOMPARE(splitter.pendingSize(), 0);

    // A message over the bound is refused whole, also when its terminator comes in the same read.
    QList<QByteArray> out;
    const QByteArray tooLong =
        "CMD_ok+\xFF" + QByteArray(maxMessageBytes + 1, 'x') + "\xFF" + "CMD_after+\xFF";
    QCOMPARE(splitter.feed(tooLong, [&](QByteArray m) { out << m; }), FrameSplitter::Result::Overflow);
    QCOMPARE(out, QList<QByteArray>{"CMD_ok+"});
}

void ProtocolTest::dispatchFollowsTheTable() {
    Dispatcher dispatcher;
    QList<QByteArray> seen;
    dispatcher.add(cmd::chat, [&](const QByteArray& args) { seen << "chat:" + args; });
    dispatcher.add(cmd::timeup, [&](const QByteArray& args) { seen << "timeup:" + args; });
    QVERIFY(dispatcher.dispatch("CMD_chat+2+hi|clRed"));
    QVERIFY(dispatcher.dispatch("CMD_timeup+"));
    QVERIFY(!dispatcher.dispatch("CMD_chat"));     // no "+": no command name
    QVERIFY(!dispatcher.dispatch("cmd_chat+2+x")); // names are case-sensitive
    QVERIFY(!dispatcher.dispatch("CMD_unknown+1+"));
    QVERIFY(!dispatcher.dispatch("+CMD_chat+"));
    QCOMPARE(seen, (QList<QByteArray>{"chat:2+hi|clRed", "timeup:"}));
}

void ProtocolTest::restFieldsKeepPlusSigns() {
    FieldReader reader("3+Ann+Bo+");
    QCOMPARE(reader.number(), 3);
    QCOMPARE(reader.restString(), QStringLiteral("Ann+Bo+"));
    QVERIFY(reader.atEnd());

    FieldReader fields("1+1+5+2+20");
    QCOMPARE(fields.number(), 1);
    QList<int> pairs;
    while (!fields.atEnd())
        pairs << fields.number();
    QCOMPARE(pairs, (QList<int>{1, 5, 2, 20}));
}

void ProtocolTest::malformedNumbersDropTheMessage() {
    QCOMPARE(parseDecimal("42"), std::optional<int>(42));
    QCOMPARE(parseDecimal("-7"), std::optional<int>(-7));
    QCOMPARE(parseDecimal(""), std::nullopt);
    QCOMPARE(parseDecimal("4x"), std::nullopt);
    QCOMPARE(parseDecimal(" 4"), std::nullopt);
    QCOMPARE(parseDecimal("99999999999"), std::nullopt);
    QCOMPARE(parseDecimal("-"), std::nullopt);

    Dispatcher dispatcher;
    int seat = 0;
    dispatcher.add(cmd::kickhim, [&](const QByteArray& args) {
        FieldReader reader(args);
        const int sender = reader.number();
        seat = reader.number() + sender;
    });
    QVERIFY(!dispatcher.dispatch("CMD_kickhim+1+two+"));
    QCOMPARE(seat, 0);
    QVERIFY(!dispatcher.dispatch("CMD_kickhim+1+")); // a missing field is no number either
    QVERIFY(dispatcher.dispatch("CMD_kickhim+1+2+"));
    QCOMPARE(seat, 3);
}

void ProtocolTest::queueDropsMessagesOfAnEndedConnection() {
    MessageQueue queue;
    queue.push("CMD_a+", 1);
    queue.push("CMD_b+", 2);
    queue.push("CMD_c+", 1);
    QCOMPARE(queue.countFrom(1), 2);
    queue.removeOrigin(1);
    QCOMPARE(queue.size(), 1);
    QCOMPARE(queue.takeFirst()->text, QByteArray("CMD_b+"));
    QVERIFY(!queue.takeFirst().has_value());
}

QTEST_GUILESS_MAIN(ProtocolTest)
#include "tst_protocol.moc"

// SPDX-License-Identifier: MIT
#include "messages.h"

#include <QTest>

using namespace quibo;
using namespace quibo::msg;

namespace {

using Decoder = bool (*)(QByteArrayView args);

template <class M>
bool decodes(QByteArrayView args) {
    return M::decode(args).has_value();
}

// One row of the encoding table: the sample's bytes, the bytes expected on the wire, and whether
// decoding the sample's own arguments gives the sample back.
template <class M>
void addSample(const char* tag, const M& sample, const char* expected) {
    const QByteArray bytes = sample.encode();
    const QByteArray head = QByteArray(M::command) + '+';
    bool roundTrip = false;
    if (bytes.startsWith(head) && bytes.endsWith(messageTerminator)) {
        const std::optional<M> back = M::decode(bytes.sliced(head.size()).chopped(1));
        roundTrip = back && *back == sample;
    }
    QTest::newRow(tag) << bytes << QByteArray(expected) + messageTerminator << roundTrip;
}

template <class M>
void addCase(const char* tag, const char* args, bool valid) {
    QTest::newRow(tag) << Decoder(&decodes<M>) << QByteArray(args) << valid;
}

} // namespace

Q_DECLARE_METATYPE(Decoder)

class MessagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTypeEncodesTheWireBytesAndDecodesThemBack_data();
    void everyTypeEncodesTheWireBytesAndDecodesThemBack();
    void decodingChecksFieldsNumbersAndRanges_data();
    void decodingChecksFieldsNumbersAndRanges();
    void typedHandlersGetValidMessagesOnly();
    void loginKeepsTheNameWholeUnlessASeatKeyEndsIt_data();
    void loginKeepsTheNameWholeUnlessASeatKeyEndsIt();

private:
    void onPlace(const PlaceMyLetter& m) { m_placed << m; }
    QList<PlaceMyLetter> m_placed;
};

void MessagesTest::everyTypeEncodesTheWireBytesAndDecodesThemBack_data() {
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("roundTrip");
    // Window to host.
    addSample("logininfo", LoginInfo{2, "1.0.2", "Ann+Bo"}, "CMD_logininfo+2+1.0.2+Ann+Bo");
    addSample("kickhim", KickHim{1, 4}, "CMD_kickhim+1+4+");
    addSample("chat request", ChatRequest{2, "hello there|clNavy"}, "CMD_chat+2+hello there|clNavy");
    addSample("action request", ActionRequest{2, "waves|$00FF8000"}, "CMD_action+2+waves|$00FF8000");
    addSample("justwatch", JustWatch{2, watchStarts}, "CMD_justwatch+2+1");
    addSample("startgame", StartGame{"Ann", 30, 200, unlimitedSteals}, "CMD_startgame+Ann+30+200+10000+");
    addSample("startgame, strong computer", StartGame{"Ann", 30, 200, 5, ComputerLevel::Strong},
              "CMD_startgame+Ann+30+200+5+strong+");
    addSample("startgame, expert computer", StartGame{"Ann", 30, 200, 5, ComputerLevel::Expert},
              "CMD_startgame+Ann+30+200+5+expert+");
    addSample("placemyletter request", PlaceMyLetterRequest{1, 3, 5}, "CMD_placemyletter+1+3+5+");
    addSample("discardextra", DiscardExtra{2, 6}, "CMD_discardextra+2+6+");
    addSample("tradingmyletter request", TradingMyLetterRequest{1, 2, 9}, "CMD_tradingmyletter+1+2+9+");
    addSample("stealinghisletter", StealingHisLetter{2, 4, 10}, "CMD_stealinghisletter+2+4+10+");
    addSample("discardletter", DiscardLetter{1, 10}, "CMD_discardletter+1+10+");
    addSample("give3", Give3{1}, "CMD_give3+1+");
    // Host to windows.
    addSample("sendlogininfo", SendLoginInfo{2}, "CMD_sendlogininfo+2");
    addSample("chat", Chat::relayed("Ann", "hello there|clNavy"), "CMD_chat+Ann chats: hello there|clNavy");
    addSample("action", Action::relayed("Ann", "waves|$00FF8000"), "CMD_action+Ann waves|$00FF8000");
    addSample("newplayerinfo", NewPlayerInfo{3, "Bo+Cy"}, "CMD_newplayerinfo+3+Bo+Cy");
    addSample("havewrongversion", HaveWrongVersion{"Bo"}, "CMD_havewrongversion+Bo");
    addSample("wrongversion", WrongVersion{}, "CMD_wrongversion+");
    addSample("existingplayers", ExistingPlayers{1, "Ann"}, "CMD_existingplayers+1+Ann");
    addSample("playerdisconnected", PlayerDisconnected{2, "Bo"}, "CMD_playerdisconnected+2+Bo");
    addSample("justwatching", JustWatching{1, watchEnds}, "CMD_justwatching+1+2");
    addSample("nextplayer", NextPlayer{2, 4}, "CMD_nextplayer+2+4+");
    addSample("nextplayer, none left", NextPlayer{1, -1}, "CMD_nextplayer+1+-1+");
    addSample("winner", Winner{2}, "CMD_winner+2+");
    addSample("full", Full{}, "CMD_full+");
    addSample("letters", Letters{1, {{1, 5}, {2, 20}, {3, 9}, {4, 14}, {5, 1}}},
              "CMD_letters+1+1+5+2+20+3+9+4+14+5+1");
    addSample("letters, empty hand", Letters{2, {}}, "CMD_letters+2");
    addSample("newletter", NewLetter{2, 6, 26}, "CMD_newletter+2+6+26+");
    addSample("placemyletter", PlaceMyLetter{1, 3, 5, 12}, "CMD_placemyletter+1+3+5+12+");
    addSample("placemyletter, replayed", PlaceMyLetter{2, 0, 1, 1}, "CMD_placemyletter+2+0+1+1+");
    addSample("tradingmyletter", TradingMyLetter{1, 2, 0, 9, 7}, "CMD_tradingmyletter+1+2+0+9+7+");
    addSample("notvalid", NotValid{2}, "CMD_notvalid+2+");
    addSample("formedword", FormedWord{2, "cat", 5, 61}, "CMD_formedword+2+cat+5+61+");
    addSample("stoldletter", StoldLetter{2, 1, 4, 7, 3}, "CMD_stoldletter+2+1+4+7+3+");
    addSample("timeup", TimeUp{}, "CMD_timeup+");
    addSample("gamestats", GameStats{30, 200, 5, 48, 61}, "CMD_gamestats+30+200+5+48+61+");
    addSample("gamestats, easy computer", GameStats{30, 200, 5, 48, 61, ComputerLevel::Easy},
              "CMD_gamestats+30+200+5+48+61+easy+");
    addSample("toomany", TooMany{1}, "CMD_toomany+1+");
    addSample("giving3", Giving3{1, "Cy"}, "CMD_giving3+1+Cy+");
    addSample("giveback", GiveBack{"Ann"}, "CMD_giveback+Ann+");
    addSample("cantgive", CantGive{1}, "CMD_cantgive+1+");
    // Added later, ignored by windows and hosts that do not know them.
    addSample("logininfo with a seat key", LoginInfo{3, "1.0.2", "Bo+b", "0123456789abcdef0123456789abcdef"},
              "CMD_logininfo+3+1.0.2+Bo+b+0123456789abcdef0123456789abcdef");
    addSample("seatkey", SeatKey{2, "0123456789abcdef0123456789abcdef"},
              "CMD_seatkey+2+0123456789abcdef0123456789abcdef+");
    addSample("yourseat", YourSeat{2}, "CMD_yourseat+2+");
    addSample("earlierword", EarlierWord{2, "cat", 5}, "CMD_earlierword+2+cat+5+");
    addSample("turnstate", TurnState{1, 17, true, 5, 4}, "CMD_turnstate+1+17+1+5+4+");
    addSample("turnstate, clock stopped", TurnState{3, 0, false, 0, 10000}, "CMD_turnstate+3+0+0+0+10000+");
    addSample("tableclosed", TableClosed{}, "CMD_tableclosed+");
}

void MessagesTest::everyTypeEncodesTheWireBytesAndDecodesThemBack() {
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, expected);
    QFETCH(bool, roundTrip);
    QCOMPARE(encoded, expected);
    QVERIFY(roundTrip);
}

void MessagesTest::decodingChecksFieldsNumbersAndRanges_data() {
    QTest::addColumn<Decoder>("decoder");
    QTest::addColumn<QByteArray>("args");
    QTest::addColumn<bool>("valid");
    // Accepted as the handlers have always accepted them.
    addCase<PlaceMyLetterRequest>("no plus after the last field", "1+3+5", true);
    addCase<PlaceMyLetterRequest>("fields after the expected ones", "1+3+5+7+", true);
    addCase<LoginInfo>("login without version or name", "2", true);
    addCase<ChatRequest>("empty chat text", "2+", true);
    addCase<Letters>("letters with a plus after the last code", "1+1+5+", true);
    addCase<NextPlayer>("negative steals left", "1+-3+", true);
    addCase<StartGame>("empty starter name", "+30+200+5+", true);
    addCase<TimeUp>("timeup with stray fields", "x+", true);
    // Missing fields.
    addCase<LoginInfo>("login: empty", "", false);
    addCase<KickHim>("kickhim: no seat to remove", "1+", false);
    addCase<ChatRequest>("chat: no seat", "", false);
    addCase<PlaceMyLetterRequest>("place request: no cell", "1+3+", false);
    addCase<PlaceMyLetter>("place: no letter code", "1+3+5+", false);
    addCase<TradingMyLetter>("trade: no second code", "1+2+0+9+", false);
    addCase<StoldLetter>("steal: no letter code", "2+1+4+7+", false);
    addCase<Letters>("letters: slot without its code", "1+1+5+2", false);
    addCase<GameStats>("gamestats: no second score", "30+200+5+48+", false);
    addCase<StartGame>("startgame: no steals", "Ann+30+200+", false);
    addCase<FormedWord>("formedword: no score", "2+cat+5+", false);
    addCase<Giving3>("giving3: empty", "", false);
    addCase<CantGive>("cantgive: empty", "", false);
    addCase<SendLoginInfo>("sendlogininfo: empty", "", false);
    // Not numbers.
    addCase<SendLoginInfo>("seat with a letter", "2a", false);
    addCase<DiscardExtra>("slot as a word", "1+one+", false);
    addCase<NewLetter>("code with blanks", "1+2+ 3+", false);
    addCase<StartGame>("turn time over 32 bits", "Ann+99999999999+200+5+", false);
    addCase<NotValid>("seat as a word", "me+", false);
    // Out of range.
    addCase<ChatRequest>("seat 0", "0+hi|clRed", false);
    addCase<Winner>("seat 12", "12+", false);
    addCase<NewPlayerInfo>("negative seat", "-1+Ann", false);
    addCase<PlaceMyLetterRequest>("hand slot 0 from a window", "1+0+5+", false);
    addCase<DiscardExtra>("hand slot 7", "1+7+", false);
    addCase<PlaceMyLetter>("hand slot 7", "1+7+5+12+", false);
    addCase<DiscardLetter>("board cell 0", "1+0+", false);
    addCase<StealingHisLetter>("board cell 11", "2+11+3+", false);
    addCase<TradingMyLetterRequest>("second cell 11", "1+3+11+", false);
    addCase<NewLetter>("letter code 27", "1+2+27+", false);
    addCase<Letters>("letter code -1", "1+1+-1", false);
    addCase<StoldLetter>("robbed seat 0", "2+0+4+7+3+", false);
    addCase<JustWatch>("watch value 3", "1+3", false);
    addCase<JustWatch>("watch value with a plus", "1+1+", false);
    addCase<JustWatching>("watch value empty", "2+", false);
    addCase<SeatKey>("seat key of 31 digits", "2+0123456789abcdef0123456789abcde+", false);
    addCase<SeatKey>("seat key in capitals", "2+0123456789ABCDEF0123456789ABCDEF+", false);
    addCase<TurnState>("turnstate: clock neither 0 nor 1", "1+17+2+5+4+", false);
    addCase<TurnState>("turnstate: no steals of seat 2", "1+17+1+5+", false);
    addCase<EarlierWord>("earlierword: no points", "2+cat+", false);
}

void MessagesTest::loginKeepsTheNameWholeUnlessASeatKeyEndsIt_data() {
    QTest::addColumn<QByteArray>("args");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("key");
    const QByteArray key = "0123456789abcdef0123456789abcdef";
    QTest::newRow("name with plus") << QByteArray("2+1.0.2+Ann+Bo") << QByteArray("Ann+Bo") << QByteArray();
    QTest::newRow("key") << "3+1.0.2+Bob+" + key << QByteArray("Bob") << key;
    QTest::newRow("name with plus and key") << "3+1.0.2+Ann+Bo+" + key << QByteArray("Ann+Bo") << key;
    QTest::newRow("31 digits") << "3+1.0.2+Bob+" + key.chopped(1) << "Bob+" + key.chopped(1) << QByteArray();
    QTest::newRow("33 digits") << "3+1.0.2+Bob+7" + key << "Bob+7" + key << QByteArray();
    QTest::newRow("capitals") << "3+1.0.2+Bob+" + key.toUpper() << "Bob+" + key.toUpper() << QByteArray();
    QTest::newRow("digits without plus") << "3+1.0.2+Bob" + key << "Bob" + key << QByteArray();
}

void MessagesTest::loginKeepsTheNameWholeUnlessASeatKeyEndsIt() {
    QFETCH(QByteArray, args);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, key);
    const std::optional<LoginInfo> login = LoginInfo::decode(args);
    QVERIFY(login);
    QCOMPARE(login->name, name);
    QCOMPARE(login->seatKey, key);
}

void MessagesTest::decodingChecksFieldsNumbersAndRanges() {
    QFETCH(Decoder, decoder);
    QFETCH(QByteArray, args);
    QFETCH(bool, valid);
    QCOMPARE(decoder(args), valid);
}

void MessagesTest::typedHandlersGetValidMessagesOnly() {
    Dispatcher dispatcher;
    QList<ChatRequest> chats;
    dispatcher.on<ChatRequest>([&](const ChatRequest& m) { chats << m; });
    dispatcher.on(this, &MessagesTest::onPlace);
    QVERIFY(dispatcher.dispatch("CMD_chat+2+a+b|clRed"));
    QVERIFY(dispatcher.dispatch("CMD_placemyletter+1+3+5+12+"));
    QVERIFY(!dispatcher.dispatch("CMD_chat+x+hi"));
    QVERIFY(!dispatcher.dispatch("CMD_placemyletter+1+3+11+12+"));
    QCOMPARE(chats, QList<ChatRequest>{(ChatRequest{2, "a+b|clRed"})});
    QCOMPARE(m_placed, QList<PlaceMyLetter>{(PlaceMyLetter{1, 3, 5, 12})});
}

QTEST_GUILESS_MAIN(MessagesTest)
#include "tst_messages.moc"

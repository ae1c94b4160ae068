// SPDX-License-Identifier: MIT
#include "seatmessages.h"

#include "messagefields.h"
#include "protocol.h"

namespace quibo::msg {

namespace {

// The watch value is compared as text: the host has always obeyed exactly "1" and "2".
bool readWatchValue(FieldCursor& in, int& value) {
    const QByteArray text = in.rest();
    if (text == "1")
        value = watchStarts;
    else if (text == "2")
        value = watchEnds;
    else
        return false;
    return true;
}

} // namespace

bool isSeatKey(QByteArrayView text) {
    if (text.size() != seatKeyLength) return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

QByteArray LoginInfo::encode() const {
    if (seatKey.isEmpty()) return Message(command).field(seat).field(version).rest(name).bytes();
    return Message(command).field(seat).field(version).field(name).rest(seatKey).bytes();
}

std::optional<LoginInfo> LoginInfo::decode(QByteArrayView args) {
    FieldCursor in(args);
    LoginInfo m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.version = in.field();
    m.name = in.rest();
    const qsizetype keyStart = m.name.size() - seatKeyLength;
    if (keyStart >= 1 && m.name.at(keyStart - 1) == '+' &&
        isSeatKey(QByteArrayView(m.name).sliced(keyStart))) {
        m.seatKey = m.name.sliced(keyStart);
        m.name.truncate(keyStart - 1);
    }
    return m;
}

QByteArray KickHim::encode() const {
    return Message(command).field(seat).field(kicked).bytes();
}

std::optional<KickHim> KickHim::decode(QByteArrayView args) {
    FieldCursor in(args);
    KickHim m;
    if (!in.seat(m.seat) || !in.seat(m.kicked)) return std::nullopt;
    return m;
}

QByteArray ChatRequest::encode() const {
    return Message(command).field(seat).rest(text).bytes();
}

std::optional<ChatRequest> ChatRequest::decode(QByteArrayView args) {
    FieldCursor in(args);
    ChatRequest m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.text = in.rest();
    return m;
}

QByteArray ActionRequest::encode() const {
    return Message(command).field(seat).rest(text).bytes();
}

std::optional<ActionRequest> ActionRequest::decode(QByteArrayView args) {
    FieldCursor in(args);
    ActionRequest m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.text = in.rest();
    return m;
}

Chat Chat::relayed(const QByteArray& name, const QByteArray& text) {
    return Chat{name + " chats: " + text};
}

QByteArray Chat::encode() const {
    return Message(command).rest(line).bytes();
}

std::optional<Chat> Chat::decode(QByteArrayView args) {
    return Chat{args.toByteArray()};
}

Action Action::relayed(const QByteArray& name, const QByteArray& text) {
    return Action{name + ' ' + text};
}

QByteArray Action::encode() const {
    return Message(command).rest(line).bytes();
}

std::optional<Action> Action::decode(QByteArrayView args) {
    return Action{args.toByteArray()};
}

QByteArray JustWatch::encode() const {
    return Message(command).field(seat).rest(value).bytes();
}

std::optional<JustWatch> JustWatch::decode(QByteArrayView args) {
    FieldCursor in(args);
    JustWatch m;
    if (!in.seat(m.seat) || !readWatchValue(in, m.value)) return std::nullopt;
    return m;
}

QByteArray JustWatching::encode() const {
    return Message(command).field(seat).rest(value).bytes();
}

std::optional<JustWatching> JustWatching::decode(QByteArrayView args) {
    FieldCursor in(args);
    JustWatching m;
    if (!in.seat(m.seat) || !readWatchValue(in, m.value)) return std::nullopt;
    return m;
}

QByteArray Give3::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<Give3> Give3::decode(QByteArrayView args) {
    FieldCursor in(args);
    Give3 m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray SendLoginInfo::encode() const {
    return Message(command).rest(seat).bytes();
}

std::optional<SendLoginInfo> SendLoginInfo::decode(QByteArrayView args) {
    FieldCursor in(args);
    SendLoginInfo m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray NewPlayerInfo::encode() const {
    return Message(command).field(seat).rest(name).bytes();
}

std::optional<NewPlayerInfo> NewPlayerInfo::decode(QByteArrayView args) {
    FieldCursor in(args);
    NewPlayerInfo m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.name = in.rest();
    return m;
}

QByteArray ExistingPlayers::encode() const {
    return Message(command).field(seat).rest(name).bytes();
}

std::optional<ExistingPlayers> ExistingPlayers::decode(QByteArrayView args) {
    FieldCursor in(args);
    ExistingPlayers m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.name = in.rest();
    return m;
}

QByteArray PlayerDisconnected::encode() const {
    return Message(command).field(seat).rest(name).bytes();
}

std::optional<PlayerDisconnected> PlayerDisconnected::decode(QByteArrayView args) {
    FieldCursor in(args);
    PlayerDisconnected m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.name = in.rest();
    return m;
}

QByteArray HaveWrongVersion::encode() const {
    return Message(command).rest(name).bytes();
}

std::optional<HaveWrongVersion> HaveWrongVersion::decode(QByteArrayView args) {
    return HaveWrongVersion{args.toByteArray()};
}

QByteArray WrongVersion::encode() const {
    return Message(command).bytes();
}

// Messages without fields ignore whatever follows their "+".
std::optional<WrongVersion> WrongVersion::decode(QByteArrayView) {
    return WrongVersion{};
}

QByteArray ChatTooFast::encode() const {
    return Message(command).bytes();
}

std::optional<ChatTooFast> ChatTooFast::decode(QByteArrayView) {
    return ChatTooFast{};
}

QByteArray Full::encode() const {
    return Message(command).bytes();
}

std::optional<Full> Full::decode(QByteArrayView) {
    return Full{};
}

QByteArray Giving3::encode() const {
    return Message(command).field(seat).field(name).bytes();
}

std::optional<Giving3> Giving3::decode(QByteArrayView args) {
    FieldCursor in(args);
    Giving3 m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.name = in.field();
    return m;
}

QByteArray GiveBack::encode() const {
    return Message(command).field(name).bytes();
}

std::optional<GiveBack> GiveBack::decode(QByteArrayView args) {
    FieldCursor in(args);
    return GiveBack{in.field()};
}

QByteArray CantGive::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<CantGive> CantGive::decode(QByteArrayView args) {
    FieldCursor in(args);
    CantGive m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray SeatKey::encode() const {
    return Message(command).field(seat).field(key).bytes();
}

std::optional<SeatKey> SeatKey::decode(QByteArrayView args) {
    FieldCursor in(args);
    SeatKey m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.key = in.field();
    if (!isSeatKey(m.key)) return std::nullopt;
    return m;
}

QByteArray YourSeat::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<YourSeat> YourSeat::decode(QByteArrayView args) {
    FieldCursor in(args);
    YourSeat m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray TableClosed::encode() const {
    return Message(command).bytes();
}

std::optional<TableClosed> TableClosed::decode(QByteArrayView) {
    return TableClosed{};
}

} // namespace quibo::msg

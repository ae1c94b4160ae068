// SPDX-License-Identifier: MIT
// The typed messages about seats, login, chat, watching and the hand-over to seat 3.
//
// Every command of the protocol has a small type in namespace quibo::msg, named after the command in
// UpperCamelCase (cmd::newplayerinfo is msg::NewPlayerInfo), so the handler named after a command
// takes the type of the same name. A command whose fields differ between the two directions has two
// types: the window's form ends in Request (what a seat asks the host), the plain name is what the
// host sends to the windows (msg::ChatRequest and msg::Chat). A command with the same fields both
// ways has one type.
//
// Each type holds its fields as plain members (names and chat texts as the raw bytes that travel),
// knows its command name, builds its whole message with encode() and reads the text after
// "CMD_<name>+" with decode(), which answers nullopt for a message that is not valid: a number
// missing or malformed, or a seat out of range.
#pragma once

#include "commands.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace quibo::msg {

// The secret that gives a dropped seat back to its player: 128 random bits as 32 lower-case
// hexadecimal digits. Anything else is not a seat key.
inline constexpr qsizetype seatKeyLength = 32;
bool isSeatKey(QByteArrayView text);

// Window to host: the seat the window was given, its program version and its player's name.
//
// A window coming back after its connection broke adds the seat key its host gave it, as a last
// field after the name: CMD_logininfo+3+1.0.2+Bob+<32 hex digits>. The name runs to the end of the
// message and may hold "+", so the key is recognised only as exactly that tail: "+" and 32
// lower-case hexadecimal digits. A window sends the field only to a host that gave it a key, so a
// host that knows nothing of keys never sees it, and a name is read whole unless it ends in such a
// tail itself, which nobody types by chance.
struct LoginInfo {
    static constexpr const char* command = cmd::logininfo;
    int seat = 0;
    QByteArray version;
    QByteArray name;      // runs to the end, up to the key
    QByteArray seatKey{}; // empty: none presented
    QByteArray encode() const;
    static std::optional<LoginInfo> decode(QByteArrayView args);
    bool operator==(const LoginInfo&) const = default;
};

// Window to host: the hosting player removes a seat.
struct KickHim {
    static constexpr const char* command = cmd::kickhim;
    int seat = 0; // the sender
    int kicked = 0;
    QByteArray encode() const;
    static std::optional<KickHim> decode(QByteArrayView args);
    bool operator==(const KickHim&) const = default;
};

// Window to host: a chat line, "text|colour", to be relayed under the sender's name.
struct ChatRequest {
    static constexpr const char* command = cmd::chat;
    int seat = 0;
    QByteArray text; // runs to the end
    QByteArray encode() const;
    static std::optional<ChatRequest> decode(QByteArrayView args);
    bool operator==(const ChatRequest&) const = default;
};

// Window to host: an action line ("/me" or a phrase button), "text|colour".
struct ActionRequest {
    static constexpr const char* command = cmd::action;
    int seat = 0;
    QByteArray text; // runs to the end
    QByteArray encode() const;
    static std::optional<ActionRequest> decode(QByteArrayView args);
    bool operator==(const ActionRequest&) const = default;
};

// Host to windows: a chat line as everybody shows it, "<name> chats: <text>|colour".
struct Chat {
    static constexpr const char* command = cmd::chat;
    QByteArray line; // runs to the end
    static Chat relayed(const QByteArray& name, const QByteArray& text);
    QByteArray encode() const;
    static std::optional<Chat> decode(QByteArrayView args);
    bool operator==(const Chat&) const = default;
};

// Host to windows: an action line as everybody shows it, "<name> <text>|colour".
struct Action {
    static constexpr const char* command = cmd::action;
    QByteArray line; // runs to the end
    static Action relayed(const QByteArray& name, const QByteArray& text);
    QByteArray encode() const;
    static std::optional<Action> decode(QByteArrayView args);
    bool operator==(const Action&) const = default;
};

// Window to host: a player's seat starts (watchStarts) or stops (watchEnds) just watching. The value
// is the whole rest of the message and must be exactly "1" or "2".
struct JustWatch {
    static constexpr const char* command = cmd::justwatch;
    int seat = 0; // the seat concerned, not necessarily the sender's
    int value = 0;
    QByteArray encode() const;
    static std::optional<JustWatch> decode(QByteArrayView args);
    bool operator==(const JustWatch&) const = default;
};

// Host to windows: a seat now just watches or plays again; the same layout as JustWatch.
struct JustWatching {
    static constexpr const char* command = cmd::justwatching;
    int seat = 0;
    int value = 0;
    QByteArray encode() const;
    static std::optional<JustWatching> decode(QByteArrayView args);
    bool operator==(const JustWatching&) const = default;
};

// Window to host: the hosting player hands its turns to seat 3.
struct Give3 {
    static constexpr const char* command = cmd::give3;
    int seat = 0; // the sender
    QByteArray encode() const;
    static std::optional<Give3> decode(QByteArrayView args);
    bool operator==(const Give3&) const = default;
};

// Host to a new connection: its seat, with no "+" after it.
struct SendLoginInfo {
    static constexpr const char* command = cmd::sendlogininfo;
    int seat = 0;
    QByteArray encode() const;
    static std::optional<SendLoginInfo> decode(QByteArrayView args);
    bool operator==(const SendLoginInfo&) const = default;
};

// Host to windows: a seat and its player's name; the name runs to the end, so it may hold "+".
struct NewPlayerInfo {
    static constexpr const char* command = cmd::newplayerinfo;
    int seat = 0;
    QByteArray name;
    QByteArray encode() const;
    static std::optional<NewPlayerInfo> decode(QByteArrayView args);
    bool operator==(const NewPlayerInfo&) const = default;
};

// Host to a newcomer: one seat taken before it came; the same layout as NewPlayerInfo.
struct ExistingPlayers {
    static constexpr const char* command = cmd::existingplayers;
    int seat = 0;
    QByteArray name;
    QByteArray encode() const;
    static std::optional<ExistingPlayers> decode(QByteArrayView args);
    bool operator==(const ExistingPlayers&) const = default;
};

// Host to the others: a seat was left; the same layout as NewPlayerInfo.
struct PlayerDisconnected {
    static constexpr const char* command = cmd::playerdisconnected;
    int seat = 0;
    QByteArray name;
    QByteArray encode() const;
    static std::optional<PlayerDisconnected> decode(QByteArrayView args);
    bool operator==(const PlayerDisconnected&) const = default;
};

// Host to seat 1: a newcomer logged in with another program version.
struct HaveWrongVersion {
    static constexpr const char* command = cmd::havewrongversion;
    QByteArray name; // runs to the end
    QByteArray encode() const;
    static std::optional<HaveWrongVersion> decode(QByteArrayView args);
    bool operator==(const HaveWrongVersion&) const = default;
};

// Host to a newcomer whose version differs: "CMD_wrongversion+" without fields.
struct WrongVersion {
    static constexpr const char* command = cmd::wrongversion;
    QByteArray encode() const;
    static std::optional<WrongVersion> decode(QByteArrayView args);
    bool operator==(const WrongVersion&) const = default;
};

// Host to a connection refused for lack of seats: "CMD_full+" without fields.
struct Full {
    static constexpr const char* command = cmd::full;
    QByteArray encode() const;
    static std::optional<Full> decode(QByteArrayView args);
    bool operator==(const Full&) const = default;
};

// Host to windows: seat 1's turns now go to seat 3, whose name the windows show in seat 1's place.
struct Giving3 {
    static constexpr const char* command = cmd::giving3;
    int seat = 1; // always 1
    QByteArray name;
    QByteArray encode() const;
    static std::optional<Giving3> decode(QByteArrayView args);
    bool operator==(const Giving3&) const = default;
};

// Host to all but seat 3: seat 3 left during the hand-over; seat 1's own name comes back.
struct GiveBack {
    static constexpr const char* command = cmd::giveback;
    QByteArray name;
    QByteArray encode() const;
    static std::optional<GiveBack> decode(QByteArrayView args);
    bool operator==(const GiveBack&) const = default;
};

// Host to seat 1: there is nobody in seat 3 to hand the turns to.
struct CantGive {
    static constexpr const char* command = cmd::cantgive;
    int seat = 1; // always 1
    QByteArray encode() const;
    static std::optional<CantGive> decode(QByteArrayView args);
    bool operator==(const CantGive&) const = default;
};

// Host to one seat: it chats faster than a person types, so its chat and action lines are being
// dropped; sent once each time dropping begins. "CMD_chattoofast+" without fields.
struct ChatTooFast {
    static constexpr const char* command = cmd::chattoofast;
    QByteArray encode() const;
    static std::optional<ChatTooFast> decode(QByteArrayView args);
    bool operator==(const ChatTooFast&) const = default;
};

// Host to the player of seat 1 or 2, right after its login: the key that gives the seat back if the
// connection breaks, "CMD_seatkey+2+<32 hex digits>+". Only this window hears it.
struct SeatKey {
    static constexpr const char* command = cmd::seatkey;
    int seat = 0;
    QByteArray key;
    QByteArray encode() const;
    static std::optional<SeatKey> decode(QByteArrayView args);
    bool operator==(const SeatKey&) const = default;
};

// Host to a window that came back with its seat's key: the connection now holds that seat instead
// of the one its greeting offered, "CMD_yourseat+2+". Sent before the login is announced.
struct YourSeat {
    static constexpr const char* command = cmd::yourseat;
    int seat = 0;
    QByteArray encode() const;
    static std::optional<YourSeat> decode(QByteArrayView args);
    bool operator==(const YourSeat&) const = default;
};

// Host to every window when the host closes the table on purpose, right before it closes the
// connections: "CMD_tableclosed+" without fields.
struct TableClosed {
    static constexpr const char* command = cmd::tableclosed;
    QByteArray encode() const;
    static std::optional<TableClosed> decode(QByteArrayView args);
    bool operator==(const TableClosed&) const = default;
};

} // namespace quibo::msg

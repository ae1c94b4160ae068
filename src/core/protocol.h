// SPDX-License-Identifier: MIT
// Message building, framing, field reading and dispatch of the game's text protocol.
//
// A message is "CMD_<name>+", its fields, and the terminator byte 0xFF. Both the host and the player
// window cut received bytes into messages with a FrameSplitter per connection, queue them, and hand
// one queued message per timer tick to a Dispatcher. Text fields travel as UTF-8, which never
// contains the terminator byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcProtocol)

inline constexpr char messageTerminator = '\xFF';

// The longest message text a side accepts. A longer one, whole or still unterminated, means the
// peer is not a game window or host, and the connection is closed.
inline constexpr qsizetype maxMessageBytes = 64 * 1024;
// Unterminated data a connection may hold: no more than one message.
inline constexpr qsizetype maxUnterminatedBytes = maxMessageBytes;

// Builds one message. field() appends a value followed by "+"; rest() appends a value that runs to
// the end of the message (names, chat text, or a last field without "+").
class Message {
public:
    explicit Message(const char* command);

    Message& field(int value);
    Message& field(const QByteArray& value);
    Message& field(const char* value) { return field(QByteArray(value)); }
    Message& field(const QString& value);
    Message& rest(int value);
    Message& rest(const QByteArray& value);
    Message& rest(const char* value) { return rest(QByteArray(value)); }
    Message& rest(const QString& value);

    // The whole message, terminator included.
    QByteArray bytes() const;
    // The message text without its terminator, as it stands in a receive queue.
    const QByteArray& text() const { return m_text; }

private:
    QByteArray m_text;
};

// Cuts a connection's byte stream into message texts. Bytes after the last terminator are kept and
// joined with the next read, so a message split across reads arrives whole.
class FrameSplitter {
public:
    enum class Result { Ok, Overflow };

    // Calls onMessage for every complete message text in order. Answers Overflow, and drops the
    // kept bytes, at the first message (terminated or not) longer than maxMessageBytes; nothing
    // after it is handed on.
    Result feed(QByteArrayView bytes, const std::function<void(QByteArray)>& onMessage);
    void clear() { m_pending.clear(); }
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    QByteArray m_pending;
};

// A queued message with the connection it came on (0 where the side has one connection only).
struct QueuedMessage {
    QByteArray text;
    quint64 origin = 0;
    // When the message was cut into the queue (the host's queue timing).
    std::chrono::steady_clock::time_point arrived{};
};

// The receive queue: first in, first out.
class MessageQueue {
public:
    void push(QByteArray text, quint64 origin = 0);
    std::optional<QueuedMessage> takeFirst();
    // Drops every message still waiting from one connection (it has ended).
    void removeOrigin(quint64 origin);
    qsizetype size() const { return qsizetype(m_entries.size()); }
    qsizetype countFrom(quint64 origin) const;
    bool isEmpty() const { return m_entries.empty(); }
    void clear() { m_entries.clear(); }

private:
    std::deque<QueuedMessage> m_entries;
};

// Thrown by FieldReader when a field is missing or is not a decimal integer; the dispatcher logs it
// and drops the message.
class FieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a message's fields left to right: each up to the next "+", or the whole remainder for rest().
class FieldReader {
public:
    explicit FieldReader(QByteArrayView args)
        : m_rest(args.toByteArray()) {}

    QByteArray text();      // next field as raw bytes ("" when nothing is left)
    QString string();       // next field as UTF-8 text
    int number();           // next field as a decimal integer; throws FieldError otherwise
    QByteArray restBytes(); // everything left
    QString restString();   // everything left, as UTF-8 text
    bool atEnd() const { return m_rest.isEmpty(); }
    const QByteArray& remaining() const { return m_rest; }

private:
    QByteArray m_rest;
};

// Converts a decimal integer ("-12", "7"); anything else, or a value outside 32 bits, is nullopt.
std::optional<int> parseDecimal(QByteArrayView text);

// Splits a message text at its first "+": the command name and the argument text. Without "+" the
// command name is empty.
struct SplitMessage {
    QByteArray command;
    QByteArray args;
};
SplitMessage splitMessage(QByteArrayView text);

// A side's dispatch table: handlers are compared in table order, exactly and case-sensitively.
//
// A typed handler is registered for a message type M (a type of messages.h, which knows its command
// name and decodes its fields): on<M>(function) or on(object, &Class::handler) with a handler taking
// const M&. A message that M does not decode is logged and dropped before any handler runs.
class Dispatcher {
public:
    using Handler = std::function<void(const QByteArray& args)>;

    void add(const char* command, Handler handler);

    template <class M>
    void on(std::function<void(const M&)> handler) {
        addChecked(M::command, [handler = std::move(handler)](const QByteArray& args) {
            const std::optional<M> message = M::decode(args);
            if (!message) return false;
            handler(*message);
            return true;
        });
    }

    template <class M, class Object>
    void on(Object* object, void (Object::*handler)(const M&)) {
        on<M>([object, handler](const M& message) { (object->*handler)(message); });
    }

    // Hands one message text to its handler. Answers whether a handler ran to completion; a message
    // that does not decode, or a FieldError from an untyped handler, is logged and dropped.
    bool dispatch(QByteArrayView text) const;

private:
    // Answers false when the message was not valid.
    using CheckedHandler = std::function<bool(const QByteArray& args)>;
    struct Entry {
        QByteArray command;
        CheckedHandler handler;
    };

    void addChecked(const char* command, CheckedHandler handler);

    std::vector<Entry> m_entries;
};

} // namespace quibo

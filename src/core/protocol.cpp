// SPDX-License-Identifier: MIT
#include "protocol.h"

#include "peertext.h"

#include <algorithm>
#include <limits>

namespace quibo {

Q_LOGGING_CATEGORY(lcProtocol, "quibo.protocol")

Message::Message(const char* command)
    : m_text(command) {
    m_text += '+';
}

Message& Message::field(int value) {
    return field(QByteArray::number(value));
}

Message& Message::field(const QByteArray& value) {
    m_text += value;
    m_text += '+';
    return *this;
}

Message& Message::field(const QString& value) {
    return field(value.toUtf8());
}

Message& Message::rest(int value) {
    return rest(QByteArray::number(value));
}

Message& Message::rest(const QByteArray& value) {
    m_text += value;
    return *this;
}

Message& Message::rest(const QString& value) {
    return rest(value.toUtf8());
}

QByteArray Message::bytes() const {
    return m_text + messageTerminator;
}

FrameSplitter::Result FrameSplitter::feed(QByteArrayView bytes,
                                          const std::function<void(QByteArray)>& onMessage) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = bytes.indexOf(messageTerminator, start);
        // The bound holds however the bytes arrive: in one read, or joined from several.
        const qsizetype length = m_pending.size() + (end < 0 ? bytes.size() : end) - start;
        if (length > maxMessageBytes) {
            m_pending.clear();
            return Result::Overflow;
        }
        if (end < 0) break;
        if (m_pending.isEmpty()) {
            onMessage(bytes.sliced(start, end - start).toByteArray());
        } else {
            m_pending += bytes.sliced(start, end - start);
            onMessage(std::exchange(m_pending, QByteArray()));
        }
        start = end + 1;
    }
    m_pending += bytes.sliced(start);
    return Result::Ok;
}

void MessageQueue::push(QByteArray text, quint64 origin) {
    m_entries.push_back(QueuedMessage{std::move(text), origin});
}

std::optional<QueuedMessage> MessageQueue::takeFirst() {
    if (m_entries.empty()) return std::nullopt;
    QueuedMessage first = std::move(m_entries.front());
    m_entries.pop_front();
    return first;
}

void MessageQueue::removeOrigin(quint64 origin) {
    std::erase_if(m_entries, [origin](const QueuedMessage& m) { return m.origin == origin; });
}

qsizetype MessageQueue::countFrom(quint64 origin) const {
    return std::count_if(m_entries.begin(), m_entries.end(),
                         [origin](const QueuedMessage& m) { return m.origin == origin; });
}

QByteArray FieldReader::text() {
    const qsizetype plus = m_rest.indexOf('+');
    QByteArray value;
    if (plus < 0) {
        value = std::exchange(m_rest, QByteArray());
    } else {
        value = m_rest.left(plus);
        m_rest.remove(0, plus + 1);
    }
    return value;
}

QString FieldReader::string() {
    return QString::fromUtf8(text());
}

int FieldReader::number() {
    const QByteArray field = text();
    const std::optional<int> value = parseDecimal(field);
    // The text of the error reaches the log: escaped, as everything a peer sent.
    if (!value)
        throw FieldError("'" + escapedForLog(field.left(40)).toStdString() +
                         "' is not a valid integer value");
    return *value;
}

QByteArray FieldReader::restBytes() {
    return std::exchange(m_rest, QByteArray());
}

QString FieldReader::restString() {
    return QString::fromUtf8(restBytes());
}

std::optional<int> parseDecimal(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 12) return std::nullopt;
    bool negative = false;
    qsizetype i = 0;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
        if (text.size() == 1) return std::nullopt;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

SplitMessage splitMessage(QByteArrayView text) {
    const qsizetype plus = text.indexOf('+');
    if (plus < 0) return {};
    return {text.first(plus).toByteArray(), text.sliced(plus + 1).toByteArray()};
}

void Dispatcher::add(const char* command, Handler handler) {
    addChecked(command, [handler = std::move(handler)](const QByteArray& args) {
        handler(args);
        return true;
    });
}

void Dispatcher::addChecked(const char* command, CheckedHandler handler) {
    m_entries.push_back(Entry{QByteArray(command), std::move(handler)});
}

bool Dispatcher::dispatch(QByteArrayView text) const {
    const SplitMessage message = splitMessage(text);
    if (message.command.isEmpty()) return false;
    for (const Entry& entry : m_entries) {
        if (entry.command != message.command) continue;
        try {
            if (entry.handler(message.args)) return true;
            qCWarning(lcProtocol) << "dropped a" << message.command
                                  << "message that is not valid:" << message.args.left(40);
            return false;
        } catch (const FieldError& error) {
            qCWarning(lcProtocol) << "dropped" << message.command << "message:" << error.what();
            return false;
        }
    }
    qCDebug(lcProtocol) << "ignored unknown command" << message.command.left(40);
    return false;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// Fuzzes what a peer's bytes go through on either side before a handler sees them: cutting into
// messages, queueing per connection, and dispatch through the real message decoders of both
// directions. The input is split into reads of varying size and spread over three connections, one
// of which ends half-way. Every message that decodes must encode to bytes that decode to the same
// message again, so a handler never sees a value the sender could not have meant.
#include "hostmessages.h"
#include "messages.h"
#include "protocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace quibo;

namespace {

template <class M>
void expectRoundTrip(Dispatcher& dispatcher) {
    dispatcher.on<M>([](const M& message) {
        const QByteArray whole = message.encode();
        if (whole.isEmpty() || whole.back() != messageTerminator ||
            whole.indexOf(messageTerminator) != whole.size() - 1)
            std::abort();
        const SplitMessage split = splitMessage(QByteArrayView(whole).chopped(1));
        const std::optional<M> again = M::decode(split.args);
        if (split.command != QByteArray(M::command) || !again || !(*again == message)) std::abort();
    });
}

template <class... M>
Dispatcher dispatcherFor(MessageList<M...> = {}) {
    Dispatcher dispatcher;
    (expectRoundTrip<M>(dispatcher), ...);
    return dispatcher;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace msg;
    // What the host decodes, and what a player window decodes.
    static const Dispatcher host =
        dispatcherFor<LoginInfo, KickHim, ChatRequest, ActionRequest, JustWatch, StartGame,
                      PlaceMyLetterRequest, DiscardExtra, TradingMyLetterRequest, StealingHisLetter,
                      DiscardLetter, Give3>();
    static const Dispatcher window = dispatcherFor(HostMessages{});
    FrameSplitter splitters[3];
    MessageQueue queue;
    size_t pos = 0;
    quint64 read = 0;
    const auto handle = [](const QueuedMessage& message) {
        host.dispatch(message.text);
        window.dispatch(message.text);
    };
    while (pos < size) {
        // Each read: one control byte (read length and connection), then the bytes themselves.
        const uint8_t control = data[pos++];
        const size_t length = std::min<size_t>(size - pos, size_t(control % 64) + 1);
        const quint64 origin = (control >> 6) % 3;
        const QByteArrayView bytes(reinterpret_cast<const char*>(data + pos), qsizetype(length));
        pos += length;
        const auto result =
            splitters[origin].feed(bytes, [&](QByteArray text) { queue.push(std::move(text), origin); });
        if (result == FrameSplitter::Result::Overflow) queue.removeOrigin(origin);
        if (++read == 8) queue.removeOrigin(2);
        if (const auto message = queue.takeFirst()) handle(*message);
    }
    while (const auto message = queue.takeFirst())
        handle(*message);
    return 0;
}

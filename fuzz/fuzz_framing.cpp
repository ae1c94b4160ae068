// SPDX-License-Identifier: MIT
// Fuzzes what a peer's bytes go through on either side: cutting into messages, queueing per
// connection, and dispatch with field reading. The input is split into reads of varying size and
// spread over three connections, one of which ends half-way.
#include "commands.h"
#include "protocol.h"

#include <cstddef>
#include <cstdint>

using namespace quibo;

namespace {

Dispatcher makeDispatcher() {
    Dispatcher dispatcher;
    const auto numbers = [](const QByteArray& args) {
        FieldReader reader(args);
        while (!reader.atEnd())
            (void)reader.number();
    };
    const auto seatAndRest = [](const QByteArray& args) {
        FieldReader reader(args);
        (void)reader.number();
        (void)reader.restString();
    };
    dispatcher.add(cmd::logininfo, [](const QByteArray& args) {
        FieldReader reader(args);
        (void)reader.number();
        (void)reader.string();
        (void)reader.restString();
    });
    dispatcher.add(cmd::kickhim, numbers);
    dispatcher.add(cmd::chat, seatAndRest);
    dispatcher.add(cmd::action, seatAndRest);
    dispatcher.add(cmd::justwatch, seatAndRest);
    dispatcher.add(cmd::startgame, [](const QByteArray& args) {
        FieldReader reader(args);
        (void)reader.string();
        for (int i = 0; i < 3; ++i)
            (void)reader.number();
    });
    for (const char* command : {cmd::placemyletter, cmd::discardextra, cmd::tradingmyletter,
                                cmd::stealinghisletter, cmd::discardletter, cmd::give3, cmd::letters})
        dispatcher.add(command, numbers);
    return dispatcher;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Dispatcher dispatcher = makeDispatcher();
    FrameSplitter splitters[3];
    MessageQueue queue;
    size_t pos = 0;
    quint64 read = 0;
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
        if (const auto message = queue.takeFirst()) dispatcher.dispatch(message->text);
    }
    while (const auto message = queue.takeFirst())
        dispatcher.dispatch(message->text);
    return 0;
}

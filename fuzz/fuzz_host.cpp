// SPDX-License-Identifier: MIT
// Fuzzes the game host as players reach it: the real TServer with its framing, fair queue, dispatch
// table, relays, game rules and computer opponent, fed by in-process connections that have no
// socket. Each input is a script: bytes arriving on a connection (raw, or a well-formed command with
// fuzzed fields, so that logins, starts and moves are reached), queue ticks, turn-clock ticks,
// connections that open, close or break, and the host's deferred work. What the host sends goes to
// an in-memory outbox that checks every message leaves whole. Every message goes through the host's
// real decoders.
//
// One host serves every input: after each session it is reset to the state it was built in, so a
// crash found replays alone. With QUIBO_FUZZ_CHECK_RESET set, every input also plays on a freshly
// built host, and the run aborts if the two hosts sent different messages.
#include "fuzzscript.h"
#include "messages.h"
#include "tserver.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <memory>

using namespace quibo;
using quibo::fuzz::FuzzScript;

namespace {

// Nine seats, a tenth connection that is refused, and one more.
constexpr int connectionSlots = 11;

// The host with its wire replaced by a check of what it would send.
class RecordingHost : public TServer {
public:
    using TServer::TServer;
    void sendToSeat(int seat, const QByteArray& message) override {
        // One terminator, at the end: anything else would corrupt the peer's stream.
        if (!message.endsWith('\xFF') || message.count('\xFF') != 1) std::abort();
        if (!SeatTable::isSeat(seat) || !players()[seat].sock) return;
        // A seat key comes from the system's generator, so two hosts never send the same one.
        if (recording)
            transcript += QByteArray::number(seat) + ':' +
                          (message.startsWith(cmd::seatkey) ? QByteArray(cmd::seatkey) : message);
    }
    // What the host sent in this session, kept only while recording.
    bool recording = false;
    QByteArray transcript;
};

struct Environment {
    QTemporaryDir dir;
    QStringList candidates;
};

// A word file made of the computer's candidate words: small enough to open for every input, and
// words the computer can actually form.
void writeWordFile(const QString& directory, QStringList words) {
    words.sort();
    QByteArray records;
    for (const QString& word : words) {
        if (word.size() > 14) continue;
        records += '\x1E' + word.toUpper().toLatin1().leftJustified(14, ' ');
    }
    QFile file(directory + QStringLiteral("/English"));
    if (!file.open(QIODevice::WriteOnly) || file.write(records) != records.size()) std::abort();
}

Environment& environment() {
    static Environment* env = [] {
        auto* e = new Environment;
        if (!e->dir.isValid()) std::abort();
        // Every tenth candidate: the computer prepares its whole list whenever a host is made, and
        // a few hundred words play as well as thousands here.
        const QStringList all = loadCandidateWords();
        for (qsizetype i = 0; i < all.size(); i += 10)
            e->candidates.append(all.at(i));
        writeWordFile(e->dir.path(), e->candidates);
        return e;
    }();
    return *env;
}

// A command as a player window would send it, built by the message types themselves, with its
// numbers taken from the script (some out of range, for the host's decoders to refuse). The seat
// field is mostly the connection's own seat, sometimes any. Fields are drawn left to right.
QByteArray cannedCommand(FuzzScript& script, int ownSeat) {
    const auto seat = [&] {
        const int pick = script.next();
        return pick < 200 ? ownSeat : pick % 12;
    };
    const auto cell = [&] { return script.below(12); };
    const auto slot = [&] { return script.below(8); };
    switch (script.below(12)) {
    case 0: {
        const int sender = seat();
        const QByteArray version = script.below(8) ? programVersion : "0.9";
        return msg::LoginInfo{sender, version, "P" + QByteArray::number(script.below(100))}.encode();
    }
    case 1:
        return msg::KickHim{seat(), script.below(12)}.encode();
    case 2:
        return msg::ChatRequest{seat(), "hello|clNavy"}.encode();
    case 3:
        return msg::ActionRequest{seat(), "waves|$00FF8000"}.encode();
    case 4:
        return msg::JustWatch{script.below(4), script.below(3)}.encode();
    case 5: {
        static const int steals[] = {0, 1, 3, unlimitedSteals};
        static const std::optional<ComputerLevel> levels[] = {std::nullopt, ComputerLevel::Easy,
                                                              ComputerLevel::Normal, ComputerLevel::Strong};
        return msg::StartGame{"P", script.below(4), script.below(60), steals[script.below(4)],
                              levels[script.below(4)]}
            .encode();
    }
    case 6:
        return msg::PlaceMyLetterRequest{seat(), slot(), cell()}.encode();
    case 7:
        return msg::DiscardExtra{seat(), slot()}.encode();
    case 8:
        return msg::TradingMyLetterRequest{seat(), cell(), cell()}.encode();
    case 9:
        return msg::StealingHisLetter{seat(), cell(), cell()}.encode();
    case 10:
        return msg::DiscardLetter{seat(), cell()}.encode();
    default:
        return msg::Give3{seat()}.encode();
    }
}

// Letters on the table are always codes 0 to 26, whatever the players sent.
void checkTable(const TServer& host) {
    const auto isCode = [](int code) { return code >= 0 && code <= 26; };
    for (int seat = 1; seat <= SeatTable::recordCount; ++seat) {
        for (int code : host.players()[seat].hand)
            if (!isCode(code)) std::abort();
        for (int code : host.players()[seat].board)
            if (!isCode(code)) std::abort();
    }
    if (host.players().playercount < 0 || host.players().playercount > SeatTable::maxSeats) std::abort();
}

void runDeferredWork() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

HostConfig hostConfig(const Environment& env) {
    HostConfig config;
    config.workingDirectory = env.dir.path();
    config.dictionaryResource.clear();
    config.reportMissingDictionary = false;
    config.seed = 1;
    config.computerWords = env.candidates;
    config.maxQueuedPerConnection = 64;
    return config;
}

// One session of a script on a host; the connections it opens are the host's children.
class Session {
public:
    explicit Session(RecordingHost& host)
        : host(host) {}

    void run(FuzzScript& script) {
        while (!script.atEnd()) {
            step(script);
            checkTable(host);
        }
        // Whatever is still queued is handled, as the host would over the next ticks.
        for (int tick = 0; tick < 2000 && host.receivedlist().size() > 0; ++tick)
            host.socktimerTimer();
        runDeferredWork();
        checkTable(host);
    }

private:
    TSock* connection(int slot) {
        if (!connections[slot]) {
            connections[slot] = new TSock(&host);
            host.admit(connections[slot]);
        }
        return connections[slot];
    }

    void step(FuzzScript& script) {
        const uint8_t control = script.next();
        const int slot = (control >> 4) % connectionSlots;
        switch (control & 0x0F) {
        case 0:
        case 1:
            host.takeBytes(connection(slot), script.bytes(script.below(64) + 1));
            break;
        case 2:
        case 3:
        case 4: {
            TSock* sock = connection(slot);
            if (connections[slot]) host.takeBytes(sock, cannedCommand(script, sock->Tag));
            break;
        }
        case 5:
        case 6:
        case 7:
            for (int tick = script.below(8); tick >= 0; --tick)
                host.socktimerTimer();
            break;
        case 8:
        case 9:
            for (int tick = script.below(4); tick >= 0; --tick)
                host.turntimerTimer();
            break;
        case 10:
            // The peer closed: the connection's own close report.
            if (connections[slot]) host.tempsockDisconnect(connections[slot]);
            break;
        case 11:
            if (connections[slot])
                host.tempsockInfo(connections[slot], TSocketInfo::Error, socketErrorText(10054));
            break;
        case 12:
            host.disconnectsock(script.below(12));
            break;
        default:
            runDeferredWork();
            break;
        }
    }

    RecordingHost& host;
    std::array<QPointer<TSock>, connectionSlots> connections{};
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static auto* app = new QCoreApplication(*argc, *argv);
    Q_UNUSED(app);
    quibo::fuzz::quietLogging();
    environment();
    return 0;
}

namespace {

// Plays one input on a host and leaves the host as it was built.
void play(RecordingHost& host, const uint8_t* data, size_t size) {
    FuzzScript script(data, size);
    Session(host).run(script);
    runDeferredWork();
    host.resetTable();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool checkReset = qEnvironmentVariableIsSet("QUIBO_FUZZ_CHECK_RESET");
    // Never destroyed, like the application.
    static auto* host = new RecordingHost(hostConfig(environment()));
    host->recording = checkReset;
    host->transcript.clear();
    play(*host, data, size);
    if (checkReset) {
        RecordingHost fresh(hostConfig(environment()));
        fresh.recording = true;
        play(fresh, data, size);
        if (fresh.transcript != host->transcript) {
            std::fprintf(stderr, "the reset host sent %lld bytes, a fresh one %lld\n",
                         qlonglong(host->transcript.size()), qlonglong(fresh.transcript.size()));
            std::abort();
        }
    }
    return 0;
}

// A smaller quarantine and no fill of fresh blocks keep the host's many short-lived messages from
// being all page faults and memset (a freed block is still caught for the next 16 MB).
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

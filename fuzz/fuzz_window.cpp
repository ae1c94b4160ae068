// SPDX-License-Identifier: MIT
// Fuzzes the player window as a host reaches it: the real Tchat with its board panel, spectator list
// and tally window, offscreen, fed through its own receive path (the HostConnection's framing,
// bounded queue, and the typed decoders' dispatch on the queue timer's tick) with no socket underneath. Each
// input is a script: bytes from the host (raw, or a well-formed command with fuzzed fields, so that seats,
// games and moves are reached), queue and turn-clock ticks, a look at the tally, and the connection breaking
// or closing. Boxes the window opens are answered at once, so a refusal never waits for a person.
//
// One window serves every input: after each session it is reset to the state it was built in, so a
// crash found replays alone. With QUIBO_FUZZ_CHECK_RESET set, every input also plays on a freshly
// built window, and the run aborts if the two windows sent different messages or showed different
// chat lines.
#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "fuzzscript.h"
#include "hostconnection.h"
#include "hostmessages.h"
#include "messages.h"
#include "tablemodel.h"
#include "tchat.h"
#include "tspylist.h"
#include "ttallylist.h"
#include "windowreset.h"
#include "windowwiring.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <cstdio>
#include <memory>
#include <type_traits>

using namespace quibo;
using quibo::fuzz::FuzzScript;

namespace {

// Answers every dialog as soon as it is shown; its event loop then ends at its first turn.
class DialogAnswerer : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }
};

struct Environment {
    QTemporaryDir dir;
    DialogAnswerer answerer;
};

Environment& environment() {
    static Environment* env = [] {
        auto* e = new Environment;
        if (!e->dir.isValid()) std::abort();
        qApp->installEventFilter(&e->answerer);
        setErrorReporter([](const QString&) {});
        return e;
    }();
    return *env;
}

// Mostly the small numbers the protocol uses, sometimes one far outside them.
int number(FuzzScript& script) {
    static const int edges[] = {-1, 27, 100, 10000, 65536, INT_MAX, INT_MIN, -100000};
    const int pick = script.next();
    return pick < 224 ? pick % 14 : edges[pick % 8];
}

// A short text from the script: names, words and chat lines, markup and bars included.
QByteArray text(FuzzScript& script) {
    return script.bytes(script.below(20));
}

// A deal of up to eight letters; the number after the pairs is the code of one letter more.
QByteArray letters(FuzzScript& script) {
    msg::Letters message;
    message.seat = number(script);
    const int pairs = script.below(8);
    for (int i = 0; i < pairs; ++i) {
        const int slot = number(script);
        message.hand.push_back({slot, number(script)});
    }
    message.hand.push_back({pairs + 1, number(script)});
    return message.encode();
}

QByteArray formedWord(FuzzScript& script) {
    const QByteArray word = text(script);
    const int seat = number(script);
    const int points = number(script);
    return msg::FormedWord{seat, word, points, number(script)}.encode();
}

// Each message a host sends, built by its type with fields taken from the script (numbers often
// outside their range, so the decoders' checks are reached). One overload per type of HostMessages:
// a message added there without one here does not compile. Braced lists take the script's values
// left to right.
template <class M>
using Of = std::type_identity<M>;
QByteArray canned(FuzzScript& s, Of<msg::SendLoginInfo>) {
    return msg::SendLoginInfo{number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::Chat>) {
    const QByteArray name = text(s);
    return msg::Chat::relayed(name, text(s)).encode();
}
QByteArray canned(FuzzScript& s, Of<msg::Action>) {
    return msg::Action{text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::NewPlayerInfo>) {
    return msg::NewPlayerInfo{number(s), text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::HaveWrongVersion>) {
    return msg::HaveWrongVersion{text(s)}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::WrongVersion>) {
    return msg::WrongVersion{}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::ExistingPlayers>) {
    return msg::ExistingPlayers{number(s), text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::PlayerDisconnected>) {
    return msg::PlayerDisconnected{number(s), text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::JustWatching>) {
    return msg::JustWatching{number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::StartGame>) {
    return msg::StartGame{text(s), number(s), number(s), number(s), ComputerLevel(s.below(3))}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::NextPlayer>) {
    return msg::NextPlayer{number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::Winner>) {
    return msg::Winner{number(s)}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::Full>) {
    return msg::Full{}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::Letters>) {
    return letters(s);
}
QByteArray canned(FuzzScript& s, Of<msg::NewLetter>) {
    return msg::NewLetter{number(s), number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::PlaceMyLetter>) {
    return msg::PlaceMyLetter{number(s), number(s), number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::DiscardExtra>) {
    return msg::DiscardExtra{number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::DiscardLetter>) {
    return msg::DiscardLetter{number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::TradingMyLetter>) {
    return msg::TradingMyLetter{number(s), number(s), number(s), number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::NotValid>) {
    return msg::NotValid{number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::FormedWord>) {
    return formedWord(s);
}
QByteArray canned(FuzzScript& s, Of<msg::StoldLetter>) {
    return msg::StoldLetter{number(s), number(s), number(s), number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::TimeUp>) {
    return msg::TimeUp{}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::GameStats>) {
    return msg::GameStats{number(s), number(s), number(s), number(s), number(s), ComputerLevel(s.below(3))}
        .encode();
}
QByteArray canned(FuzzScript& s, Of<msg::TooMany>) {
    return msg::TooMany{number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::Giving3>) {
    return msg::Giving3{1, text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::GiveBack>) {
    return msg::GiveBack{text(s)}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::CantGive>) {
    return msg::CantGive{1}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::ChatTooFast>) {
    return msg::ChatTooFast{}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::SeatKey>) {
    const int seat = number(s);
    return msg::SeatKey{seat, s.below(2) ? QByteArray(msg::seatKeyLength, 'a') : text(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::YourSeat>) {
    return msg::YourSeat{number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::EarlierWord>) {
    const int seat = number(s);
    const QByteArray word = text(s);
    return msg::EarlierWord{seat, word, number(s)}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::TurnState>) {
    return msg::TurnState{number(s), number(s), s.below(2) == 1, number(s), number(s)}.encode();
}
QByteArray canned(FuzzScript&, Of<msg::TableClosed>) {
    return msg::TableClosed{}.encode();
}
QByteArray canned(FuzzScript& s, Of<msg::PasswordNeeded>) {
    return msg::PasswordNeeded{number(s)}.encode();
}

// A command as a host would send it: any type of HostMessages.
QByteArray cannedCommand(FuzzScript& script) {
    const int pick = script.below(int(HostMessages::size));
    int index = 0;
    QByteArray message;
    forEachMessage(HostMessages{}, [&]<class M>() {
        if (index++ == pick) message = canned(script, Of<M>{});
    });
    return message;
}

void runDeferredWork() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The single-shot timers of a session (a connection's greeting clock, a close after a notice) fire
// only from an event loop, which the fuzzer never runs; left alone, every input would add some.
void dropSingleShotTimers() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return;
    for (QObject* child : dispatcher->children()) {
        if (qstrcmp(child->metaObject()->className(), "QSingleShotTimer") == 0) delete child;
    }
}

// A player window with the windows the program attaches to it, wired as the program does. The
// window serves session after session: before each it is reset, with its spectator list and tally,
// to the state it was built in.
class Window {
public:
    explicit Window(const QString& directory)
        : directory(directory) {
        chat.setup().closeDelay = 0;
        QObject::connect(&chat, &Tchat::closed, [this] { closed = true; });
        QObject::connect(&chat, &Tchat::sentToHost, [this](const QByteArray& message) {
            if (recording) transcript += message;
        });
        QFile::remove(QDir(directory).filePath(QString::fromLatin1(Ttallylist::fileName)));
        spylist = new Tspylist(&chat);
        tally = new Ttallylist(directory, &chat);
        assembleWindows(chat, spylist, tally);
        built = std::make_unique<WindowReset>(chat, spylist, tally);
    }

    // Plays one input and leaves what the window sent and showed in transcript when recording.
    void play(const uint8_t* data, size_t size) {
        begin();
        FuzzScript script(data, size);
        while (!script.atEnd() && !closed)
            step(script);
        // Whatever is still queued is handled, as the window would over the next ticks.
        for (int tick = 0; tick < 2000 && !closed && chat.connection()->queuedMessages() > 0; ++tick)
            chat.connection()->Timer1Timer();
        runDeferredWork();
        if (recording) transcript += "\n--\n" + chat.chatView()->mainchat()->toPlainText().toUtf8();
        dropSingleShotTimers();
    }

    bool recording = false;
    QByteArray transcript;

private:
    void begin() {
        // Every input starts without a tally file, whatever the last one saved.
        QFile::remove(QDir(directory).filePath(QString::fromLatin1(Ttallylist::fileName)));
        // A window just built starts as it is, so that the check compares with a window never reset.
        if (used) built->reset();
        used = true;
        closed = false;
        transcript.clear();
        // The connection is up, as when the host's greeting is about to arrive.
        TSock* sock = chat.connection()->sock();
        Q_EMIT sock->OnConnect(sock);
    }

    void step(FuzzScript& script) {
        const uint8_t control = script.next();
        switch (control % 16) {
        case 0:
        case 1:
            chat.connection()->takeBytes(script.bytes(script.below(64) + 1));
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            chat.connection()->takeBytes(cannedCommand(script));
            break;
        case 6:
        case 7:
        case 8:
            for (int tick = script.below(8); tick >= 0 && !closed; --tick)
                chat.connection()->Timer1Timer();
            break;
        case 9:
            for (int tick = script.below(4); tick >= 0; --tick)
                chat.board()->turntimerTimer();
            break;
        case 10:
            tally->setSeats({chat.model()->seatName(1), chat.model()->seatName(2), chat.mynumber()});
            tally->loadchecklist();
            break;
        case 11: {
            TSock* sock = chat.connection()->sock();
            Q_EMIT sock->OnInfo(sock, TSocketInfo::Error, socketErrorText(10054));
            break;
        }
        case 12:
            chat.connection()->sock()->Close();
            break;
        default:
            runDeferredWork();
            break;
        }
    }

    QString directory;
    Tchat chat;
    Tspylist* spylist;
    Ttallylist* tally;
    std::unique_ptr<WindowReset> built;
    bool used = false;
    bool closed = false;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the toolkit's caches stay reachable until the process ends.
    static auto* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    quibo::fuzz::quietLogging();
    environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool checkReset = qEnvironmentVariableIsSet("QUIBO_FUZZ_CHECK_RESET");
    const QString directory = environment().dir.path();
    // Never destroyed, like the application.
    static auto* window = new Window(directory);
    window->recording = checkReset;
    window->play(data, size);
    runDeferredWork();
    if (checkReset) {
        QByteArray reused = window->transcript;
        {
            Window fresh(directory);
            fresh.recording = true;
            fresh.play(data, size);
            if (fresh.transcript != reused) {
                std::fprintf(stderr, "the reset window sent and showed:\n%s\na fresh one:\n%s\n",
                             reused.constData(), fresh.transcript.constData());
                std::abort();
            }
        }
        runDeferredWork();
    }
    return 0;
}

// fontconfig keeps a few allocations of its own for the life of the process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// A smaller quarantine and no fill of fresh blocks keep the window's many short-lived messages from
// being all page faults and memset (a freed block is still caught for the next 16 MB).
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

// SPDX-License-Identifier: MIT
// Fuzzes the player window as a host reaches it: the real Tchat with its board panel, spectator list
// and tally window, offscreen, fed through its own receive path (framing, queue, dispatch on the
// queue timer's tick) with no socket underneath. Each input is a script: bytes from the host (raw,
// or a well-formed command with fuzzed fields, so that seats, games and moves are reached), queue
// and turn-clock ticks, a look at the tally, and the connection breaking or closing. Boxes the
// window opens are answered at once, so a refusal never waits for a person.
#include "boardpanel.h"
#include "commands.h"
#include "errorreport.h"
#include "fuzzscript.h"
#include "hostconnection.h"
#include "tchat.h"
#include "tspylist.h"
#include "ttallylist.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <climits>

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

QByteArray letters(FuzzScript& script) {
    Message message(cmd::letters);
    message.field(number(script));
    const int pairs = script.below(8);
    for (int i = 0; i < pairs; ++i)
        message.field(number(script)).field(number(script));
    return message.rest(number(script)).bytes();
}

// A command as a host would send it, with its fields taken from the script.
QByteArray cannedCommand(FuzzScript& script) {
    const auto n = [&] { return number(script); };
    switch (script.below(24)) {
    case 0:
        return Message(cmd::sendlogininfo).rest(n()).bytes();
    case 1:
        return Message(cmd::chat).rest(text(script) + " chats: " + text(script)).bytes();
    case 2:
        return Message(cmd::action).rest(text(script)).bytes();
    case 3:
        return Message(cmd::newplayerinfo).field(n()).rest(text(script)).bytes();
    case 4:
        return Message(cmd::havewrongversion).rest(text(script)).bytes();
    case 5:
        return Message(cmd::wrongversion).bytes();
    case 6:
        return Message(cmd::existingplayers).field(n()).rest(text(script)).bytes();
    case 7:
        return Message(cmd::playerdisconnected).field(n()).rest(text(script)).bytes();
    case 8:
        return Message(cmd::justwatching).field(n()).rest(n()).bytes();
    case 9:
        return Message(cmd::startgame).field(text(script)).field(n()).field(n()).field(n()).bytes();
    case 10:
        return Message(cmd::nextplayer).field(n()).field(n()).bytes();
    case 11:
        return Message(cmd::winner).field(n()).bytes();
    case 12:
        return letters(script);
    case 13:
        return Message(cmd::newletter).field(n()).field(n()).field(n()).bytes();
    case 14:
        return Message(cmd::placemyletter).field(n()).field(n()).field(n()).field(n()).bytes();
    case 15:
        return Message(cmd::discardextra).field(n()).field(n()).bytes();
    case 16:
        return Message(cmd::discardletter).field(n()).field(n()).bytes();
    case 17:
        return Message(cmd::tradingmyletter).field(n()).field(n()).field(n()).field(n()).field(n()).bytes();
    case 18:
        return Message(script.below(2) ? cmd::notvalid : cmd::toomany).field(n()).bytes();
    case 19:
        return Message(cmd::formedword).field(text(script)).field(n()).field(n()).field(n()).bytes();
    case 20:
        return Message(cmd::stoldletter).field(n()).field(n()).field(n()).field(n()).field(n()).bytes();
    case 21:
        return Message(cmd::gamestats).field(n()).field(n()).field(n()).field(n()).field(n()).bytes();
    case 22:
        return Message(cmd::giving3).field(1).field(text(script)).bytes();
    default:
        switch (script.below(4)) {
        case 0:
            return Message(cmd::timeup).bytes();
        case 1:
            return Message(cmd::giveback).field(text(script)).bytes();
        case 2:
            return Message(cmd::cantgive).field(1).bytes();
        default:
            return Message(cmd::full).bytes();
        }
    }
}

void runDeferredWork() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One player window with the windows the program attaches to it, wired as the program does.
class Session {
public:
    explicit Session(const QString& directory)
        : tally(directory, &chat) {
        chat.setNoticeBox([](const QString&) {});
        chat.setCloseDelay(0);
        chat.setSpyList(&spylist);
        tally.setSeatProvider([this] {
            return Ttallylist::Seats{chat.seatLabelText(1), chat.seatLabelText(2), chat.mynumber()};
        });
        TchatHooks& hooks = chat.hooks();
        hooks.tallyWord = [this](const QString& word, int points) { tally.recordWord(word, points); };
        hooks.tallyWinner = [this](int displaySeat, const QString& winnerName) {
            tally.recordGame(displaySeat, winnerName, chat.mynumber());
        };
        QObject::connect(&chat, &Tchat::closed, [this] { closed = true; });
        // The connection is up, as when the host's greeting is about to arrive.
        TSock* sock = chat.connection()->sock();
        Q_EMIT sock->OnConnect(sock);
    }

    void run(FuzzScript& script) {
        while (!script.atEnd() && !closed)
            step(script);
        // Whatever is still queued is handled, as the window would over the next ticks.
        for (int tick = 0; tick < 2000 && !closed && chat.connection()->queuedMessages() > 0; ++tick)
            chat.connection()->Timer1Timer();
        runDeferredWork();
    }

private:
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
            tally.loadchecklist();
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

    Tchat chat;
    Tspylist spylist{&chat};
    Ttallylist tally;
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
    const QString directory = environment().dir.path();
    // Every input starts without a tally file, whatever the last one saved.
    QFile::remove(QDir(directory).filePath(QString::fromLatin1(Ttallylist::fileName)));
    FuzzScript script(data, size);
    {
        Session session(directory);
        session.run(script);
    }
    runDeferredWork();
    return 0;
}

// fontconfig keeps a few allocations of its own for the life of the process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Every input builds a window full of pictures: a smaller quarantine and no fill of fresh blocks
// keep that from being all page faults (a freed block is still caught for the next 16 MB).
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

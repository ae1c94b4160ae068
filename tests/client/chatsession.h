// SPDX-License-Identifier: MIT
// ChatSession: one player window joined to a ScriptedHost, for the player-window tests. Notices and
// error reports are recorded instead of shown, and a broken connection closes the window at once.
#pragma once

#include "chatentry.h"
#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "scriptedhost.h"
#include "tchat.h"
#include "tspylist.h"
#include "windowwiring.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextBlock>
#include <memory>

namespace quibo::test {

class ChatSession {
public:
    ChatSession() {
        host.listen();
        side.listen();
        port = host.port();
        sidePort = side.port();
        chat = std::make_unique<Tchat>();
        spylist = std::make_unique<Tspylist>();
        chat->setup().gamePort = port;
        chat->setup().sideChannelPort = sidePort;
        assembleWindows(*chat, spylist.get(), nullptr);
        chat->setup().closeDelay = 0;
        QObject::connect(chat.get(), &Tchat::noticeRequested,
                         [this](const QString& text) { notices << text; });
        closedSpy = std::make_unique<QSignalSpy>(chat.get(), &Tchat::closed);
    }

    // Starts the window with the command line of a joining (or hosting) copy.
    bool start(const QStringList& parameters) {
        chat->setup().parameters = parameters;
        chat->show();
        return host.waitForPeers(1);
    }

    // The host hands out the seat and announces the player; answers whether the login came.
    bool seat(int number, const QString& name) {
        host.send(msg::SendLoginInfo{number});
        if (!host.waitForMessage(0, textOf(msg::LoginInfo{number, programVersion, name.toUtf8()})))
            return false;
        host.send(msg::NewPlayerInfo{number, name.toUtf8()});
        return QTest::qWaitFor([&] { return hasLine(QStringLiteral("You are Connected.")); }, 20000);
    }

    QStringList lines() const {
        QStringList out;
        for (QTextBlock b = chat->chatView()->mainchat()->document()->begin(); b.isValid(); b = b.next())
            if (!b.text().isEmpty()) out << b.text();
        return out;
    }
    bool hasLine(const QString& line) const { return lines().contains(line); }
    bool waitForLine(const QString& line) {
        return QTest::qWaitFor([&] { return hasLine(line); }, 20000);
    }
    QTextBlock block(const QString& line) const {
        for (QTextBlock b = chat->chatView()->mainchat()->document()->begin(); b.isValid(); b = b.next())
            if (b.text() == line) return b;
        return {};
    }
    // The colour of a line (of its last character).
    QColor lineColour(const QString& line) const {
        const QTextBlock b = block(line);
        QTextCursor c(b);
        c.setPosition(b.position() + b.length() - 1);
        return c.charFormat().foreground().color();
    }

    QLabel* seatLabel(int seat) const {
        return qobject_cast<QLabel*>(chat->seatWidget(QStringLiteral("label_playername"), seat));
    }

    ScriptedHost host;
    ScriptedHost side;
    quint16 port = 0;
    quint16 sidePort = 0;
    std::unique_ptr<Tchat> chat;
    std::unique_ptr<Tspylist> spylist;
    std::unique_ptr<QSignalSpy> closedSpy;
    QStringList notices;
};

} // namespace quibo::test

// SPDX-License-Identifier: MIT
// TchatSetup: what the player window is given once by whoever builds the program (or a test):
// its command line, the game port, where the side connection goes, how its own host is started,
// the windows its menus open, the table's password, the remembered name and how long a broken
// connection's reason stays readable. The window reads it as it starts and changes only the
// password (the one the player types for a private table) and what a next table forgets.
#pragma once

#include "commands.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace quibo {

// What this copy's own host is for: a solo game, private to this machine (loopback, a port the
// system picks), or a table others join on the game port.
enum class HostingMode { Solo, Table };
// Makes the game host of this process listen for that mode and answers the port it listens on;
// throws ESockException when it cannot.
using HostStarter = std::function<quint16(HostingMode)>;

struct TchatSetup {
    QStringList parameters;
    quint16 gamePort = defaultGamePort;
    // Where the multi-player copy holds its side connection open.
    QString sideChannelHost = QStringLiteral("127.0.0.1");
    quint16 sideChannelPort = 9001;
    HostStarter hostStarter;
    QPointer<QWidget> help;
    QPointer<QWidget> download;
    // The password of the table this copy hosts (empty: a public table); its own window gives it too.
    QString tablePassword;
    // The name the player last used, for a start from a table link; empty when none is remembered.
    QString rememberedName;
    // How long a broken connection's reason stays readable before the window closes, in ms.
    int closeDelay = 1500;
};

} // namespace quibo

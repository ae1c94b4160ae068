// SPDX-License-Identifier: MIT
// The messages of a private table: the window gives the table's password before its login, and the
// host answers a login it does not seat for want of the password. A public table sends neither, and
// a peer that does not know them ignores them, so nothing changes between old and new copies at a
// table without a password; an old window at a private table is simply not seated.
#pragma once

#include "commands.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace quibo::msg {

// Window to host, right before its login: "CMD_tablepassword+<seat>+<password>", the password as
// UTF-8 to the end of the message.
struct TablePassword {
    static constexpr const char* command = cmd::tablepassword;
    int seat = 0;
    QByteArray password; // runs to the end
    QByteArray encode() const;
    static std::optional<TablePassword> decode(QByteArrayView args);
    bool operator==(const TablePassword&) const = default;
};

// Host to a window that it does not seat at its private table: "CMD_passwordneeded+<reason>+".
// The host closes the connection right after it.
struct PasswordNeeded {
    static constexpr const char* command = cmd::passwordneeded;
    enum Reason : int {
        Needed = 0,      // the login came without a password
        Wrong = 1,       // the password was not the table's (answered a second late)
        TooManyTries = 2 // this address gave wrong passwords too often; wait a minute
    };
    int reason = Needed;
    QByteArray encode() const;
    static std::optional<PasswordNeeded> decode(QByteArrayView args);
    bool operator==(const PasswordNeeded&) const = default;
};

} // namespace quibo::msg

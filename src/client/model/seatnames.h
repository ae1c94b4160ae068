// SPDX-License-Identifier: MIT
// The two names a seat shows when no player's name is there: one untranslated text each, as
// every window of the table keeps them alike. Only where a person reads them are they put in the
// window's language, together with the solo player's "You"; a player's own name stays as chosen.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace quibo {

// A playing seat's name while it waits for a player.
inline QString waitingSeatText() {
    return QStringLiteral("<Waiting>");
}
// The computer opponent's name, shown on a seat it plays.
inline QString computerPlayerName() {
    return QStringLiteral("Klot");
}

// The seat's name as this window shows it; `own` when it is the seat of the person at this window,
// whom alone "You" means.
inline QString shownSeatName(const QString& name, bool own) {
    if (name == waitingSeatText()) return QCoreApplication::translate("quibo::TableModel", "<Waiting>");
    if (own && name == QLatin1String("You")) return QCoreApplication::translate("quibo::TableModel", "You");
    return name;
}

} // namespace quibo

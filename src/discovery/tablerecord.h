// SPDX-License-Identifier: MIT
// TableRecord: what a table tells the local network about itself in its DNS-SD TXT record, and the
// two directions of that record: the host writes it, a start window reads it.
//
// Anyone on the local network can announce a service of this type with any TXT record, so reading
// is the untrusted direction: every field is cut to a length a list row shows, control and
// formatting characters are dropped, numbers outside a table's range are unknown, a key given
// twice counts the first time (as DNS-SD says), and at most maxTxtEntries entries are looked at.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quibo {

// The DNS-SD service type of a Quibo table.
inline constexpr char tableServiceType[] = "_quibo._tcp";

struct TableRecord {
    QString version;     // the protocol version the host speaks ("1.0.2")
    QString hostName;    // the hosting player's name; empty while seat 1 is free
    int seatsTaken = -1; // -1: not told
    int seatsFree = -1;
    bool playing = false;   // a game runs
    bool isPrivate = false; // a password is needed to sit down

    bool operator==(const TableRecord&) const = default;
};

// Bounds of what is read from a TXT record.
inline constexpr int maxTxtEntries = 16;
inline constexpr qsizetype maxHostNameCharacters = 40;
inline constexpr qsizetype maxVersionCharacters = 16;
inline constexpr int maxSeatCount = 99;
// The longest host name written, in bytes (a TXT entry holds at most 255).
inline constexpr qsizetype maxHostNameBytes = 63;

// The TXT entries ("key=value") that announce the record: txtvers, version, host, taken, free,
// game ("playing" or "waiting") and private ("yes" or "no").
QList<QByteArray> txtEntries(const TableRecord& record);
// The record a TXT record announces, read with the bounds above; keys are compared without regard
// to case, unknown keys are ignored.
TableRecord tableRecordFromTxt(const QList<QByteArray>& entries);
// The text with control, formatting and line-separating characters dropped, cut to maxCharacters:
// what a list row may show of a stranger's text.
QString listableText(const QString& text, qsizetype maxCharacters);

} // namespace quibo

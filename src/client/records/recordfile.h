// SPDX-License-Identifier: MIT
// RecordFile: a game record as text, and the text read back.
//
// Writing gives the header and the start lines (headerText), one line per event (eventLine) and the
// closing lines (cutShortLine, resultLine), so that the writer can append them as the game goes.
// Reading takes a whole file and answers the record or a refusal that names the line at fault.
//
// A record file may come from anywhere (mailed, edited, damaged, written by a later version), so
// reading trusts nothing: the file is read up to maxFileBytes and refused past it; the version line
// must be the first and name a version this program reads; every line is checked field by field
// (numbers in range, letter codes, seats, names and words bounded, every event a host message that
// decodes); at most maxEvents events and maxWordsPerSeat words per seat are taken. Any fault refuses
// the whole record: a record is never shown half.
#pragma once

#include "gamerecord.h"
#include "hostmessages.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quibo {

// The host's messages a record keeps: those that change the table. Chat, seat keys, passwords and
// refusals of a login are not kept.
using RecordedMessages =
    MessageList<msg::SendLoginInfo, msg::YourSeat, msg::NewPlayerInfo, msg::ExistingPlayers,
                msg::PlayerDisconnected, msg::JustWatching, msg::Giving3, msg::GiveBack, msg::StartGame,
                msg::Letters, msg::NewLetter, msg::NextPlayer, msg::PlaceMyLetter, msg::DiscardExtra,
                msg::DiscardLetter, msg::TradingMyLetter, msg::StoldLetter, msg::NotValid, msg::TooMany,
                msg::FormedWord, msg::TimeUp, msg::GameStats, msg::EarlierWord, msg::TurnState, msg::Winner>;

struct RecordReading {
    std::optional<GameRecord> record;
    QString refusal; // why the record was refused, naming the line; empty when it was read
};

class RecordFile {
public:
    // Bounds of a record: the writer stops taking events in past either, and the reader refuses a
    // file past them.
    static constexpr qsizetype maxEvents = 20000;
    static constexpr qsizetype maxFileBytes = 4 * 1024 * 1024;
    // The longest name or word kept in the header and start lines, in bytes.
    static constexpr qsizetype maxTextBytes = 200;

    // The first line of every record.
    static QByteArray versionLine(int version = GameRecord::formatVersion);

    // Everything up to the "events" line: version, header, start.
    static QByteArray headerText(const GameRecord& record);
    static QByteArray eventLine(const RecordEvent& event);
    static QByteArray cutShortLine();
    static QByteArray resultLine(const GameResult& result);
    // The whole record.
    static QByteArray text(const GameRecord& record);

    static RecordReading parse(const QByteArray& bytes);
    static RecordReading read(const QString& path);

    // A text made safe for one line: bytes that are not printable (controls, a lone "\", bytes that
    // are not valid UTF-8) are written as "\xHH". unescape is its inverse (nullopt for a broken escape).
    static QByteArray escape(QByteArrayView text);
    static std::optional<QByteArray> unescape(QByteArrayView text);
};

} // namespace quibo

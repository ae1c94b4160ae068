// SPDX-License-Identifier: MIT
#include "gamemessages.h"

#include "messagefields.h"
#include "protocol.h"

namespace quibo::msg {

QByteArray StartGame::encode() const {
    Message message(command);
    message.field(starter).field(turntime).field(targetscore).field(stealsallowed);
    if (level) message.field(levelText(*level));
    return message.bytes();
}

std::optional<StartGame> StartGame::decode(QByteArrayView args) {
    FieldCursor in(args);
    StartGame m;
    m.starter = in.field();
    if (!in.number(m.turntime) || !in.number(m.targetscore) || !in.number(m.stealsallowed))
        return std::nullopt;
    if (!in.atEnd()) m.level = levelFromText(in.field()).value_or(ComputerLevel::Normal);
    return m;
}

QByteArray PlaceMyLetterRequest::encode() const {
    return Message(command).field(seat).field(slot).field(cell).bytes();
}

std::optional<PlaceMyLetterRequest> PlaceMyLetterRequest::decode(QByteArrayView args) {
    FieldCursor in(args);
    PlaceMyLetterRequest m;
    if (!in.seat(m.seat) || !in.handSlot(m.slot) || !in.boardCell(m.cell)) return std::nullopt;
    return m;
}

QByteArray PlaceMyLetter::encode() const {
    return Message(command).field(seat).field(slot).field(cell).field(code).bytes();
}

std::optional<PlaceMyLetter> PlaceMyLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    PlaceMyLetter m;
    if (!in.seat(m.seat) || !in.number(m.slot, {0, handSlotNumbers.max}) || !in.boardCell(m.cell) ||
        !in.letterCode(m.code))
        return std::nullopt;
    return m;
}

QByteArray DiscardExtra::encode() const {
    return Message(command).field(seat).field(slot).bytes();
}

std::optional<DiscardExtra> DiscardExtra::decode(QByteArrayView args) {
    FieldCursor in(args);
    DiscardExtra m;
    if (!in.seat(m.seat) || !in.handSlot(m.slot)) return std::nullopt;
    return m;
}

QByteArray DiscardLetter::encode() const {
    return Message(command).field(seat).field(cell).bytes();
}

std::optional<DiscardLetter> DiscardLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    DiscardLetter m;
    if (!in.seat(m.seat) || !in.boardCell(m.cell)) return std::nullopt;
    return m;
}

QByteArray TradingMyLetterRequest::encode() const {
    return Message(command).field(seat).field(firstCell).field(secondCell).bytes();
}

std::optional<TradingMyLetterRequest> TradingMyLetterRequest::decode(QByteArrayView args) {
    FieldCursor in(args);
    TradingMyLetterRequest m;
    if (!in.seat(m.seat) || !in.boardCell(m.firstCell) || !in.boardCell(m.secondCell)) return std::nullopt;
    return m;
}

QByteArray TradingMyLetter::encode() const {
    return Message(command)
        .field(seat)
        .field(firstCell)
        .field(firstCode)
        .field(secondCell)
        .field(secondCode)
        .bytes();
}

std::optional<TradingMyLetter> TradingMyLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    TradingMyLetter m;
    if (!in.seat(m.seat) || !in.boardCell(m.firstCell) || !in.letterCode(m.firstCode) ||
        !in.boardCell(m.secondCell) || !in.letterCode(m.secondCode))
        return std::nullopt;
    return m;
}

QByteArray StealingHisLetter::encode() const {
    return Message(command).field(seat).field(hisCell).field(myCell).bytes();
}

std::optional<StealingHisLetter> StealingHisLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    StealingHisLetter m;
    if (!in.seat(m.seat) || !in.boardCell(m.hisCell) || !in.boardCell(m.myCell)) return std::nullopt;
    return m;
}

QByteArray StoldLetter::encode() const {
    return Message(command).field(seat).field(robbedSeat).field(myCell).field(hisCell).field(code).bytes();
}

std::optional<StoldLetter> StoldLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    StoldLetter m;
    if (!in.seat(m.seat) || !in.seat(m.robbedSeat) || !in.boardCell(m.myCell) || !in.boardCell(m.hisCell) ||
        !in.letterCode(m.code))
        return std::nullopt;
    return m;
}

QByteArray NextPlayer::encode() const {
    return Message(command).field(seat).field(stealsLeft).bytes();
}

std::optional<NextPlayer> NextPlayer::decode(QByteArrayView args) {
    FieldCursor in(args);
    NextPlayer m;
    if (!in.seat(m.seat) || !in.number(m.stealsLeft)) return std::nullopt;
    return m;
}

QByteArray Winner::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<Winner> Winner::decode(QByteArrayView args) {
    FieldCursor in(args);
    Winner m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray Letters::encode() const {
    Message message(command);
    if (hand.empty()) return message.rest(seat).bytes();
    message.field(seat);
    for (std::size_t i = 0; i + 1 < hand.size(); ++i)
        message.field(hand[i].slot).field(hand[i].code);
    return message.field(hand.back().slot).rest(hand.back().code).bytes();
}

std::optional<Letters> Letters::decode(QByteArrayView args) {
    FieldCursor in(args);
    Letters m;
    if (!in.seat(m.seat)) return std::nullopt;
    // Pairs run to the end of the message; a lone slot without its code makes the message invalid.
    while (!in.atEnd()) {
        HandLetter letter;
        if (!in.handSlot(letter.slot) || !in.letterCode(letter.code)) return std::nullopt;
        m.hand.push_back(letter);
    }
    return m;
}

QByteArray NewLetter::encode() const {
    return Message(command).field(seat).field(slot).field(code).bytes();
}

std::optional<NewLetter> NewLetter::decode(QByteArrayView args) {
    FieldCursor in(args);
    NewLetter m;
    if (!in.seat(m.seat) || !in.handSlot(m.slot) || !in.letterCode(m.code)) return std::nullopt;
    return m;
}

QByteArray NotValid::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<NotValid> NotValid::decode(QByteArrayView args) {
    FieldCursor in(args);
    NotValid m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray TooMany::encode() const {
    return Message(command).field(seat).bytes();
}

std::optional<TooMany> TooMany::decode(QByteArrayView args) {
    FieldCursor in(args);
    TooMany m;
    if (!in.seat(m.seat)) return std::nullopt;
    return m;
}

QByteArray FormedWord::encode() const {
    return Message(command).field(seat).field(word).field(points).field(score).bytes();
}

std::optional<FormedWord> FormedWord::decode(QByteArrayView args) {
    FieldCursor in(args);
    FormedWord m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.word = in.field();
    if (!in.number(m.points) || !in.number(m.score)) return std::nullopt;
    return m;
}

QByteArray TimeUp::encode() const {
    return Message(command).bytes();
}

std::optional<TimeUp> TimeUp::decode(QByteArrayView) {
    return TimeUp{};
}

QByteArray GameStats::encode() const {
    Message message(command);
    message.field(turntime).field(targetscore).field(stealsallowed).field(score1).field(score2);
    if (level != ComputerLevel::Normal) message.field(levelText(level));
    return message.bytes();
}

std::optional<GameStats> GameStats::decode(QByteArrayView args) {
    FieldCursor in(args);
    GameStats m;
    if (!in.number(m.turntime) || !in.number(m.targetscore) || !in.number(m.stealsallowed) ||
        !in.number(m.score1) || !in.number(m.score2))
        return std::nullopt;
    if (!in.atEnd()) m.level = levelFromText(in.field()).value_or(ComputerLevel::Normal);
    return m;
}

QByteArray EarlierWord::encode() const {
    return Message(command).field(seat).field(word).field(points).bytes();
}

std::optional<EarlierWord> EarlierWord::decode(QByteArrayView args) {
    FieldCursor in(args);
    EarlierWord m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.word = in.field();
    if (!in.number(m.points)) return std::nullopt;
    return m;
}

QByteArray TurnState::encode() const {
    return Message(command)
        .field(seat)
        .field(secondsLeft)
        .field(clockRunning ? 1 : 0)
        .field(stealsLeft1)
        .field(stealsLeft2)
        .bytes();
}

std::optional<TurnState> TurnState::decode(QByteArrayView args) {
    FieldCursor in(args);
    TurnState m;
    int running = 0;
    if (!in.seat(m.seat) || !in.number(m.secondsLeft) || !in.number(running, FieldRange{0, 1}) ||
        !in.number(m.stealsLeft1) || !in.number(m.stealsLeft2))
        return std::nullopt;
    m.clockRunning = running == 1;
    return m;
}

} // namespace quibo::msg

// SPDX-License-Identifier: MIT
// HostMessages: every message a host sends to a player window, in one list.
//
// The connection decodes exactly these and hands each to the handlers registered for its type
// (HostConnection::on); a handler for a type that is not listed does not compile, and a test checks
// that the window registers a handler for every listed type. The window's fuzz target builds its
// messages from the same list, so a message added here is fuzzed as well.
#pragma once

#include "messages.h"

#include <cstddef>
#include <type_traits>

namespace quibo {

template <class... M>
struct MessageList {
    static constexpr std::size_t size = sizeof...(M);
};

using HostMessages =
    MessageList<msg::SendLoginInfo, msg::Chat, msg::Action, msg::NewPlayerInfo, msg::HaveWrongVersion,
                msg::WrongVersion, msg::ExistingPlayers, msg::PlayerDisconnected, msg::JustWatching,
                msg::StartGame, msg::NextPlayer, msg::Winner, msg::Full, msg::Letters, msg::NewLetter,
                msg::PlaceMyLetter, msg::DiscardExtra, msg::DiscardLetter, msg::TradingMyLetter,
                msg::NotValid, msg::FormedWord, msg::StoldLetter, msg::TimeUp, msg::GameStats, msg::TooMany,
                msg::Giving3, msg::GiveBack, msg::CantGive, msg::ChatTooFast, msg::SeatKey, msg::YourSeat,
                msg::EarlierWord, msg::TurnState, msg::TableClosed, msg::PasswordNeeded>;

template <class M, class List>
inline constexpr bool isListed = false;
template <class M, class... L>
inline constexpr bool isListed<M, MessageList<L...>> = (std::is_same_v<M, L> || ...);

// Calls f.template operator()<M>() for every type of the list, in order.
template <class... M, class F>
void forEachMessage(MessageList<M...>, F&& f) {
    (f.template operator()<M>(), ...);
}

} // namespace quibo

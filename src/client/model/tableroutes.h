// SPDX-License-Identifier: MIT
// The host's messages about seats and the game, each registered once for the table model's handler
// of the same name.
#pragma once

namespace quibo {

class Dispatcher;
class HostConnection;
class TableModel;

void routeToModel(HostConnection& connection, TableModel& model);
// The same routes for messages that come from elsewhere than a host (a kept game's record).
void routeToModel(Dispatcher& dispatcher, TableModel& model);

} // namespace quibo

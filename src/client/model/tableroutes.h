// SPDX-License-Identifier: MIT
// The host's messages about seats and the game, each registered once for the table model's handler
// of the same name.
#pragma once

namespace quibo {

class HostConnection;
class TableModel;

void routeToModel(HostConnection& connection, TableModel& model);

} // namespace quibo

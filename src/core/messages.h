// SPDX-License-Identifier: MIT
// Every typed message of the protocol, for the host, the windows, the tests and the fuzz targets:
// include this one header. How the types are named and what their decoding checks is described atop
// seatmessages.h; the field ranges and the shared constants (unlimitedSteals, the watch values) are
// in messagefields.h. A dispatcher takes a typed handler with Dispatcher::on (protocol.h).
#pragma once

#include "gamemessages.h"
#include "messagefields.h"
#include "passwordmessages.h"
#include "protocol.h"
#include "seatmessages.h"

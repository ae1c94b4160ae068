// SPDX-License-Identifier: MIT
#include "tableroutes.h"

#include "hostconnection.h"
#include "tablemodel.h"

namespace quibo {

namespace {

template <class Router>
void routeAll(Router& c, TableModel& m) {
    using T = TableModel;
    c.on(&m, &T::sendlogininfo);
    c.on(&m, &T::yourseat);
    c.on(&m, &T::newplayerinfo);
    c.on(&m, &T::existingplayers);
    c.on(&m, &T::playerdisconnected);
    c.on(&m, &T::justwatching);
    c.on(&m, &T::giving3);
    c.on(&m, &T::giveback);
    c.on(&m, &T::startgame);
    c.on(&m, &T::letters);
    c.on(&m, &T::newletter);
    c.on(&m, &T::nextplayer);
    c.on(&m, &T::placemyletter);
    c.on(&m, &T::discardextra);
    c.on(&m, &T::discardletter);
    c.on(&m, &T::tradingmyletter);
    c.on(&m, &T::stoldletter);
    c.on(&m, &T::notvalid);
    c.on(&m, &T::toomany);
    c.on(&m, &T::formedword);
    c.on(&m, &T::timeup);
    c.on(&m, &T::gamestats);
    c.on(&m, &T::earlierword);
    c.on(&m, &T::turnstate);
    c.on(&m, &T::winner);
}

} // namespace

void routeToModel(HostConnection& c, TableModel& m) {
    routeAll(c, m);
}

void routeToModel(Dispatcher& d, TableModel& m) {
    routeAll(d, m);
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// TableBrowser in a build without the responder's library: nothing is ever found.
#include "tablebrowser.h"

namespace quibo {

struct TableBrowser::Private {
    bool browsing = false;
};

TableBrowser::TableBrowser(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>()) {}

TableBrowser::~TableBrowser() = default;

void TableBrowser::start() {
    d->browsing = true;
}

void TableBrowser::stop() {
    d->browsing = false;
}

bool TableBrowser::isBrowsing() const {
    return d->browsing;
}

QList<FoundTable> TableBrowser::tables() const {
    return {};
}

bool TableBrowser::isResponderRunning() const {
    return false;
}

bool TableBrowser::isBuiltIn() {
    return false;
}

} // namespace quibo

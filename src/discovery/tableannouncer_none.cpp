// SPDX-License-Identifier: MIT
// TableAnnouncer in a build without the responder's library: nothing is announced.
#include "tableannouncer.h"

namespace quibo {

struct TableAnnouncer::Private {};

TableAnnouncer::TableAnnouncer(const QString&, quint16, const TableRecord&, QObject* parent)
    : QObject(parent) {}

TableAnnouncer::~TableAnnouncer() = default;

void TableAnnouncer::setRecord(const TableRecord&) {}

QString TableAnnouncer::announcedName() const {
    return QString();
}

bool TableAnnouncer::isBuiltIn() {
    return false;
}

} // namespace quibo

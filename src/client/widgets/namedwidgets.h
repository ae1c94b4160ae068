// SPDX-License-Identifier: MIT
// widgets/: small helpers shared by the window's widgets (named lookups, plain text).
//
// Finding the window's named widgets and reading their tags.
//
// Widgets that exist once per seat or per position are found by their object name, compared without
// regard to letter case, at the moment they are needed: the seat-2 window renames the two seat sets
// when it logs in, so a pointer kept from before would point at the other seat. A widget's tag is the
// integer dynamic property "tag" (a tile's number, a name label's seat, the time per turn).
#pragma once

#include "seatnames.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace quibo {

inline constexpr char tagProperty[] = "tag";

// The first object of type T below root (at any depth) whose object name equals name, ignoring
// case: widgets and menu items alike.
template <typename T>
T* findNamed(const QObject* root, QStringView name) {
    if (!root) return nullptr;
    const QList<T*> all = root->findChildren<T*>();
    for (T* object : all) {
        if (object->objectName().compare(name, Qt::CaseInsensitive) == 0) return object;
    }
    return nullptr;
}

inline QWidget* findNamedWidget(const QObject* root, QStringView name) {
    return findNamed<QWidget>(root, name);
}

inline int widgetTag(const QObject* w) {
    return w ? w->property(tagProperty).toInt() : 0;
}
inline void setWidgetTag(QObject* w, int tag) {
    if (w) w->setProperty(tagProperty, tag);
}

} // namespace quibo

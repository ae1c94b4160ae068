// SPDX-License-Identifier: MIT
// Finding the window's named widgets and reading their tags.
//
// Widgets that exist once per seat or per position are found by their object name, compared without
// regard to letter case, at the moment they are needed: the seat-2 window renames the two seat sets
// when it logs in, so a pointer kept from before would point at the other seat. A widget's tag is the
// integer dynamic property "tag" (a tile's number, a name label's seat, the time per turn).
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace quibo {

inline constexpr char tagProperty[] = "tag";

// The first widget below root (at any depth) whose object name equals name, ignoring case.
inline QWidget* findNamedWidget(const QObject* root, QStringView name) {
    if (!root) return nullptr;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0) return w;
    }
    return nullptr;
}

template <typename T>
T* findNamed(const QObject* root, QStringView name) {
    return qobject_cast<T*>(findNamedWidget(root, name));
}

inline int widgetTag(const QObject* w) {
    return w ? w->property(tagProperty).toInt() : 0;
}
inline void setWidgetTag(QObject* w, int tag) {
    if (w) w->setProperty(tagProperty, tag);
}

} // namespace quibo

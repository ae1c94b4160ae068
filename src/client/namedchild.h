// SPDX-License-Identifier: MIT
// Finds a window's widgets and menu items by their fixed object name, compared without regard to
// letter case, as the numbered widget families ("b_phrase1", "N12", ...) are looked up.
#pragma once

#include <QObject>
#include <QString>

namespace quibo {

template <typename T>
T* findNamed(const QObject* root, const QString& name) {
    if (!root) return nullptr;
    const auto children = root->findChildren<T*>();
    for (T* child : children) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
    }
    return nullptr;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "announcer.h"

#include <QAccessible>

namespace quibo {

Announcer::Announcer(QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("label_announce"));
    setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleDescription(tr("Game events"));
}

void Announcer::announce(const QString& text) {
    QString line = text.simplified();
    if (line.size() > maxCharacters) line = line.left(maxCharacters - 1) + QChar(0x2026);
    if (line.isEmpty()) return;
    // The same line twice in a row (two words formed alike) is still news: the name is cleared first.
    if (accessibleName() == line) setAccessibleName(QString());
    setAccessibleName(line);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace quibo

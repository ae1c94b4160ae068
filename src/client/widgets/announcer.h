// SPDX-License-Identifier: MIT
// Announcer: a line that screen readers hear, for game events that happen away from the focus (a
// word formed, a steal, the own turn, the time nearly up).
//
// Qt 6.4 has no announcement event yet, so the announcer is a live label: a one-pixel label whose
// accessible name is the latest announcement; each announcement changes the name (NameChanged) and
// raises an Alert on it, which AT-SPI readers such as Orca speak. The texts come from the window's
// own game lines; a name from the table inside them is cut to one line of bounded length, so a
// stranger cannot make the reader recite a page. Owned by the window area it sits in.
#pragma once

#include <QLabel>

namespace quibo {

class Announcer : public QLabel {
    Q_OBJECT
public:
    static constexpr int maxCharacters = 200;

    explicit Announcer(QWidget* parent);
    void announce(const QString& text);
    QString lastAnnouncement() const { return accessibleName(); }
};

} // namespace quibo

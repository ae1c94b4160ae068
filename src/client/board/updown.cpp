// SPDX-License-Identifier: MIT
#include "updown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quibo {

UpDown::UpDown(const QString& name, QLineEdit* associate, int minimum, int maximum, int step, int position,
               QWidget* parent)
    : QWidget(parent)
    , m_associate(associate)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_step(step)
    , m_position(std::clamp(position, minimum, maximum)) {
    setObjectName(name);
    m_up->setObjectName(name + QStringLiteral("_up"));
    m_down->setObjectName(name + QStringLiteral("_down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    if (m_associate) m_associate->setText(QString::number(m_position));
}

void UpDown::setPositionQuietly(int value) {
    const int clamped = std::clamp(value, m_minimum, m_maximum);
    if (clamped == m_position) return;
    m_position = clamped;
    Q_EMIT positionChanged(m_position);
}

void UpDown::setPosition(int value) {
    setPositionQuietly(value);
    if (m_associate) m_associate->setText(QString::number(m_position));
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// UpDown: a pair of up and down arrows that steps a number shown in a read-only text field.
//
// The position moves by a fixed step between a lowest and a highest value and stops at both ends
// (no wrap-around); every change is written into the associated field as plain digits, without a
// thousands separator. Owned by the window that holds the field.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quibo {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const QString& name, QLineEdit* associate, int minimum, int maximum, int step, int position,
           QWidget* parent);

    int position() const { return m_position; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Moves to `value` brought into range and shows it in the field.
    void setPosition(int value);
    // Moves to `value` brought into range but leaves the field's text alone (the settings reader
    // shows the stored text as it was read).
    void setPositionQuietly(int value);
    void stepUp() { setPosition(m_position + m_step); }
    void stepDown() { setPosition(m_position - m_step); }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void positionChanged(int position);

private:
    QLineEdit* m_associate;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    int m_maximum;
    int m_step;
    int m_position;
};

} // namespace quibo

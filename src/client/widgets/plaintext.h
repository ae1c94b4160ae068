// SPDX-License-Identifier: MIT
// Showing text that comes from other players or from files: names, chat, phrases, tally entries.
//
// Such text is shown exactly as it is, never read as markup: a player named "<u>Zed</u>" shows the
// brackets, and an image tag in a name never makes this program read a file of its own disk. Every
// label, message box and tooltip of the player's windows that may show such text is made plain here.
#pragma once

#include <QMessageBox>
#include <QString>

class QLabel;
class QWidget;

namespace quibo {

// A label whose text is always plain text.
QLabel* makePlainLabel(const QString& text, QWidget* parent);

// A message box whose text is always plain text; the caller runs it (exec or open).
QMessageBox* makePlainMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                 QMessageBox::StandardButtons buttons, QWidget* parent);

// Shows a modal plain-text box and answers the button the player chose.
QMessageBox::StandardButton showPlainMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Makes the widget show its tooltip as plain text. A tooltip is otherwise shown as markup whenever
// its text looks like markup, and a widget's tooltip cannot be set plain.
void showToolTipAsPlainText(QWidget* widget);

} // namespace quibo

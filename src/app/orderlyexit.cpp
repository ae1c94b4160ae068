// SPDX-License-Identifier: MIT
#include "orderlyexit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLoggingCategory>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcExit, "quibo.app")

} // namespace

OrderlyExit::OrderlyExit(QObject* parent)
    : QObject(parent) {}

void OrderlyExit::request() {
    if (!m_requested) {
        m_requested = true;
        qCInfo(lcExit) << "ending on request";
        // From now on a box that opens is dismissed as soon as it shows.
        QCoreApplication::instance()->installEventFilter(this);
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && holdsItsOwnLoop(window)) dismiss(window);
    if (m_mainWindow) m_mainWindow->close();
    // Ends the event loop and every loop nested in it; before the loop runs, main() asks requested().
    QCoreApplication::exit(0);
}

bool OrderlyExit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Queued: the box's own loop is not running yet while it is being shown.
        if (widget->isWindow() && holdsItsOwnLoop(widget))
            QMetaObject::invokeMethod(
                widget, [widget] { dismiss(widget); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

bool OrderlyExit::holdsItsOwnLoop(const QWidget* widget) {
    return widget->windowType() == Qt::Popup || (qobject_cast<const QDialog*>(widget) && widget->isModal());
}

void OrderlyExit::dismiss(QWidget* widget) {
    if (auto* dialog = qobject_cast<QDialog*>(widget))
        dialog->reject();
    else
        widget->close();
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// Answers the next modal box a test expects: waits until one is open, lets the test look at it (and
// feed the window more work while it is open), then accepts it.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

namespace quibo::test {

struct ModalRecord {
    QString text;
    QString objectName;
    int opened = 0;
};

// Call before the action that opens the box. `whileOpen` runs inside the box's event loop.
inline std::shared_ptr<ModalRecord> closeNextModal(std::function<void(QWidget*)> whileOpen = {}) {
    auto record = std::make_shared<ModalRecord>();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, record, whileOpen, tries = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++tries > 3000) // the test's own checks report the missing box
                timer->deleteLater();
            return;
        }
        timer->stop();
        timer->deleteLater();
        ++record->opened;
        record->objectName = modal->objectName();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) record->text = box->text();
        QPointer<QWidget> guard(modal);
        if (whileOpen) whileOpen(modal);
        if (auto* dialog = qobject_cast<QDialog*>(guard.data())) dialog->accept();
    });
    timer->start();
    return record;
}

} // namespace quibo::test

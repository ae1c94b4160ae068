// SPDX-License-Identifier: MIT
#include "plaintext.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTextDocument>
#include <QToolTip>

namespace quibo {

namespace {

// Shows the tooltips of the widgets it watches with their text escaped, so that the tooltip
// shows the characters the widget holds. The widget keeps its tooltip text unchanged.
class PlainToolTipFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        const QString tip = widget->toolTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal), widget);
        return true;
    }
};

} // namespace

QLabel* makePlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QMessageBox* makePlainMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                 QMessageBox::StandardButtons buttons, QWidget* parent) {
    auto* box = new QMessageBox(icon, title, QString(), buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    return box;
}

QMessageBox::StandardButton showPlainMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                                const QString& text, QMessageBox::StandardButtons buttons) {
    // The parent may go while the box waits for the player, and takes the box with it.
    QPointer<QMessageBox> box = makePlainMessageBox(icon, title, text, buttons, parent);
    const auto answer = QMessageBox::StandardButton(box->exec());
    delete box.data();
    return answer;
}

void showToolTipAsPlainText(QWidget* widget) {
    if (widget) widget->installEventFilter(new PlainToolTipFilter(widget));
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "chatentry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace quibo {

ChatEntry::ChatEntry(QWidget* parent)
    : QLineEdit(parent) {
    setObjectName(QStringLiteral("mychat"));
    setText(promptText());
    m_popup = new QMenu(this);
    QAction* paste = m_popup->addAction(tr("Paste"));
    paste->setObjectName(QStringLiteral("Paste1"));
    connect(paste, &QAction::triggered, this, &ChatEntry::Paste1Click);
}

QString ChatEntry::promptText() {
    return tr("<Enter Chat Here>");
}

void ChatEntry::keyPressEvent(QKeyEvent* event) {
    if (text() == promptText()) clear();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatEntry::contextMenuEvent(QContextMenuEvent* event) {
    m_popup->popup(event->globalPos());
}

void ChatEntry::Paste1Click() {
    const QString clip = QApplication::clipboard()->text();
    if (!clip.isEmpty()) setText(clip);
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// ChatEntry: the player window's one-line chat entry (`mychat`).
//
// Owned by Tchat. Shows "<Enter Chat Here>" until the first key, swallows Enter and reports it as
// enterPressed so that Tchat can send the line, and offers Paste in its pop-up menu.
#pragma once

#include <QLineEdit>

class QAction;
class QMenu;

namespace quibo {

class ChatEntry : public QLineEdit {
    Q_OBJECT
public:
    explicit ChatEntry(QWidget* parent = nullptr);

    static QString promptText();

    // Replaces the whole entry with the clipboard's text, when it holds text.
    void Paste1Click();

Q_SIGNALS:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* m_popup = nullptr;
};

} // namespace quibo

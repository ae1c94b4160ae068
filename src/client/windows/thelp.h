// SPDX-License-Identifier: MIT
// Thelp: the help window ("Content" in the Help menu, F1). A list of pages on the left and the
// chosen page on the right: the object of the game, the moves, scoring, steals, spectators and
// chat, just watching and player 3, and how a game with other people is started. The texts are
// fixed; the letter worths are taken from the host's own table. Created once at start-up.
#pragma once

#include <QDialog>

class QListWidget;
class QTextBrowser;

namespace quibo {

class Thelp : public QDialog {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);

    int pageCount() const;
    // Shows page index (0-based); an index out of range is ignored.
    void showPage(int index);
    int currentPage() const;

private:
    QListWidget* m_pages;
    QTextBrowser* m_text;
    QStringList m_pageTexts;
};

} // namespace quibo

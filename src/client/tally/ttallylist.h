// SPDX-License-Identifier: MIT
// tally/: the tally of followed opponents, its window and its file.
//
// Ttallylist: the tally window. It keeps the local player's long-term statistics (own totals, best
// and longest word) and, per followed opponent, the games played and who won them, over all time and
// since the program started. The records live in a ten-column text grid that is read from the
// compressed tally file when the window is made and written back after every tallied game and when
// the window goes. The main window owns it for the life of the program, feeds it formed words and
// winners, and tells it who sits in the two playing seats.
#pragma once

#include "tallygrid.h"

#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace quibo {

class Ttallylist : public QWidget {
    Q_OBJECT
public:
    static constexpr char fileName[] = "quibotally.tld";

    // The names in the two playing seats, as the table model holds them, and the local player's seat.
    struct Seats {
        QString seat1;
        QString seat2;
        int mynumber = 0;
    };

    // Reads the tally from directory, or, when it is empty, from the per-user data location when a
    // tally exists there, else from the program's directory.
    explicit Ttallylist(const QString& directory = QString(), QWidget* parent = nullptr);
    // Saves the tally.
    ~Ttallylist() override;

    // Who sits where now: the list of current players is filled from it.
    void setSeats(const Seats& seats) { m_seats = seats; }
    // Reads the tally again as the constructor does, forgetting the seats; the widgets' own state
    // is brought back by WindowReset.
    void resetForNextTable();
    const TallyGrid& grid() const { return stringgrid_scores; }
    QString loadPath() const { return m_loadPath; }
    QString savePath() const { return m_savePath; }

    // What the game events call: a word the local player formed, and a winner. They apply the rules
    // for when a word replaces the longest or best one and for when a game is tallied: every game
    // the local player played in a seat counts in the own totals; spectators count nothing.
    void recordWord(const QString& word, int points);
    void recordGame(int winnerDisplaySeat, const QString& winnerName, int mynumber);

    void addgame(const QString& winner);
    void addword(const QString& word, int value, int column);
    void anotherword(int column);
    void addtomine(int column);
    int addit(int column, int row);
    void loadtally();
    void moverow(int row);
    void loadchecklist();
    // Writes the tally file; failures are logged and otherwise ignored. A tally file that could not
    // be read is first copied beside it as fileName + ".bad".
    bool save();

    // Where the tally file is read from and written to, given the program's and the user's
    // directories: the user's copy wins when it exists; an unwritable program directory is not used
    // for writing.
    static QString chooseLoadPath(const QString& programDir, const QString& userDir);
    static QString chooseSavePath(const QString& programDir, const QString& userDir);

private:
    void buildWidgets();
    void load();
    QString damagedCopyPath() const;
    bool keepUnreadableFile();
    void showOwnCount(int column);
    void showWord(int labelColumn, int wordColumn, int valueColumn);
    void listbox_tallyClick();
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void checklistClickCheck(QListWidgetItem* item);
    // The followed opponents, in the grid's order (row 1 on), which the list of followed names shows.
    QStringList followedNames() const;
    // The names in the playing seats other than the own, which the list of current players shows.
    QStringList opponentNames() const;
    QLabel* label(const QString& name) const;

    TallyGrid stringgrid_scores;
    QListWidget* listbox_tally = nullptr;
    QListWidget* checklist = nullptr;
    Seats m_seats;
    QStringList m_listedOpponents; // what the list of current players shows, in its order
    QString m_loadPath;
    QString m_savePath;
    QString m_unreadablePath; // read at start, failed, not yet kept as a copy
    bool m_filling = false;   // check boxes changed by the program, not the player
};

} // namespace quibo

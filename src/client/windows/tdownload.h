// SPDX-License-Identifier: MIT
// Tdownload: the start window, shown over the solo game at start-up and from File > "Host or Join a
// Game...". It offers the three ways on: keep playing solo, host a table (with the addresses and
// port at which the others join, and the word list the table plays with), or join a table at the host's
// address, typed or chosen from the tables found on the local network (TableList). Hosting and
// joining ask the program to start anew with the command line the lobby would give
// (startRequested); the name and the last host address are remembered in the settings file. Not
// modal. Whoever edits the settings file or types here could make a name an option of the
// restarted program: a name or an address that begins with "-" is refused, typed or read; an
// address in any other form than people write one (host, host:port, [IPv6]:port, or a table link)
// is refused with what is wrong. A table may be given a password (a private table); it is handed to
// the hosting copy out of sight of the command line and stored nowhere.
// Created once at start-up by main() and parented to the player window.
#pragma once

#include "settingsfile.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quibo {

class Tdownload : public QDialog {
    Q_OBJECT
public:
    // Settings keys of section "Quibo": the player's name and the last host address joined.
    static constexpr char nameKey[] = "PlayerName";
    static constexpr char addressKey[] = "LastHostAddress";
    // The word list a hosting copy plays with: "standard" or "large".
    static constexpr char dictionaryKey[] = "Dictionary";

    explicit Tdownload(QWidget* parent = nullptr);

    // Where the name and address are remembered; read at once. Without it nothing is remembered.
    void setSettings(const SettingsFile& settings);
    // The game port shown with the addresses for hosting.
    void setPort(quint16 port);

    // The command lines the lobby gives a hosting and a joining copy.
    static QStringList hostCommandLine(const QString& name);
    static QStringList joinCommandLine(const QString& name, const QString& address);

    // Shows the window; a non-empty name or address replaces what the fields hold.
    void offer(const QString& name, const QString& address);

    // The password typed for a table to host; empty for a public table.
    QString hostPassword() const;
    // The player's name as remembered in the settings file (empty if none or unusable).
    QString rememberedName() const { return m_rememberedName; }

    void button_hostClick();
    void button_joinClick();
    // "Play Solo Game": a name typed is remembered for solo games as well.
    void button_soloClick();

Q_SIGNALS:
    // The player typed a name and chose to play solo.
    void soloNameChosen(const QString& name);
    // The program should end this copy in order and start again with this command line.
    void startRequested(const QStringList& commandLine);

private:
    QWidget* createHostBox();
    QWidget* createJoinBox();
    // The name typed, or empty after telling the player it is needed.
    void fitToText();
    QString chosenName();
    void remember(const char* key, const QString& value);

    std::optional<SettingsFile> m_settings;
    quint16 m_port = 7772;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_password = nullptr;
    QString m_rememberedName;
    QComboBox* m_dictionary = nullptr;
    QLabel* m_addresses = nullptr;
    QLabel* m_problem = nullptr;
    QString m_savedProblem; // a saved name or address that was not used, and why
};

} // namespace quibo

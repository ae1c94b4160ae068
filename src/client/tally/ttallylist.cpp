// SPDX-License-Identifier: MIT
#include "ttallylist.h"

#include "compressionerror.h"
#include "errorreport.h"
#include "namedwidgets.h"
#include "plaintext.h"
#include "programfolders.h"
#include "tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcTally, "quibo.client")

const QString mineMarker = QStringLiteral("addtomine");
constexpr int columns = 10;
constexpr int longestColumn = 3;
constexpr int bestColumn = 5;
constexpr int wordsColumn = 7;
constexpr int gamesColumn = 1;
constexpr int winsColumn = 2;

QListWidgetItem* checkedItem(const QString& text, bool checked) {
    auto* item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

} // namespace

Ttallylist::Ttallylist(const QString& directory, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(tr("Quibo - Tally List"));
    buildWidgets();
    if (directory.isEmpty()) {
        const QString programDir = programFilesFolder();
        const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (programDir.isEmpty()) {
            // An installed copy: never beside the executable.
            m_loadPath = m_savePath = QDir(userDir).filePath(QString::fromLatin1(fileName));
        } else {
            m_loadPath = chooseLoadPath(programDir, userDir);
            m_savePath = chooseSavePath(programDir, userDir);
        }
    } else {
        m_loadPath = m_savePath = QDir(directory).filePath(QString::fromLatin1(fileName));
    }
    load();
}

Ttallylist::~Ttallylist() {
    save();
}

QString Ttallylist::chooseLoadPath(const QString& programDir, const QString& userDir) {
    const QString userFile = QDir(userDir).filePath(QString::fromLatin1(fileName));
    return QFile::exists(userFile) ? userFile : QDir(programDir).filePath(QString::fromLatin1(fileName));
}

QString Ttallylist::chooseSavePath(const QString& programDir, const QString& userDir) {
    const QString userFile = QDir(userDir).filePath(QString::fromLatin1(fileName));
    if (QFile::exists(userFile) || !QFileInfo(programDir).isWritable()) return userFile;
    return QDir(programDir).filePath(QString::fromLatin1(fileName));
}

void Ttallylist::load() {
    for (int c = 0; c < columns; ++c)
        stringgrid_scores.setCell(c, 0, QStringLiteral("0"));
    if (!QFile::exists(m_loadPath)) return;
    // The file is decoded in memory; no intermediate text file is written anywhere.
    try {
        QFile file(m_loadPath);
        if (!file.open(QIODevice::ReadOnly))
            throw CompressionError(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") +
                                   m_loadPath);
        stringgrid_scores.fromText(Tlzrw1::decompressBytes(file.readAll(), m_loadPath));
    } catch (const CompressionError& e) {
        qCWarning(lcTally).noquote() << "tally file cannot be read:" << e.message();
        QString text = e.message();
        // The save replaces this file; what it held is kept beside the new one, not thrown away.
        if (m_loadPath == m_savePath) {
            m_unreadablePath = m_loadPath;
            text +=
                QStringLiteral("\n\n") +
                tr("The unreadable file will be kept as %1 when the tally is saved.").arg(damagedCopyPath());
        }
        reportError(text);
        return;
    }
    loadtally();
}

QString Ttallylist::damagedCopyPath() const {
    return m_savePath + QStringLiteral(".bad");
}

bool Ttallylist::keepUnreadableFile() {
    // Once, before the first save replaces it; an older copy gives way to it.
    if (m_unreadablePath.isEmpty() || !QFileInfo::exists(m_unreadablePath)) return true;
    const QString copy = damagedCopyPath();
    if ((QFileInfo::exists(copy) || QFileInfo(copy).isSymLink()) && !QFile::remove(copy)) return false;
    if (!QFile::copy(m_unreadablePath, copy)) return false;
    qCInfo(lcTally) << "unreadable tally kept as" << copy;
    m_unreadablePath.clear();
    return true;
}

bool Ttallylist::save() {
    if (!keepUnreadableFile()) {
        qCWarning(lcTally) << "tally not saved: the unreadable tally could not be kept as"
                           << damagedCopyPath();
        return false;
    }
    // Written to a new file that replaces the old one only when complete, so a failed save leaves
    // the previous tally whole.
    try {
        QDir().mkpath(QFileInfo(m_savePath).absolutePath());
        QSaveFile file(m_savePath);
        const QByteArray packed = Tlzrw1::compressBytes(stringgrid_scores.toText());
        // Unbuffered, so a short write shows here: commit() alone has been seen to put a cut file
        // in place after its final flush failed.
        if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(packed) == packed.size() &&
            file.error() == QFileDevice::NoError && file.commit())
            return true;
        file.cancelWriting();
        qCWarning(lcTally) << "tally not saved:" << m_savePath << file.errorString();
    } catch (const CompressionError& e) {
        qCWarning(lcTally) << "tally not saved:" << e.message();
    }
    return false;
}

void Ttallylist::loadtally() {
    stringgrid_scores.setColumnCount(columns);
    for (const int c : {gamesColumn, winsColumn, wordsColumn})
        showOwnCount(c);
    // label column, word column, value column (the value is also the label's tag)
    for (const auto& [labelColumn, wordColumn, valueColumn] :
         {std::tuple{3, 3, 4}, std::tuple{8, 8, 9}, std::tuple{5, 5, 6}})
        if (!stringgrid_scores.cell(valueColumn, 0).isEmpty()) showWord(labelColumn, wordColumn, valueColumn);
    m_filling = true;
    for (int r = 1; r < stringgrid_scores.rowCount(); ++r) {
        listbox_tally->addItem(checkedItem(stringgrid_scores.cell(0, r), true));
        for (int c = 5; c <= 8; ++c)
            stringgrid_scores.setCell(c, r, QStringLiteral("0"));
    }
    m_filling = false;
}

void Ttallylist::recordWord(const QString& word, int points) {
    if (word.size() > label(QStringLiteral("mylabel_3"))->property("tag").toInt())
        addword(word, int(word.size()), longestColumn);
    if (points > label(QStringLiteral("mylabel_5"))->property("tag").toInt())
        addword(word, points, bestColumn);
    anotherword(wordsColumn);
}

void Ttallylist::recordGame(int winnerDisplaySeat, const QString& winnerName, int mynumber) {
    // Every game the local player finished counts in the own totals, whether or not the window was
    // ever opened; an opponent's record grows only once the player chose to follow them.
    if (winnerDisplaySeat == mynumber)
        addgame(mineMarker);
    else if (mynumber == 1 || mynumber == 2)
        addgame(winnerName);
}

void Ttallylist::addgame(const QString& winner) {
    loadchecklist();
    addtomine(gamesColumn);
    if (winner == mineMarker) {
        addit(winsColumn, 0);
        showOwnCount(winsColumn);
    }
    const QStringList followed = followedNames();
    for (const QString& name : std::as_const(m_listedOpponents)) {
        const int r = int(followed.indexOf(name)) + 1;
        if (r == 0) continue;
        for (int c = 1; c <= 8; ++c)
            if (stringgrid_scores.cell(c, r).isEmpty()) stringgrid_scores.setCell(c, r, QStringLiteral("0"));
        const int first = name == winner ? 2 : (winner == mineMarker ? 3 : 4);
        for (const int c : {1, 5, first, first + 4})
            addit(c, r);
    }
    if (listbox_tally->currentRow() >= 0) listbox_tallyClick();
    save();
}

void Ttallylist::addword(const QString& word, int value, int column) {
    stringgrid_scores.setCell(column, 0, word);
    stringgrid_scores.setCell(column + 1, 0, QString::number(value));
    showWord(column, column, column + 1);
}

void Ttallylist::anotherword(int column) {
    addit(column, 0);
    showOwnCount(column);
}

void Ttallylist::addtomine(int column) {
    addit(column, 0);
    showOwnCount(column);
}

int Ttallylist::addit(int column, int row) {
    bool ok = false;
    int value = stringgrid_scores.cell(column, row).toInt(&ok);
    // A damaged file may leave text in a counter; counting starts again from zero there.
    if (!ok) {
        qCWarning(lcTally) << "tally counter is not a number:" << stringgrid_scores.cell(column, row);
        value = 0;
    }
    stringgrid_scores.setCell(column, row, QString::number(++value));
    return value;
}

void Ttallylist::moverow(int row) {
    const int rows = stringgrid_scores.rowCount();
    if (rows > 2 && row <= rows - 2)
        for (int r = row + 1; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                stringgrid_scores.setCell(c, r - 1, stringgrid_scores.cell(c, r));
    if (rows > 1) stringgrid_scores.setRowCount(rows - 1);
}

void Ttallylist::loadchecklist() {
    m_filling = true;
    checklist->clear();
    const QStringList followed = followedNames();
    m_listedOpponents = opponentNames();
    for (const QString& name : std::as_const(m_listedOpponents))
        checklist->addItem(checkedItem(name, followed.contains(name)));
    m_filling = false;
}

void Ttallylist::listbox_tallyClick() {
    const int r = listbox_tally->currentRow() + 1;
    // The heading and the wins line name an opponent: without one selected they stay out of sight.
    const bool selected = r > 0 && r < stringgrid_scores.rowCount();
    for (const char* name : {"label_hisnametop", "label_hisname", "label_2", "label_6"})
        label(QLatin1String(name))->setVisible(selected);
    if (!selected) return;
    for (int c = 1; c <= 8; ++c)
        label(QStringLiteral("label_%1").arg(c))->setText(stringgrid_scores.cell(c, r));
    const QString name = stringgrid_scores.cell(0, r);
    label(QStringLiteral("label_hisname"))->setText(tr("%1 Wins:").arg(name));
    label(QStringLiteral("label_hisnametop"))->setText(tr("%1's Tally").arg(name));
}

void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item) {
    if (m_filling || item->checkState() == Qt::Checked) return;
    const int r = int(listbox_tally->row(item)) + 1;
    if (r <= 0 || r >= stringgrid_scores.rowCount()) return;
    const QString question =
        tr("This will delete ") + stringgrid_scores.cell(0, r) + tr("'s Tally, Are you want to delete it?");
    if (showPlainMessageBox(this, QMessageBox::Question, windowTitle(), question,
                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        moverow(r);
        delete item;
        return;
    }
    m_filling = true;
    item->setCheckState(Qt::Checked);
    m_filling = false;
}

void Ttallylist::checklistClickCheck(QListWidgetItem* item) {
    // Following starts when a name is ticked; clearing a tick never starts it.
    if (m_filling || item->checkState() != Qt::Checked) return;
    const int index = int(checklist->row(item));
    if (index < 0 || index >= m_listedOpponents.size()) return;
    const QString name = m_listedOpponents.at(index);
    if (followedNames().contains(name)) return;
    m_filling = true;
    listbox_tally->addItem(checkedItem(name, true));
    m_filling = false;
    const int r = stringgrid_scores.rowCount();
    stringgrid_scores.setRowCount(r + 1);
    stringgrid_scores.setCell(0, r, name);
    for (int c = 1; c < columns; ++c)
        stringgrid_scores.setCell(c, r, QStringLiteral("0"));
}

QStringList Ttallylist::followedNames() const {
    QStringList names;
    for (int r = 1; r < stringgrid_scores.rowCount(); ++r)
        names << stringgrid_scores.cell(0, r);
    return names;
}

QStringList Ttallylist::opponentNames() const {
    QStringList names;
    for (const auto& [seat, name] : {std::pair{1, m_seats.seat1}, std::pair{2, m_seats.seat2}})
        if (seat != m_seats.mynumber && name != waitingSeatText() && !name.isEmpty()) names << name;
    return names;
}

void Ttallylist::showOwnCount(int column) {
    label(QStringLiteral("mylabel_%1").arg(column))->setText(stringgrid_scores.cell(column, 0));
}

void Ttallylist::showWord(int labelColumn, int wordColumn, int valueColumn) {
    QLabel* target = label(QStringLiteral("mylabel_%1").arg(labelColumn));
    const QString value = stringgrid_scores.cell(valueColumn, 0);
    target->setText(stringgrid_scores.cell(wordColumn, 0) + QStringLiteral(" (") + value +
                    QStringLiteral(")"));
    target->setProperty("tag", value.toInt());
}

QLabel* Ttallylist::label(const QString& name) const {
    auto* found = findChild<QLabel*>(name);
    Q_ASSERT(found);
    return found;
}

} // namespace quibo

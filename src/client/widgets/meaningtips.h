// SPDX-License-Identifier: MIT
// MeaningTips: what a word means, where the player meets it: a tooltip over a word of a list (the
// words of "Your Words" and of the game summary), the text for the chat pane's tooltip over a
// "formed" line, and the chat lines that "/define WORD" shows.
//
// It asks the program's one WordMeanings, which opens the database only at the first question. The
// tooltip is markup made here, with every text from the database escaped. Without the database there
// is no tooltip, and "/define" says that no dictionary of meanings is installed. Created where the
// program is put together and handed to the windows that show words.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAbstractItemView;

namespace quibo {

class WordMeanings;

class MeaningTips : public QObject {
    Q_OBJECT
public:
    // List items name the word they show under this role.
    static constexpr int wordRole = Qt::UserRole + 17;

    explicit MeaningTips(WordMeanings* meanings, QObject* parent = nullptr);

    // The tooltip for a word: the word in bold, then up to three senses, one a line; empty when the
    // database has none (or is not installed).
    QString toolTipFor(const QString& word) const;

    // The first sense of a word as one line ("noun: a small restaurant ..."); empty when the
    // database has none.
    QString firstMeaning(const QString& word) const;

    // The chat lines for "/define WORD": one a sense ("CAFE, noun: ..."), or one line saying why
    // there are none.
    QStringList defineLines(const QString& word) const;

    // Shows the meaning of an item's word (wordRole) while the pointer rests on it.
    void watch(QAbstractItemView* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WordMeanings* m_meanings = nullptr;
};

} // namespace quibo

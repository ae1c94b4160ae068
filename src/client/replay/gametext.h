// SPDX-License-Identifier: MIT
// GameText: a kept game as plain text, one line a move or a word ("Ann placed R in cell 2.",
// "Ann formed CRATE for 14."), for the clipboard.
//
// It follows a table model's events while a replay feeds the whole record through it, and keeps
// the lines in order. One line answers one event, so the record reader's bound on events bounds the
// text. A plain helper that lives as long as the export takes.
#pragma once

#include "messages.h"

#include <QObject>
#include <QStringList>

namespace quibo {

class TableModel;

class GameText : public QObject {
    Q_OBJECT
public:
    explicit GameText(const TableModel& model, QObject* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    QString wholeText() const { return m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n'); }

private:
    QString nameOf(int seat) const;
    void add(const QString& line) { m_lines.append(line); }

    const TableModel& m_model;
    QStringList m_lines;
};

} // namespace quibo

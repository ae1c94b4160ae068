// SPDX-License-Identifier: MIT
// TallyGrid: a table of text cells addressed by column and row, the data behind the tally window's
// hidden score grid, with its plain text form: the column count, the row count, then one line per
// cell, column by column, every line ending in CR LF. The tally window owns one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace quibo {

class TallyGrid {
public:
    static constexpr int defaultColumns = 10;
    // A damaged or hostile file may state any counts; cells beyond these bounds are dropped.
    static constexpr int maxColumns = 64;
    static constexpr int maxRows = 4096;

    TallyGrid();

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    // Resizing keeps the cells that still fit; new cells are empty. Counts are clamped to 1..max.
    void setColumnCount(int columns);
    void setRowCount(int rows);

    // Cells outside the grid read as empty and ignore writes.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    QByteArray toText() const;
    // Replaces the grid with a text form. A count that is not a number fails with a
    // CompressionError and leaves the grid unchanged; missing cell lines leave cells empty.
    void fromText(QByteArrayView text);

    void saveToFile(const QString& fileName) const;
    void loadFromFile(const QString& fileName);

private:
    int index(int column, int row) const { return row * m_columns + column; }

    int m_columns = defaultColumns;
    int m_rows = 1;
    QList<QString> m_cells;
};

} // namespace quibo

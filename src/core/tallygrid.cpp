// SPDX-License-Identifier: MIT
#include "tallygrid.h"

#include "compressionerror.h"

#include <QFile>
#include <QStringDecoder>

namespace quibo {
namespace {

// Older files hold 8-bit Windows text; ours are UTF-8. Text that is not valid UTF-8 is read as Latin-1.
QString decodeLine(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (utf8.hasError()) return QString::fromLatin1(line);
    return text;
}

int parseCount(QByteArrayView line) {
    bool ok = false;
    const int value = line.toByteArray().trimmed().toInt(&ok);
    if (!ok || value < 0)
        throw CompressionError(QStringLiteral("'%1' is not a valid integer value").arg(decodeLine(line)));
    return value;
}

QList<QByteArrayView> splitLines(QByteArrayView text) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

TallyGrid::TallyGrid()
    : m_cells(m_columns * m_rows) {}

void TallyGrid::setColumnCount(int columns) {
    columns = qBound(1, columns, maxColumns);
    QList<QString> cells(columns * m_rows);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < qMin(columns, m_columns); ++c)
            cells[r * columns + c] = m_cells[index(c, r)];
    m_columns = columns;
    m_cells = std::move(cells);
}

void TallyGrid::setRowCount(int rows) {
    m_rows = qBound(1, rows, maxRows);
    m_cells.resize(m_columns * m_rows);
}

QString TallyGrid::cell(int column, int row) const {
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows) return {};
    return m_cells[index(column, row)];
}

void TallyGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows) return;
    m_cells[index(column, row)] = text;
}

QByteArray TallyGrid::toText() const {
    QByteArray text = QByteArray::number(m_columns) + "\r\n" + QByteArray::number(m_rows) + "\r\n";
    for (int c = 0; c < m_columns; ++c) {
        for (int r = 0; r < m_rows; ++r) {
            // A line break inside a cell would shift every later cell when read back.
            QString cellText = m_cells[index(c, r)];
            cellText.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
            text += cellText.toUtf8() + "\r\n";
        }
    }
    return text;
}

void TallyGrid::fromText(QByteArrayView text) {
    const QList<QByteArrayView> lines = splitLines(text);
    const int columns = parseCount(lines.value(0));
    const int rows = parseCount(lines.value(1));
    TallyGrid loaded;
    loaded.m_columns = qBound(1, columns, maxColumns);
    loaded.m_rows = qBound(1, rows, maxRows);
    loaded.m_cells = QList<QString>(loaded.m_columns * loaded.m_rows);
    // Lines are placed by the stated counts, so a capped grid still gets each kept cell right.
    const qint64 cellLines = qMin<qint64>(lines.size() - 2, qint64(columns) * rows);
    for (qint64 k = 0; k < cellLines; ++k) {
        const qint64 column = k / rows;
        const qint64 row = k % rows;
        if (column < loaded.m_columns && row < loaded.m_rows)
            loaded.m_cells[loaded.index(int(column), int(row))] = decodeLine(lines[qsizetype(k + 2)]);
    }
    *this = std::move(loaded);
}

void TallyGrid::saveToFile(const QString& fileName) const {
    QFile file(fileName);
    const QByteArray text = toText();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush())
        throw CompressionError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TallyGrid::loadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw CompressionError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    fromText(file.readAll());
}

} // namespace quibo

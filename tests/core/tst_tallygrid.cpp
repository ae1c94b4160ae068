// SPDX-License-Identifier: MIT
#include "compressionerror.h"
#include "tallygrid.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quibo;

class TallyGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textIsWrittenColumnByColumn();
    void textSurvivesAFileRoundTrip();
    void countsThatAreNotNumbersFailAndKeepTheGrid_data();
    void countsThatAreNotNumbersFailAndKeepTheGrid();
    void missingLinesLeaveCellsEmpty();
    void absurdCountsAreCappedWithCellsInPlace();
};

void TallyGridTest::textIsWrittenColumnByColumn() {
    TallyGrid grid;
    grid.setRowCount(2);
    for (int c = 0; c < 10; ++c) {
        grid.setCell(c, 0, QString::number(c));
        grid.setCell(c, 1, QString::number(c * 10));
    }
    grid.setCell(0, 1, QStringLiteral("Ann\r\nBo"));
    QByteArray expected = "10\r\n2\r\n0\r\nAnn  Bo\r\n";
    for (int c = 1; c < 10; ++c)
        expected += QByteArray::number(c) + "\r\n" + QByteArray::number(c * 10) + "\r\n";
    QCOMPARE(grid.toText(), expected);
}

void TallyGridTest::textSurvivesAFileRoundTrip() {
    QTemporaryDir dir;
    TallyGrid grid;
    grid.setRowCount(3);
    grid.setCell(0, 2, QStringLiteral("Zoë"));
    grid.setCell(9, 1, QStringLiteral("7"));
    grid.saveToFile(dir.filePath("grid.txt"));
    TallyGrid back;
    back.loadFromFile(dir.filePath("grid.txt"));
    QCOMPARE(back.rowCount(), 3);
    QCOMPARE(back.cell(0, 2), QStringLiteral("Zoë"));
    QCOMPARE(back.cell(9, 1), QStringLiteral("7"));
    QCOMPARE(back.toText(), grid.toText());
}

void TallyGridTest::countsThatAreNotNumbersFailAndKeepTheGrid_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("columns") << QByteArray("ten\r\n1\r\n");
    QTest::newRow("rows") << QByteArray("10\r\n\r\n0\r\n");
    QTest::newRow("negative") << QByteArray("10\r\n-3\r\n");
}

void TallyGridTest::countsThatAreNotNumbersFailAndKeepTheGrid() {
    QFETCH(QByteArray, text);
    TallyGrid grid;
    grid.setCell(3, 0, QStringLiteral("kept"));
    QVERIFY_THROWS_EXCEPTION(CompressionError, grid.fromText(text));
    QCOMPARE(grid.cell(3, 0), QStringLiteral("kept"));
}

void TallyGridTest::missingLinesLeaveCellsEmpty() {
    TallyGrid grid;
    grid.fromText("10\n2\nme\nAnn\n5");
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.cell(0, 1), QStringLiteral("Ann"));
    QCOMPARE(grid.cell(1, 0), QStringLiteral("5"));
    QCOMPARE(grid.cell(1, 1), QString());
    QCOMPARE(grid.cell(9, 1), QString());
}

void TallyGridTest::absurdCountsAreCappedWithCellsInPlace() {
    TallyGrid grid;
    grid.fromText("10\r\n2000000000\r\nme\r\nAnn\r\n");
    QCOMPARE(grid.rowCount(), TallyGrid::maxRows);
    QCOMPARE(grid.cell(0, 1), QStringLiteral("Ann"));
    grid.fromText("99999\r\n1\r\na\r\nb\r\n");
    QCOMPARE(grid.columnCount(), TallyGrid::maxColumns);
    QCOMPARE(grid.cell(1, 0), QStringLiteral("b"));
}

QTEST_GUILESS_MAIN(TallyGridTest)
#include "tst_tallygrid.moc"

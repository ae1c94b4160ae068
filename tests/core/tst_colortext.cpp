// SPDX-License-Identifier: MIT
#include "colortext.h"

#include <QTest>

using namespace quibo;

class ColorTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyNameRoundTrips();
    void plainValuesAreWrittenAsHex();
    void readingAcceptsNamesInAnyCaseDecimalAndHex_data();
    void readingAcceptsNamesInAnyCaseDecimalAndHex();
};

void ColorTextTest::everyNameRoundTrips() {
    const QList<QByteArray> names{
        "clBlack",        "clMaroon",      "clGreen",         "clOlive",
        "clNavy",         "clPurple",      "clTeal",          "clGray",
        "clSilver",       "clRed",         "clLime",          "clYellow",
        "clBlue",         "clFuchsia",     "clAqua",          "clWhite",
        "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
        "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
        "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
        "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
        "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
        "clInfoBk",       "clNone"};
    QCOMPARE(names.size(), 42);
    for (const QByteArray& name : names) {
        const auto value = colorFromText(name);
        QVERIFY2(value.has_value(), name.constData());
        QCOMPARE(colorToText(*value), name);
    }
    QCOMPARE(*colorFromText("clBtnFace"), systemColorBase + 15);
    QCOMPARE(*colorFromText("clNone"), colorNone);
}

void ColorTextTest::plainValuesAreWrittenAsHex() {
    QCOMPARE(colorToText(0x00FFC080), QByteArray("$00FFC080"));
    QCOMPARE(colorToText(0x000001), QByteArray("$00000001"));
    QCOMPARE(colorToText(colorStatus), QByteArray("$0083621B"));
    QCOMPARE(*colorFromText(colorToText(0x00123456)), 0x00123456u);
}

void ColorTextTest::readingAcceptsNamesInAnyCaseDecimalAndHex_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("value");
    QTest::newRow("lower-case name") << QByteArray("clred") << true << 0x0000FFu;
    QTest::newRow("upper-case name") << QByteArray("CLNAVY") << true << 0x800000u;
    QTest::newRow("dollar hex") << QByteArray("$000000FF") << true << 0x0000FFu;
    QTest::newRow("decimal") << QByteArray("255") << true << 0x0000FFu;
    QTest::newRow("empty") << QByteArray("") << false << 0u;
    QTest::newRow("unknown name") << QByteArray("clNavy|x") << false << 0u;
    QTest::newRow("bad hex") << QByteArray("$00GG00") << false << 0u;
    QTest::newRow("bare dollar") << QByteArray("$") << false << 0u;
}

void ColorTextTest::readingAcceptsNamesInAnyCaseDecimalAndHex() {
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(uint, value);
    const auto read = colorFromText(text);
    QCOMPARE(read.has_value(), valid);
    if (valid) QCOMPARE(*read, value);
}

QTEST_GUILESS_MAIN(ColorTextTest)
#include "tst_colortext.moc"

// SPDX-License-Identifier: MIT
#include "tablerecord.h"

#include "peertext.h"

#include <QHash>

namespace quibo {

QList<QByteArray> txtEntries(const TableRecord& record) {
    const auto number = [](int value) { return QByteArray::number(value < 0 ? 0 : value); };
    return {
        QByteArrayLiteral("txtvers=1"),
        "version=" + record.version.toUtf8(),
        "host=" + cutToBytes(record.hostName.toUtf8(), maxHostNameBytes),
        "taken=" + number(record.seatsTaken),
        "free=" + number(record.seatsFree),
        QByteArray("game=") + (record.playing ? "playing" : "waiting"),
        QByteArray("private=") + (record.isPrivate ? "yes" : "no"),
    };
}

namespace {

// A seat count of one or two digits; -1 for anything else.
int seatCount(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 2) return -1;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && value <= maxSeatCount && text.front() != '+' && text.front() != '-' ? value
                                                                                                   : -1;
}

} // namespace

QString listableText(const QString& text, qsizetype maxCharacters) {
    QString shown;
    for (const char32_t c : text.toUcs4()) {
        if (shown.size() >= maxCharacters * 2) break; // every kept character is at most two units
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
            category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned)
            continue;
        shown.append(QString::fromUcs4(&c, 1));
    }
    return cutToCharacters(shown, maxCharacters);
}

TableRecord tableRecordFromTxt(const QList<QByteArray>& entries) {
    QHash<QByteArray, QByteArray> values;
    for (qsizetype i = 0; i < entries.size() && i < maxTxtEntries; ++i) {
        const QByteArray& entry = entries.at(i);
        const qsizetype equals = entry.indexOf('=');
        const QByteArray key = (equals < 0 ? entry : entry.left(equals)).toLower();
        if (!values.contains(key)) values.insert(key, equals < 0 ? QByteArray() : entry.mid(equals + 1));
    }
    TableRecord record;
    record.version = listableText(QString::fromUtf8(values.value("version")), maxVersionCharacters);
    record.hostName = listableText(QString::fromUtf8(values.value("host")), maxHostNameCharacters);
    record.seatsTaken = seatCount(values.value("taken"));
    record.seatsFree = seatCount(values.value("free"));
    record.playing = values.value("game") == "playing";
    record.isPrivate = values.value("private") == "yes";
    return record;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// The format is line based: a key, a space and its fields, separated by single spaces; a name or a
// word is the last field and runs to the end of the line. Texts are escaped (escape) so that every
// record is one line per item, whatever a player called themselves.
#include "recordfile.h"

#include "boundedfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <cctype>

namespace quibo {

namespace {

const QByteArray versionKey = QByteArrayLiteral("Quibo game record");
const QByteArray eventsKey = QByteArrayLiteral("events");
const QByteArray cutShortKey = QByteArrayLiteral("cut short");

QString tr(const char* text) {
    return QCoreApplication::translate("quibo::RecordFile", text);
}

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

QByteArray codes(const auto& row) {
    QByteArray out;
    for (const int code : row)
        out += ' ' + number(code);
    return out;
}

QByteArray bytesOf(const QString& text) {
    return RecordFile::escape(text.toUtf8().left(RecordFile::maxTextBytes));
}

QByteArray optionFields(const GameOptions& o) {
    return number(o.turntime) + ' ' + number(o.targetscore) + ' ' + number(o.stealsallowed) + ' ' +
           levelText(o.level);
}

// Whether a message text is one a record keeps and decodes as such.
bool decodesAsRecorded(QByteArrayView text) {
    const SplitMessage split = splitMessage(text);
    bool ok = false;
    forEachMessage(RecordedMessages{}, [&]<class M>() {
        if (!ok && split.command == M::command) ok = M::decode(split.args).has_value();
    });
    return ok;
}

// Reads one line's fields; a failed read leaves the reader failed, and the caller refuses the line.
class Fields {
public:
    explicit Fields(QByteArrayView line)
        : m_rest(line) {}

    bool failed() const { return m_failed; }
    bool atEnd() const { return m_rest.isEmpty(); }

    qint64 integer(qint64 low, qint64 high) {
        const QByteArrayView field = next();
        bool ok = false;
        const qint64 n = field.toLongLong(&ok);
        if (!ok || n < low || n > high || field.startsWith('+')) m_failed = true;
        return ok ? n : 0;
    }
    int integer(int low, int high) { return int(integer(qint64(low), qint64(high))); }
    bool flag() { return integer(0, 1) == 1; }
    int code() { return integer(0, 26); }
    // The rest of the line as an escaped text, up to maxTextBytes.
    QString escapedText() {
        const std::optional<QByteArray> t = RecordFile::unescape(m_rest);
        m_rest = {};
        if (!t || t->size() > RecordFile::maxTextBytes) {
            m_failed = true;
            return QString();
        }
        return QString::fromUtf8(*t);
    }
    ComputerLevel level() {
        const std::optional<ComputerLevel> l = levelFromText(next());
        if (!l) m_failed = true;
        return l.value_or(ComputerLevel::Normal);
    }
    QByteArrayView next() {
        if (m_rest.isEmpty()) {
            m_failed = true;
            return {};
        }
        const qsizetype space = m_rest.indexOf(' ');
        const QByteArrayView field = space < 0 ? m_rest : m_rest.first(space);
        m_rest = space < 0 ? QByteArrayView() : m_rest.sliced(space + 1);
        if (field.isEmpty()) m_failed = true;
        return field;
    }

private:
    QByteArrayView m_rest;
    bool m_failed = false;
};

bool takeOptions(Fields& f, GameOptions& o) {
    o.turntime = f.integer(0, 100000);
    o.targetscore = f.integer(0, 100000);
    o.stealsallowed = f.integer(0, unlimitedSteals);
    o.level = f.level();
    return !f.failed();
}

// One line of the header or the start; answers false for a line that is not right.
bool takeHeaderLine(QByteArrayView key, Fields& f, GameRecord& r) {
    TableState& t = r.start;
    if (key == "started") {
        r.started = QDateTime::fromString(QString::fromLatin1(f.next()), Qt::ISODateWithMs);
        return r.started.isValid() && f.atEnd();
    }
    if (key == "seat") {
        r.ownSeat = f.integer(0, 11);
    } else if (key == "player") {
        const int d = f.integer(1, 2);
        (d == 1 ? r.player1 : r.player2) = f.escapedText();
    } else if (key == "options") {
        takeOptions(f, r.options);
    } else if (key == "wordlist") {
        r.wordList = f.escapedText();
    } else if (key == "table-seat") {
        t.ownSeat = f.integer(0, 11);
    } else if (key == "table-player") {
        SeatState& s = t.seats[size_t(f.integer(1, 2) - 1)];
        s.occupied = f.flag();
        s.computer = f.flag();
        s.watching = f.flag();
        s.score = f.integer(-1000000, 1000000);
        s.stealsLeft = f.integer(-1, unlimitedSteals);
        s.name = f.escapedText();
    } else if (key == "table-word") {
        SeatState& s = t.seats[size_t(f.integer(1, 2) - 1)];
        const int points = f.integer(-1000000, 1000000);
        const QString word = f.escapedText();
        if (f.failed() || s.words.size() >= TableModel::maxWordsPerSeat) return false;
        s.words.append({word, points});
    } else if (key == "table-watcher") {
        const int seat = f.integer(3, 11);
        t.spectators.insert(seat, f.escapedText());
    } else if (key == "table-board") {
        auto& board = t.boards[size_t(f.integer(1, 2) - 1)];
        for (int& c : board)
            c = f.code();
    } else if (key == "table-hand") {
        for (int& c : t.hand)
            c = f.code();
    } else if (key == "table-turn") {
        t.turnSeat = f.integer(0, 11);
        t.secondsLeft = f.integer(0, 100000);
        t.clockRunning = f.flag();
    } else if (key == "table-options") {
        takeOptions(f, t.options);
        t.options.fromGame = f.flag();
    } else if (key == "table-phase") {
        t.phase = GamePhase(f.integer(0, 2));
        t.winner = f.integer(0, 2);
    } else {
        return false;
    }
    return !f.failed() && f.atEnd();
}

} // namespace

QByteArray RecordFile::versionLine(int version) {
    return versionKey + ' ' + number(version) + '\n';
}

QByteArray RecordFile::headerText(const GameRecord& r) {
    QByteArray out = versionLine();
    out += "started " + r.started.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    out += "seat " + number(r.ownSeat) + '\n';
    out += "player 1 " + bytesOf(r.player1) + '\n';
    out += "player 2 " + bytesOf(r.player2) + '\n';
    out += "options " + optionFields(r.options) + '\n';
    out += "wordlist " + bytesOf(r.wordList) + '\n';
    const TableState& t = r.start;
    out += "table-seat " + number(t.ownSeat) + '\n';
    for (int d = 1; d <= 2; ++d) {
        const SeatState& s = t.seats[size_t(d - 1)];
        out += "table-player " + number(d) + ' ' + number(s.occupied) + ' ' + number(s.computer) + ' ' +
               number(s.watching) + ' ' + number(s.score) + ' ' + number(s.stealsLeft) + ' ' +
               bytesOf(s.name) + '\n';
        for (const FormedWordEntry& w : s.words)
            out += "table-word " + number(d) + ' ' + number(w.points) + ' ' + bytesOf(w.word) + '\n';
    }
    for (auto i = t.spectators.cbegin(); i != t.spectators.cend(); ++i)
        out += "table-watcher " + number(i.key()) + ' ' + bytesOf(i.value()) + '\n';
    out += "table-board 1" + codes(t.boards[0]) + '\n';
    out += "table-board 2" + codes(t.boards[1]) + '\n';
    out += "table-hand" + codes(t.hand) + '\n';
    out += "table-turn " + number(t.turnSeat) + ' ' + number(t.secondsLeft) + ' ' + number(t.clockRunning) +
           '\n';
    out += "table-options " + optionFields(t.options) + ' ' + number(t.options.fromGame) + '\n';
    out += "table-phase " + number(int(t.phase)) + ' ' + number(t.winner) + '\n';
    out += eventsKey + '\n';
    return out;
}

QByteArray RecordFile::eventLine(const RecordEvent& event) {
    return number(event.milliseconds) + ' ' + escape(event.text) + '\n';
}

QByteArray RecordFile::cutShortLine() {
    return cutShortKey + '\n';
}

QByteArray RecordFile::resultLine(const GameResult& result) {
    return "result " + number(result.winner) + ' ' + number(result.score1) + ' ' + number(result.score2) +
           '\n';
}

QByteArray RecordFile::text(const GameRecord& record) {
    QByteArray out = headerText(record);
    for (const RecordEvent& e : record.events)
        out += eventLine(e);
    if (record.cutShort) out += cutShortLine();
    if (record.result.known) out += resultLine(record.result);
    return out;
}

RecordReading RecordFile::parse(const QByteArray& bytes) {
    const auto refuse = [](qsizetype lineNumber, const QString& why) {
        return RecordReading{std::nullopt, tr("Line %1: %2").arg(lineNumber).arg(why)};
    };
    if (bytes.size() > maxFileBytes)
        return {std::nullopt, tr("The record is too large to be a game record.")};
    if (bytes.isEmpty()) return {std::nullopt, tr("The record is empty.")};
    if (!bytes.endsWith('\n'))
        return refuse(bytes.count('\n') + 1, tr("the record breaks off inside a line."));

    GameRecord r;
    enum class Part { Header, Events, CutShort, Result } part = Part::Header;
    qsizetype lineNumber = 0;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', from);
        const QByteArrayView line = QByteArrayView(bytes).sliced(from, end - from);
        from = end + 1;
        ++lineNumber;
        if (lineNumber == 1) {
            if (!line.startsWith(versionKey + ' ')) return refuse(1, tr("this is not a Quibo game record."));
            bool ok = false;
            const int version = line.sliced(versionKey.size() + 1).toInt(&ok);
            if (!ok || version < 1) return refuse(1, tr("the record's version is not readable."));
            if (version > GameRecord::formatVersion)
                return refuse(
                    1, tr("the record was written by a newer version of Quibo (format %1).").arg(version));
            continue;
        }
        if (part == Part::Result) return refuse(lineNumber, tr("nothing may follow the result."));
        if (part == Part::Header) {
            if (line == eventsKey) {
                part = Part::Events;
                continue;
            }
            const qsizetype space = line.indexOf(' ');
            if (space <= 0) return refuse(lineNumber, tr("the line is not a header line."));
            Fields f(line.sliced(space + 1));
            if (!takeHeaderLine(line.first(space), f, r))
                return refuse(lineNumber, tr("the header line is damaged."));
            continue;
        }
        if (line.startsWith("result ")) {
            Fields f(line.sliced(7));
            r.result.known = true;
            r.result.winner = f.integer(0, 2);
            r.result.score1 = f.integer(-1000000, 1000000);
            r.result.score2 = f.integer(-1000000, 1000000);
            if (f.failed() || !f.atEnd()) return refuse(lineNumber, tr("the result is damaged."));
            part = Part::Result;
            continue;
        }
        if (part == Part::CutShort)
            return refuse(lineNumber, tr("only the result may follow the end of a record."));
        if (line == cutShortKey) {
            r.cutShort = true;
            part = Part::CutShort;
            continue;
        }
        if (r.events.size() >= maxEvents) return refuse(lineNumber, tr("the record holds too many events."));
        const qsizetype space = line.indexOf(' ');
        Fields f(space < 0 ? line : line.first(space));
        const qint64 ms = f.integer(qint64(0), qint64(1) << 50);
        const std::optional<QByteArray> text = space < 0 ? std::nullopt : unescape(line.sliced(space + 1));
        if (f.failed() || !text || !decodesAsRecorded(*text))
            return refuse(lineNumber, tr("the event is damaged."));
        if (!r.events.isEmpty() && ms < r.events.constLast().milliseconds)
            return refuse(lineNumber, tr("the event is out of order."));
        r.events.append({ms, *text});
    }
    if (part == Part::Header) return refuse(lineNumber, tr("the record ends before its events."));
    if (!r.started.isValid()) return {std::nullopt, tr("The record does not say when the game was played.")};
    return {std::move(r), QString()};
}

RecordReading RecordFile::read(const QString& path) {
    // Only a regular file up to the bound: a FIFO or a device named as a record would stall or
    // never end.
    QString fault;
    const std::optional<QByteArray> bytes = readBoundedFile(path, maxFileBytes, fault);
    if (!bytes) {
        if (fault.isEmpty()) fault = tr("does not exist.");
        return {std::nullopt, tr("The record \"%1\" %2").arg(path, fault)};
    }
    RecordReading reading = parse(*bytes);
    if (!reading.record) reading.refusal = tr("The record \"%1\" is refused. %2").arg(path, reading.refusal);
    return reading;
}

QByteArray RecordFile::escape(QByteArrayView text) {
    const bool utf8 = text.isValidUtf8();
    QByteArray out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto b = uchar(ch);
        if (b < 0x20 || b == 0x7F || b == '\\' || (b >= 0x80 && !utf8)) {
            out += "\\x";
            out += QByteArray::number(b, 16).rightJustified(2, '0');
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<QByteArray> RecordFile::unescape(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto b = uchar(text[i]);
        if (b < 0x20 || b == 0x7F) return std::nullopt;
        if (b != '\\') {
            out += char(b);
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x') return std::nullopt;
        const QByteArrayView digits = text.sliced(i + 2, 2);
        bool ok = false;
        const int value = digits.toInt(&ok, 16);
        if (!ok || !isxdigit(uchar(digits[0])) || !isxdigit(uchar(digits[1]))) return std::nullopt;
        out += char(value);
        i += 3;
    }
    return out;
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "recordwriter.h"

#include "hostconnection.h"
#include "recordfile.h"
#include "recordshelf.h"

#include <QCoreApplication>
#include <QDir>
#include <utility>

namespace quibo {

namespace {

// The messages that tell of a running game; the first of them opens a record for a game the window
// joined while it ran.
template <class M>
constexpr bool joinsRunningGame = std::is_same_v<M, msg::Letters> || std::is_same_v<M, msg::PlaceMyLetter> ||
                                  std::is_same_v<M, msg::GameStats> || std::is_same_v<M, msg::TurnState> ||
                                  std::is_same_v<M, msg::NextPlayer> || std::is_same_v<M, msg::EarlierWord>;

} // namespace

RecordWriter::RecordWriter(HostConnection& connection, TableModel& model, QString folder, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_folder(std::move(folder))
    , m_before(model.state()) {
    forEachMessage(RecordedMessages{}, [this, &connection]<class M>() {
        connection.on<M>(this, [this](const M& message) { take(message); });
    });
    // The window forgot the table for a host's catch-up: what follows is a new account of the game,
    // which a new record takes (the window joins the running game again).
    connect(&model, &TableModel::recordForgotten, this, [this] {
        close();
        m_before = m_model.state();
    });
    // The window left the table, or the game was abandoned: once the message that ended it was
    // written, the record ends unfinished.
    connect(&model, &TableModel::phaseChanged, this, [this] {
        if (m_model.phase() != GamePhase::None) return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_model.phase() == GamePhase::None) close();
                m_before = m_model.state();
            },
            Qt::QueuedConnection);
    });
}

RecordWriter::~RecordWriter() {
    close();
}

void RecordWriter::setLimit(int limit) {
    m_limit = RecordShelf::clampLimit(limit);
}

template <class M>
void RecordWriter::take(const M& message) {
    const TableState before = std::exchange(m_before, m_model.state());
    if constexpr (std::is_same_v<M, msg::StartGame>) {
        close();
        m_failed = false;
        begin(before);
    } else if constexpr (joinsRunningGame<M>) {
        if (!m_file.isOpen() && !m_failed && m_model.phase() == GamePhase::Running) begin(before);
    }
    if (!m_file.isOpen()) return;
    if (m_record.cutShort) return;
    QByteArray text = message.encode();
    text.chop(1); // the terminator
    const RecordEvent event{m_clock.elapsed(), text};
    const QByteArray line = RecordFile::eventLine(event);
    if (m_record.events.size() >= RecordFile::maxEvents ||
        m_bytes + line.size() + 64 > RecordFile::maxFileBytes) {
        m_record.cutShort = true;
        append(RecordFile::cutShortLine());
        return;
    }
    m_record.events.append(event);
    append(line);
    if constexpr (std::is_same_v<M, msg::Winner>) {
        const TableState& s = m_model.state();
        finish({true, TableModel::displaySeat(message.seat), s.seats[0].score, s.seats[1].score});
    } else if constexpr (std::is_same_v<M, msg::GiveBack>) {
        const TableState& s = m_model.state();
        finish({true, 0, s.seats[0].score, s.seats[1].score});
    }
}

void RecordWriter::begin(const TableState& start) {
    m_record = GameRecord{};
    m_record.started = QDateTime::currentDateTimeUtc();
    m_record.ownSeat = m_model.ownSeat();
    m_record.player1 = m_model.seatName(1);
    m_record.player2 = m_model.seatName(2);
    m_record.options = m_model.options();
    m_record.wordList = m_wordList;
    m_record.start = start;
    m_record.start.pick = {};
    m_clock.start();
    m_bytes = 0;

    m_failed = true; // until the file is open
    if (!QDir().mkpath(m_folder)) {
        Q_EMIT writeFailed(
            QCoreApplication::translate("quibo::RecordWriter", "The folder \"%1\" cannot be made.")
                .arg(m_folder));
        return;
    }
    const RecordShelf shelf(m_folder);
    m_path = shelf.newRecordPath(m_record.started, m_record.player1, m_record.player2);
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        Q_EMIT writeFailed(
            QCoreApplication::translate("quibo::RecordWriter", "The game record \"%1\" cannot be written: %2")
                .arg(m_path, m_file.errorString()));
        return;
    }
    m_failed = false;
    append(RecordFile::headerText(m_record));
    shelf.removeBeyondLimit(m_limit, m_path);
}

void RecordWriter::append(const QByteArray& line) {
    if (m_file.write(line) != line.size() || !m_file.flush()) {
        const QString reason = m_file.errorString();
        m_file.close();
        m_failed = true;
        Q_EMIT writeFailed(
            QCoreApplication::translate("quibo::RecordWriter", "The game record \"%1\" cannot be written: %2")
                .arg(m_path, reason));
        return;
    }
    m_bytes += line.size();
}

void RecordWriter::finish(const GameResult& result) {
    m_record.result = result;
    append(RecordFile::resultLine(result));
    if (!m_file.isOpen()) return;
    m_file.close();
    Q_EMIT gameRecorded(m_record, m_path);
}

void RecordWriter::close() {
    if (m_file.isOpen()) m_file.close();
}

} // namespace quibo

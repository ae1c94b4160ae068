// SPDX-License-Identifier: MIT
// FuzzScript: reads a fuzz input as a script of operations: one control byte per operation, followed
// by whatever the operation needs. Reading past the end gives zeros, so every input is a script.
// Also the quiet logging both in-process fuzz targets use (a log line per message would dominate).
#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace quibo::fuzz {

class FuzzScript {
public:
    FuzzScript(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    uint8_t next() { return atEnd() ? 0 : m_data[m_pos++]; }
    // A number from 0 to limit - 1.
    int below(int limit) { return next() % limit; }
    // Up to count raw bytes.
    QByteArray bytes(size_t count) {
        const size_t length = qMin(count, m_size - qMin(m_pos, m_size));
        const QByteArray taken(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(length));
        m_pos += length;
        return taken;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Drops every log line unless QUIBO_FUZZ_LOG is set (to follow one input); a fatal message still
// ends the run, so the fuzzer reports it.
inline void quietLogging() {
    if (qEnvironmentVariableIsSet("QUIBO_FUZZ_LOG")) return;
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtFatalMsg) std::abort();
    });
}

} // namespace quibo::fuzz

// SPDX-License-Identifier: MIT
// CompressionError: the failure raised by the compression component and the grid's text form. It
// carries the text shown to the user; what() holds the same text in UTF-8.
#pragma once

#include <QString>
#include <stdexcept>

namespace quibo {

class CompressionError : public std::runtime_error {
public:
    explicit CompressionError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quibo

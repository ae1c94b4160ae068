// SPDX-License-Identifier: MIT
#include "errorreport.h"

#include <QLoggingCategory>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcErrors, "quibo.errors")

ErrorReporter& currentReporter() {
    static ErrorReporter reporter;
    return reporter;
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    return std::exchange(currentReporter(), std::move(reporter));
}

void reportError(const QString& message) {
    if (currentReporter())
        currentReporter()(message);
    else
        qCWarning(lcErrors).noquote() << message;
}

} // namespace quibo

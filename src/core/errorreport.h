// SPDX-License-Identifier: MIT
// The program's standard error box: failures that end a handler's work are reported here and the
// program goes on with the next event. The desktop program shows a message box; the headless host
// and the tests log.
#pragma once

#include <QString>
#include <functional>

namespace quibo {

using ErrorReporter = std::function<void(const QString& message)>;

// Installs the reporter; returns the one it replaces.
ErrorReporter setErrorReporter(ErrorReporter reporter);
void reportError(const QString& message);

} // namespace quibo

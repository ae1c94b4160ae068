// SPDX-License-Identifier: MIT
#include "tchat.h"

namespace quibo {

Tchat::Tchat(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("Quibo")); }

} // namespace quibo

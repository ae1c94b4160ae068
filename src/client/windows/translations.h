// SPDX-License-Identifier: MIT
// The window texts in the player's language. The texts as written in the code are English and need
// nothing; a translation of them, built from the .ts files under translations/ and embedded in the
// program, is installed for the first of the locale's languages that has one, together with Qt's
// own translation (the buttons of standard boxes) where the system has it. Texts that travel in
// messages, file names and settings keys are never marked for translation. main() calls this once;
// the translators belong to the application.
#pragma once

#include <QCoreApplication>
#include <QLocale>

namespace quibo {

// Answers whether a translation of the game's own texts was installed.
bool installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace quibo

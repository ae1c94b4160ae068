// SPDX-License-Identifier: MIT
// Where the player's own files (settings, tally) may lie. A copy run from where it was built or
// unpacked keeps them beside its executable, where the lobby looks; an installed copy keeps them in
// the per-user folders only, since the folder of an installed program is not the player's. A copy
// counts as installed when its executable sits in <prefix>/bin or <prefix>/games and its desktop
// entry in <prefix>/share/applications, which is where `cmake --install` and the package put them.
#pragma once

#include <QString>

namespace quibo {

// Answers whether the program in programDir is an installed copy, as described above.
bool isInstalledCopy(const QString& programDir);

// The folder beside the executable that may hold the player's files: applicationDirPath() for a
// copy that is not installed, "" for an installed one.
QString programFilesFolder();

} // namespace quibo

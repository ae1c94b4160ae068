// SPDX-License-Identifier: MIT
#include "programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quibo {

bool isInstalledCopy(const QString& programDir) {
    const QDir programs(programDir);
    // bin/ for `cmake --install`, games/ for the package, as Debian keeps games.
    if (programs.dirName() != QLatin1String("bin") && programs.dirName() != QLatin1String("games"))
        return false;
    const QString entry = QStringLiteral("../share/applications/%1.desktop").arg(QLatin1String(QUIBO_APP_ID));
    return QFileInfo::exists(programs.filePath(entry));
}

QString programFilesFolder() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return isInstalledCopy(programDir) ? QString() : programDir;
}

} // namespace quibo

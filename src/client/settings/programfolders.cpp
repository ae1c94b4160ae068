// SPDX-License-Identifier: MIT
#include "programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quibo {

bool isInstalledCopy(const QString& programDir) {
    const QDir bin(programDir);
    if (bin.dirName() != QLatin1String("bin")) return false;
    const QString entry = QStringLiteral("../share/applications/%1.desktop").arg(QLatin1String(QUIBO_APP_ID));
    return QFileInfo::exists(bin.filePath(entry));
}

QString programFilesFolder() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return isInstalledCopy(programDir) ? QString() : programDir;
}

} // namespace quibo

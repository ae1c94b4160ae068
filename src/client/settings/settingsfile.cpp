// SPDX-License-Identifier: MIT
#include "settingsfile.h"

#include "programfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quibo {
namespace {

const QString sectionName = QString::fromLatin1(SettingsFile::section);

bool canWriteBeside(const QString& dir, const QString& file) {
    const QFileInfo dirInfo(dir);
    if (!dirInfo.isDir() || !dirInfo.isWritable()) return false;
    const QFileInfo fileInfo(file);
    return !fileInfo.exists() ||
           (fileInfo.isWritable() && (fileInfo.permissions() & QFileDevice::WriteOwner));
}

} // namespace

SettingsFile::SettingsFile(const QString& path)
    : m_writable(path) {}

SettingsFile::SettingsFile(PrivateProfile writable, std::optional<PrivateProfile> fallback)
    : m_writable(std::move(writable))
    , m_fallback(std::move(fallback)) {}

SettingsFile SettingsFile::locate(const QString& programDir, const QString& userDir) {
    const QString besideProgram = QDir(programDir).filePath(QString::fromLatin1(fileName));
    const QString perUser = QDir(userDir).filePath(QString::fromLatin1(fileName));
    if (!QFileInfo::exists(perUser) && canWriteBeside(programDir, besideProgram))
        return SettingsFile(besideProgram);
    QDir().mkpath(userDir);
    return SettingsFile(PrivateProfile(perUser), PrivateProfile(besideProgram));
}

SettingsFile SettingsFile::forThisProgram() {
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString programDir = programFilesFolder();
    if (!programDir.isEmpty()) return locate(programDir, userDir);
    QDir().mkpath(userDir);
    return SettingsFile(QDir(userDir).filePath(QString::fromLatin1(fileName)));
}

QString SettingsFile::read(const QString& key, const QString& defaultValue) const {
    if (m_fallback && !m_writable.contains(sectionName, key))
        return m_fallback->readString(sectionName, key, defaultValue);
    return m_writable.readString(sectionName, key, defaultValue);
}

void SettingsFile::write(const QString& key, const QString& value) const {
    m_writable.writeString(sectionName, key, value);
}

} // namespace quibo

// SPDX-License-Identifier: MIT
#include "soundmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcSoundModule, "quibo.client")

constexpr char moduleFile[] = "quibo-sound.so";

} // namespace

QStringList ModuleSoundOutput::modulePaths(const QString& programDir) {
    const QDir dir(programDir);
    return {
        dir.filePath(QLatin1String(moduleFile)),
        QDir::cleanPath(dir.filePath(QStringLiteral("../lib/quibo/modules/") + QLatin1String(moduleFile)))};
}

ModuleSoundOutput::ModuleSoundOutput(QString modulePath)
    : m_modulePath(std::move(modulePath)) {}

ModuleSoundOutput::~ModuleSoundOutput() = default;

bool ModuleSoundOutput::load() {
    if (m_tried) return m_output != nullptr;
    m_tried = true;
    QString path = m_modulePath;
    if (path.isEmpty()) {
        const QStringList candidates = modulePaths(QCoreApplication::applicationDirPath());
        for (const QString& candidate : candidates) {
            if (QFileInfo::exists(candidate)) {
                path = candidate;
                break;
            }
        }
        if (path.isEmpty()) {
            qCWarning(lcSoundModule) << "no sound module in" << candidates << "- the game is silent";
            return false;
        }
    }
    // The module stays loaded until the program ends: the output's code lives in it.
    QLibrary library(path);
    using Make = SoundOutput* (*)();
    const auto make = reinterpret_cast<Make>(library.resolve("quibo_make_sound_output"));
    if (!make) {
        qCWarning(lcSoundModule) << "the sound module does not load:" << library.errorString()
                                 << "- the game is silent";
        return false;
    }
    m_output.reset(make());
    qCInfo(lcSoundModule) << "sound module loaded from" << path;
    return m_output != nullptr;
}

void ModuleSoundOutput::play(const QString& clip) {
    if (load()) m_output->play(clip);
}

} // namespace quibo

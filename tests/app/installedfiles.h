// SPDX-License-Identifier: MIT
// What an installation holds, relative to its prefix, for the install and package tests, and a
// helper that runs a tool and keeps what it printed. QUIBO_APP_ID and QUIBO_ICON_SIZES come from the
// build.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace quibo::test {

inline QString desktopEntryPath() {
    return QStringLiteral("share/applications/%1.desktop").arg(QLatin1String(QUIBO_APP_ID));
}

inline QString metainfoPath() {
    return QStringLiteral("share/metainfo/%1.metainfo.xml").arg(QLatin1String(QUIBO_APP_ID));
}

// programDir: "bin" for `cmake --install`, "games" for the package, which lays the programs out as
// Debian keeps games.
inline QStringList installedFiles(const QString& programDir = QStringLiteral("bin")) {
    const QString id = QLatin1String(QUIBO_APP_ID);
    QStringList files{programDir + QStringLiteral("/quibo"),
                      programDir + QStringLiteral("/quibo-host"),
                      QStringLiteral("lib/quibo/modules/quibo-sound.so"),
                      QStringLiteral("share/doc/quibo/copyright"),
                      QStringLiteral("share/doc/quibo/changelog.gz"),
                      desktopEntryPath(),
                      metainfoPath(),
                      QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id),
                      QStringLiteral("share/man/man6/quibo.6.gz"),
                      QStringLiteral("share/man/man6/quibo-host.6.gz"),
                      QStringLiteral("lib/systemd/system/quibo-host@.service")};
    for (const QString& size : QStringLiteral(QUIBO_ICON_SIZES).split(u' '))
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size, id);
    return files;
}

// The size of a PNG icon from its folder ("share/icons/hicolor/48x48/..."), 0 for other files.
inline int iconSizeOf(const QString& path) {
    static const QRegularExpression folder(QStringLiteral("/(\\d+)x\\1/apps/.*\\.png$"));
    const QRegularExpressionMatch match = folder.match(path);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

struct RunResult {
    int exitCode = -1;
    QByteArray output; // standard output and error together
    bool succeeded() const { return exitCode == 0; }
};

// Runs a tool to its end (at most timeoutMs) in workingDirectory, when given.
inline RunResult runProgram(const QString& program, const QStringList& arguments,
                            const QString& workingDirectory = QString(), int timeoutMs = 120000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        result.output = program.toUtf8() + " did not finish: " + process.errorString().toUtf8();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = process.readAll();
    return result;
}

} // namespace quibo::test

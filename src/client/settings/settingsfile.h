// SPDX-License-Identifier: MIT
// SettingsFile: the player's preferences file "kivolobby.ini", section "Quibo".
//
// The file lies beside the executable. For an installed copy, or where that directory cannot be
// written, the same file name in the per-user configuration directory takes its place: keys are
// written there and read from there first, then from the file beside the executable, so defaults an
// installer placed there still count. Every read and write opens the file afresh. Owned by the
// preferences of the player window; the phrase editor shares it.
#pragma once

#include "privateprofile.h"

#include <QString>
#include <optional>

namespace quibo {

class SettingsFile {
public:
    static constexpr char fileName[] = "kivolobby.ini";
    static constexpr char section[] = "Quibo";

    // Settings of a file at an explicit path (tests, or a path chosen by locate()).
    explicit SettingsFile(const QString& path);
    // Chooses between programDir and userDir as described above.
    static SettingsFile locate(const QString& programDir, const QString& userDir);
    // The file for this program: beside the executable, or in the per-user configuration location
    // (always there for an installed copy).
    static SettingsFile forThisProgram();

    // Where keys are written; the path named in "Unable to write to ..." messages.
    QString path() const { return m_writable.path(); }
    QString read(const QString& key, const QString& defaultValue) const;
    // Throws ProfileWriteError.
    void write(const QString& key, const QString& value) const;

private:
    SettingsFile(PrivateProfile writable, std::optional<PrivateProfile> fallback);

    PrivateProfile m_writable;
    std::optional<PrivateProfile> m_fallback; // read when the writable file lacks a key
};

} // namespace quibo

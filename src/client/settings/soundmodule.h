// SPDX-License-Identifier: MIT
// ModuleSoundOutput: the program's sound output, loaded from the sound module quibo-sound.so at the
// first clip rather than at start, so that Qt Multimedia and the audio libraries under it (pulse,
// sndfile and its codecs) cost the start nothing. The module lies next to the program in the build
// tree and in <prefix>/lib/quibo/modules beside an installed program's bin/ or games/. A module that is
// missing or does not load means silence, with one warning.
#pragma once

#include "soundoutput.h"

#include <QStringList>
#include <memory>

namespace quibo {

class ModuleSoundOutput : public SoundOutput {
public:
    // Where the module is looked for: next to a program in programDir, then in its installation.
    static QStringList modulePaths(const QString& programDir);

    // modulePath empty: the first of modulePaths() for this program that exists.
    explicit ModuleSoundOutput(QString modulePath = QString());
    ~ModuleSoundOutput() override;

    // Loads the module unless that was tried already; answers whether it is loaded.
    bool load();
    void play(const QString& clip) override;

private:
    QString m_modulePath;
    bool m_tried = false;
    std::unique_ptr<SoundOutput> m_output;
};

} // namespace quibo

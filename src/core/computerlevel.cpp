// SPDX-License-Identifier: MIT
#include "computerlevel.h"

namespace quibo {

namespace {

struct LevelName {
    ComputerLevel level;
    const char* text;
};

constexpr LevelName levelNames[] = {
    {ComputerLevel::Easy, "easy"},
    {ComputerLevel::Normal, "normal"},
    {ComputerLevel::Strong, "strong"},
    {ComputerLevel::Expert, "expert"},
};

} // namespace

QByteArray levelText(ComputerLevel level) {
    for (const LevelName& name : levelNames) {
        if (name.level == level) return QByteArray(name.text);
    }
    return QByteArray("normal");
}

std::optional<ComputerLevel> levelFromText(QByteArrayView text) {
    for (const LevelName& name : levelNames) {
        if (text == QByteArrayView(name.text)) return name.level;
    }
    return std::nullopt;
}

} // namespace quibo

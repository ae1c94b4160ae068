// SPDX-License-Identifier: MIT
#include "clientsettings.h"

#include "chatappearance.h"
#include "errorreport.h"
#include "namedchild.h"
#include "phrasebuttons.h"

#include <QAbstractButton>
#include <QAction>
#include <QLoggingCategory>
#include <QVariant>
#include <QWidget>
#include <optional>
#include <vector>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcSettings, "quibo.client")

// Sizes past these bounds would make the chat unreadable or its layout very slow; they read as the
// default like any other unusable value.
constexpr int smallestTextSize = 1;
constexpr int largestTextSize = 96;

QString key(const char* name) {
    return QString::fromLatin1(name);
}

std::optional<int> toInteger(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

ClientSettings::ClientSettings(SettingsFile file, QWidget* chatWindow, ChatAppearance& appearance,
                               PhraseButtons& phrases)
    : m_file(std::move(file))
    , m_chatWindow(chatWindow)
    , m_appearance(appearance)
    , m_phrases(phrases) {}

void ClientSettings::loadinifile() {
    loadTextSize();
    loadColors();
    loadPhrases();
    loadSoundSwitch();
    loadOption("Playtoscore", "200", "edit_playtoscore", "UpDown1");
    loadOption("Creationtime", "30", "edit_creationtime", "UpDown2");
    loadOption("Steals", "5", "edit_steals", "UpDown3");
    loadUnlimited();
}

void ClientSettings::loadTextSize() {
    int size = toInteger(m_file.read(key("Textsize"), QStringLiteral("8")))
                   .value_or(ChatAppearance::defaultTextSize);
    if (size < smallestTextSize || size > largestTextSize) size = ChatAppearance::defaultTextSize;
    m_appearance.setTextSize(size);
    // Only marks are added here; a size without its own menu item marks nothing.
    if (auto* item = findNamed<QAction>(m_chatWindow, QStringLiteral("N%1").arg(size))) {
        item->setCheckable(true);
        item->setChecked(true);
    }
}

void ClientSettings::loadColors() {
    const auto read = [this](const char* name) {
        return colorFromText(m_file.read(key(name), QStringLiteral("clblack")).toUtf8()).value_or(colorBlack);
    };
    const ColorValue text = read("Textcolor");
    m_appearance.setActionColor(read("Actioncolor"));
    m_appearance.setTextColor(text);
}

void ClientSettings::loadPhrases() {
    for (int number = 1; number <= PhraseButtons::count; ++number) {
        const QString phrase = m_file.read(QStringLiteral("Phrase%1").arg(number), QString());
        if (!phrase.isEmpty()) m_phrases.setPhrase(number, phrase);
    }
}

void ClientSettings::loadSoundSwitch() {
    const bool on = m_file.read(key("Playsounds"), QStringLiteral("true")) != QLatin1String("false");
    if (auto* item = findNamed<QAction>(m_chatWindow, QStringLiteral("PlaySounds1"))) item->setChecked(on);
}

void ClientSettings::loadOption(const char* name, const char* defaultText, const char* editName,
                                const char* spinName) {
    const std::optional<int> number = toInteger(m_file.read(key(name), key(defaultText)));
    if (!number) return; // the options window keeps what it shows
    int shown = *number;
    if (auto* spin = findNamed<QObject>(m_optionsWindow, key(spinName))) {
        spin->setProperty("value", shown);
        // A value outside the arrows' range is brought into it, so the field never shows (and a
        // game never starts with) a number the arrows could not produce.
        shown = spin->property("value").toInt();
    }
    if (auto* edit = findNamed<QObject>(m_optionsWindow, key(editName)))
        edit->setProperty("text", QString::number(shown));
}

void ClientSettings::loadUnlimited() {
    const bool on = m_file.read(key("Unlimited"), QStringLiteral("f")) == QLatin1String("t");
    if (auto* box = findNamed<QAbstractButton>(m_optionsWindow, QStringLiteral("checkbox_unlimited")))
        box->setChecked(on);
}

void ClientSettings::saveinifile() {
    struct Entry {
        const char* name;
        std::optional<QString> value; // nullopt: the widget is missing, nothing to save
        bool quietFailure;
    };
    const auto textOf = [this](const char* widget) -> std::optional<QString> {
        if (auto* edit = findNamed<QObject>(m_optionsWindow, key(widget)))
            return edit->property("text").toString();
        return std::nullopt;
    };
    const auto flag = [](const auto* owner, const char* on, const char* off) -> std::optional<QString> {
        if (!owner) return std::nullopt;
        return key(owner->isChecked() ? on : off);
    };
    const std::vector<Entry> entries{
        {"Textsize", QString::number(m_appearance.textSize()), false},
        {"Textcolor", QString::fromUtf8(colorToText(m_appearance.textColor())), true},
        {"Actioncolor", QString::fromUtf8(colorToText(m_appearance.actionColor())), true},
        {"Playtoscore", textOf("edit_playtoscore"), false},
        {"Creationtime", textOf("edit_creationtime"), false},
        {"Steals", textOf("edit_steals"), false},
        {"Unlimited", flag(findNamed<QAbstractButton>(m_optionsWindow, key("checkbox_unlimited")), "t", "f"),
         false},
        {"Playsounds", flag(findNamed<QAction>(m_chatWindow, key("PlaySounds1")), "true", "false"), false},
    };
    for (const Entry& entry : entries) {
        if (!entry.value) continue;
        try {
            m_file.write(key(entry.name), *entry.value);
        } catch (const ProfileWriteError& error) {
            qCInfo(lcSettings) << "settings not saved:" << error.message();
            if (entry.quietFailure) continue;
            reportError(error.message());
            return;
        }
    }
}

} // namespace quibo

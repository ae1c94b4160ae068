// SPDX-License-Identifier: MIT
#include "clientsettings.h"

#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "namedwidgets.h"
#include "phrasebuttons.h"
#include "tchat.h"
#include "tgamestart.h"
#include "updown.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <optional>
#include <vector>

namespace quibo {
namespace {

// Sizes past these bounds would make the chat unreadable or its layout very slow; they read as the
// default like any other unusable value.
constexpr int smallestTextSize = 1;
constexpr int largestTextSize = 96;
constexpr int defaultTextSize = 8;

QString key(const char* name) {
    return QString::fromLatin1(name);
}

std::optional<int> toInteger(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

ClientSettings::ClientSettings(SettingsFile file, Tchat& window, PhraseButtons& phrases)
    : m_file(std::move(file))
    , m_window(window)
    , m_phrases(phrases) {}

void ClientSettings::setOptionsWindow(Tgamestart* options) {
    m_options = options;
}

void ClientSettings::loadinifile() {
    loadTextSize();
    loadColors();
    loadPhrases();
    loadSoundSwitch();
    loadChatTimes();
    loadOptions();
    loadUnlimited();
    loadComputerLevel();
}

void ClientSettings::loadTextSize() {
    int size = toInteger(m_file.read(key("Textsize"), QStringLiteral("8"))).value_or(defaultTextSize);
    if (size < smallestTextSize || size > largestTextSize) size = defaultTextSize;
    m_window.chatView()->mainchat()->setTextSize(size);
    // Marks are only added here; a size without its own menu item marks nothing.
    if (QAction* item = findNamed<QAction>(&m_window, QStringLiteral("N%1").arg(size)))
        item->setChecked(true);
}

void ClientSettings::loadColors() {
    const auto read = [this](const char* name) {
        return colorFromText(m_file.read(key(name), QStringLiteral("clblack")).toUtf8()).value_or(colorBlack);
    };
    const ColorValue text = read("Textcolor");
    m_window.chatView()->setactioncolor(read("Actioncolor"));
    m_window.chatView()->settextcolor(text);
}

void ClientSettings::loadPhrases() {
    for (int number = 1; number <= PhraseButtons::count; ++number) {
        const QString phrase = m_file.read(QStringLiteral("Phrase%1").arg(number), QString());
        if (!phrase.isEmpty()) m_phrases.setPhrase(number, phrase);
    }
}

void ClientSettings::loadSoundSwitch() {
    const bool on = m_file.read(key("Playsounds"), QStringLiteral("true")) != QLatin1String("false");
    if (QAction* item = findNamed<QAction>(&m_window, QStringLiteral("PlaySounds1"))) item->setChecked(on);
}

void ClientSettings::loadChatTimes() {
    // Only "true" turns them on: a file written before the setting existed keeps the chat as it was.
    const bool on = m_file.read(key("Chattimes"), QStringLiteral("false")) == QLatin1String("true");
    m_window.chatView()->mainchat()->setShowsTimes(on);
    if (QAction* item = findNamed<QAction>(&m_window, QStringLiteral("ChatTimes1"))) item->setChecked(on);
}

void ClientSettings::loadOptions() {
    if (!m_options) return;
    const struct {
        const char* name;
        const char* defaultText;
        UpDown* arrows;
    } options[] = {
        {"Playtoscore", "200", m_options->UpDown1()},
        {"Creationtime", "30", m_options->UpDown2()},
        {"Steals", "5", m_options->UpDown3()},
    };
    for (const auto& option : options) {
        // A value that is not a number leaves the field as it is. A number outside the arrows'
        // range is brought into it and the field shows the number in plain digits, so a game never
        // starts with a value the arrows could not produce (nor a "+" that would split the
        // start command's fields).
        if (const std::optional<int> number =
                toInteger(m_file.read(key(option.name), key(option.defaultText))))
            option.arrows->setPosition(*number);
    }
}

void ClientSettings::loadUnlimited() {
    if (m_options)
        m_options->checkbox_unlimited()->setChecked(m_file.read(key("Unlimited"), QStringLiteral("f")) ==
                                                    "t");
}

// An unknown level reads as normal, like a start command's.
void ClientSettings::loadComputerLevel() {
    if (m_options)
        m_options->setComputerLevel(
            levelFromText(m_file.read(key("Computer"), QStringLiteral("normal")).toLatin1())
                .value_or(ComputerLevel::Normal));
}

void ClientSettings::saveinifile() {
    struct Entry {
        const char* name;
        std::optional<QString> value; // nullopt: nothing to save (the options window is missing)
        bool quietFailure;
    };
    const auto optionText = [this](QLineEdit* (Tgamestart::*field)() const) -> std::optional<QString> {
        return m_options ? std::optional<QString>(((*m_options).*field)()->text()) : std::nullopt;
    };
    std::optional<QString> unlimited;
    std::optional<QString> level;
    if (m_options) {
        unlimited = key(m_options->checkbox_unlimited()->isChecked() ? "t" : "f");
        level = QString::fromLatin1(levelText(m_options->computerLevel()));
    }
    const QAction* sounds = findNamed<QAction>(&m_window, QStringLiteral("PlaySounds1"));
    const std::vector<Entry> entries{
        {"Textsize", QString::number(m_window.chatView()->mainchat()->textSize()), false},
        {"Textcolor", QString::fromUtf8(colorToText(m_window.chatView()->textcolor())), true},
        {"Actioncolor", QString::fromUtf8(colorToText(m_window.chatView()->actioncolor())), true},
        {"Playtoscore", optionText(&Tgamestart::edit_playtoscore), false},
        {"Creationtime", optionText(&Tgamestart::edit_creationtime), false},
        {"Steals", optionText(&Tgamestart::edit_steals), false},
        {"Unlimited", unlimited, false},
        {"Computer", level, false},
        {"Playsounds",
         sounds ? std::optional<QString>(key(sounds->isChecked() ? "true" : "false")) : std::nullopt, false},
        {"Chattimes", key(m_window.chatView()->mainchat()->showsTimes() ? "true" : "false"), false},
    };
    for (const Entry& entry : entries) {
        if (!entry.value) continue;
        try {
            m_file.write(key(entry.name), *entry.value);
        } catch (const ProfileWriteError& error) {
            if (entry.quietFailure) continue;
            reportError(error.message());
            return; // later keys keep their old values
        }
    }
}

} // namespace quibo

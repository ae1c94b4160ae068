// SPDX-License-Identifier: MIT
#include "chatappearance.h"

#include "namedchild.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QWidget>
#include <array>

namespace quibo {
namespace {

constexpr std::array sizeItemNames{"N8", "N10", "N12", "N14"};

std::optional<QColor> askWithColorDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

// A size item's tag holds its size: as the action's data, a "tag" property, or else its name's
// digits.
int tagOf(const QAction* item) {
    bool ok = false;
    int tag = item->data().toInt(&ok);
    if (!ok) tag = item->property("tag").toInt(&ok);
    if (!ok) tag = item->objectName().mid(1).toInt(&ok);
    return ok ? tag : 0;
}

} // namespace

ChatAppearance::ChatAppearance(QWidget* window, std::function<void()> save, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_save(std::move(save))
    , m_chooseColor(askWithColorDialog) {}

void ChatAppearance::attachMenus() {
    if (auto* item = findNamed<QAction>(m_window, QStringLiteral("PlaySounds1"))) {
        // The item flips itself when triggered; the handler only saves.
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this] { m_save(); });
    }
    if (auto* item = findNamed<QAction>(m_window, QStringLiteral("TextColor1")))
        connect(item, &QAction::triggered, this, &ChatAppearance::TextColor1Click);
    if (auto* item = findNamed<QAction>(m_window, QStringLiteral("ActionColor1")))
        connect(item, &QAction::triggered, this, &ChatAppearance::ActionColor1Click);
    for (const char* name : sizeItemNames) {
        QAction* item = findNamed<QAction>(m_window, QString::fromLatin1(name));
        if (!item) continue;
        // Reading the settings adds check marks without removing others, so marks are independent.
        if (QActionGroup* group = item->actionGroup())
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
        connect(item, &QAction::triggered, this,
                [this, item](bool checked) { sizeItemTriggered(item, checked); });
    }
}

void ChatAppearance::setTextColor(ColorValue value) {
    m_textColor = value;
    if (auto* entry = findNamed<QWidget>(m_window, QStringLiteral("mychat"))) {
        QPalette palette = entry->palette();
        palette.setColor(QPalette::Text, toQColor(value));
        entry->setPalette(palette);
    }
}

void ChatAppearance::setTextSize(int points) {
    m_textSize = points;
    if (auto* pane = findNamed<QWidget>(m_window, QStringLiteral("mainchat"))) {
        QFont font = pane->font();
        font.setPointSize(qBound(1, points, 96));
        pane->setFont(font);
    }
}

QColor ChatAppearance::toQColor(ColorValue value) {
    if (value & 0xFF000000u) return QApplication::palette().color(QPalette::Text);
    return QColor(colorRedPart(value), colorGreenPart(value), colorBluePart(value));
}

ColorValue ChatAppearance::fromQColor(const QColor& color) {
    return colorFromRgb(color.red(), color.green(), color.blue());
}

void ChatAppearance::PlaySounds1Click() {
    if (auto* item = findNamed<QAction>(m_window, QStringLiteral("PlaySounds1"))) item->trigger();
}

void ChatAppearance::TextColor1Click() {
    const std::optional<QColor> chosen = m_chooseColor(toQColor(m_textColor), m_window);
    if (!chosen) return;
    setTextColor(fromQColor(*chosen));
    m_save();
}

void ChatAppearance::ActionColor1Click() {
    if (const std::optional<QColor> chosen = m_chooseColor(toQColor(m_actionColor), m_window))
        m_actionColor = fromQColor(*chosen);
    m_save();
}

void ChatAppearance::N14Click(QAction* item) {
    const int size = tagOf(item);
    if (size <= 0) return;
    setTextSize(size);
    m_save();
}

void ChatAppearance::sizeItemTriggered(QAction* item, bool checked) {
    // Choosing a size changes the chat at once but leaves the check marks where the last read of
    // the settings put them, so undo the flip a checkable item made.
    if (item->isCheckable()) item->setChecked(!checked);
    N14Click(item);
}

} // namespace quibo

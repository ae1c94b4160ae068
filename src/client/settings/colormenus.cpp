// SPDX-License-Identifier: MIT
#include "colormenus.h"

#include "chatpane.h"
#include "chatview.h"
#include "tchat.h"

#include <QColorDialog>

namespace quibo {
namespace {

std::optional<QColor> askWithColorDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

} // namespace

ColorMenus::ColorMenus(Tchat& window)
    : m_window(window)
    , m_chooseColor(askWithColorDialog) {}

ColorValue ColorMenus::fromQColor(const QColor& color) {
    return colorFromRgb(color.red(), color.green(), color.blue());
}

bool ColorMenus::TextColor1Click() {
    const std::optional<QColor> chosen = m_chooseColor(toQColor(m_window.chatView()->textcolor()), &m_window);
    if (!chosen) return false;
    m_window.chatView()->settextcolor(fromQColor(*chosen));
    return true;
}

bool ColorMenus::ActionColor1Click() {
    if (const std::optional<QColor> chosen =
            m_chooseColor(toQColor(m_window.chatView()->actioncolor()), &m_window))
        m_window.chatView()->setactioncolor(fromQColor(*chosen));
    return true;
}

} // namespace quibo

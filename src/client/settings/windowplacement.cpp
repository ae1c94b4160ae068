// SPDX-License-Identifier: MIT
#include "windowplacement.h"

#include "privateprofile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QWidget>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

constexpr char leftKey[] = "WindowLeft";
constexpr char topKey[] = "WindowTop";
constexpr char widthKey[] = "WindowWidth";
constexpr char heightKey[] = "WindowHeight";
constexpr char maximizedKey[] = "WindowMaximized";

std::optional<int> readNumber(const SettingsFile& file, const char* key) {
    bool ok = false;
    const int value = file.read(QLatin1String(key), QString()).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QRect screenFor(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

WindowPlacement::WindowPlacement(QWidget& window, SettingsFile file)
    : m_window(&window)
    , m_file(std::move(file)) {
    window.installEventFilter(this);
}

std::optional<WindowPlacement::Placement> WindowPlacement::read(const SettingsFile& file, QSize minimum,
                                                                const QRect& screen) {
    const std::optional<int> width = readNumber(file, widthKey);
    const std::optional<int> height = readNumber(file, heightKey);
    if (!width || !height || *width <= 0 || *height <= 0) return std::nullopt;
    Placement placement;
    const QSize size =
        QSize(*width, *height).expandedTo(minimum).boundedTo(screen.size().expandedTo(minimum));
    // A place off the screen (another monitor since unplugged, or any number at all) comes back so
    // that the whole window shows.
    const int left = std::clamp(readNumber(file, leftKey).value_or(screen.left()), screen.left(),
                                std::max(screen.left(), screen.right() + 1 - size.width()));
    const int top = std::clamp(readNumber(file, topKey).value_or(screen.top()), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - size.height()));
    placement.geometry = QRect(QPoint(left, top), size);
    placement.maximized = readNumber(file, maximizedKey).value_or(0) == 1;
    return placement;
}

void WindowPlacement::restore() {
    if (!m_window) return;
    const std::optional<Placement> placement =
        read(m_file, m_window->minimumSizeHint().expandedTo(m_window->minimumSize()), screenFor(*m_window));
    if (!placement) {
        // The first run: the design size, or less where the screen is smaller (a high scale factor).
        const QSize fit = m_window->sizeHint().boundedTo(screenFor(*m_window).size());
        if (fit != m_window->sizeHint()) m_window->resize(fit);
        return;
    }
    m_window->setGeometry(placement->geometry);
    if (placement->maximized) m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void WindowPlacement::save() const {
    if (!m_window) return;
    const bool maximized = m_window->isMaximized();
    const QRect normal = maximized ? m_window->normalGeometry() : m_window->geometry();
    if (normal.isEmpty()) return;
    const std::pair<const char*, int> values[] = {
        {leftKey, normal.left()},          {topKey, normal.top()},
        {widthKey, normal.width()},        {heightKey, normal.height()},
        {maximizedKey, maximized ? 1 : 0},
    };
    try {
        for (const auto& [key, value] : values)
            m_file.write(QLatin1String(key), QString::number(value));
    } catch (const ProfileWriteError& error) {
        qCInfo(lcClient) << "window placement not saved:" << error.what();
    }
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Close) save();
    return QObject::eventFilter(watched, event);
}

} // namespace quibo

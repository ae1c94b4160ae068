// SPDX-License-Identifier: MIT
#include "scalinglayout.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QTextEdit>
#include <QWidget>
#include <cmath>

namespace quibo {

namespace {

// What the layout keeps on each widget it places, as dynamic properties, so that a widget keeps its
// design through reparenting between containers and whoever moves it can say where it goes.
constexpr char designRectProperty[] = "quiboDesignRect";
constexpr char designFontProperty[] = "quiboDesignFont";
constexpr char designIconProperty[] = "quiboDesignIconSize";

int scaled(int value, qreal scale) {
    return int(std::lround(value * scale));
}

// Edges are scaled, not sizes, so neighbours that touch in the design still touch.
QRect scaledRect(const QRect& r, qreal scale) {
    const int left = scaled(r.left(), scale);
    const int top = scaled(r.top(), scale);
    return {left, top, scaled(r.left() + r.width(), scale) - left, scaled(r.top() + r.height(), scale) - top};
}

QFont scaledFont(QFont font, qreal scale) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), scale)));
    return font;
}

// The layout that places widget: the one of the nearest ancestor that has a ScalingLayout.
ScalingLayout* layoutFor(const QWidget* widget) {
    for (QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (auto* layout = qobject_cast<ScalingLayout*>(w->layout())) return layout;
        if (w->isWindow()) break;
    }
    return nullptr;
}

} // namespace

ScalingLayout::ScalingLayout(QWidget* area, QSize designSize, int stretchLine)
    : QLayout(area)
    , m_design(designSize)
    , m_stretchLine(stretchLine) {
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetMinimumSize);
}

ScalingLayout::~ScalingLayout() = default;

void ScalingLayout::addContainer(QWidget* container) {
    if (container) m_containers.emplace_back(container);
}

bool ScalingLayout::isContainer(const QWidget* widget) const {
    for (const QPointer<QWidget>& c : m_containers)
        if (c == widget) return true;
    return false;
}

void ScalingLayout::addItem(QLayoutItem* item) {
    // Children are found, not added; an item handed over anyway is not kept.
    delete item;
}

QSize ScalingLayout::sizeHint() const {
    return m_design;
}

QSize ScalingLayout::minimumSize() const {
    return {scaled(m_design.width(), minimumScale), scaled(m_design.height(), minimumScale)};
}

QRect ScalingLayout::designRect(const QWidget* widget) {
    const QVariant rect = widget ? widget->property(designRectProperty) : QVariant();
    return rect.isValid() ? rect.toRect() : (widget ? widget->geometry() : QRect());
}

void ScalingLayout::moveInDesign(QWidget* widget, QPoint designTopLeft) {
    if (!widget) return;
    ScalingLayout* layout = layoutFor(widget);
    if (!layout || !widget->property(designRectProperty).isValid()) {
        widget->move(designTopLeft);
        return;
    }
    QRect rect = designRect(widget);
    rect.moveTopLeft(designTopLeft);
    widget->setProperty(designRectProperty, rect);
    const bool onArea = widget->parentWidget() == layout->parentWidget();
    layout->m_placing = true;
    layout->place(widget, onArea ? layout->m_offset : QPoint(), onArea ? layout->m_extraHeight : 0);
    layout->m_placing = false;
}

void ScalingLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    if (m_design.isEmpty() || rect.isEmpty()) return;
    m_scale = std::min(qreal(rect.width()) / m_design.width(), qreal(rect.height()) / m_design.height());
    const int usedWidth = scaled(m_design.width(), m_scale);
    m_offset = QPoint(rect.x() + (rect.width() - usedWidth) / 2, rect.y());
    m_extraHeight = std::max(0, rect.height() - scaled(m_design.height(), m_scale));
    m_placing = true;
    placeChildren(parentWidget(), m_offset, m_extraHeight);
    m_placing = false;
}

void ScalingLayout::placeChildren(QWidget* parent, QPoint offset, int extraHeight) {
    if (!parent) return;
    const QObjectList children = parent->children();
    // Every child's design is taken before any font changes, which the children would inherit.
    for (QObject* object : children)
        if (auto* child = qobject_cast<QWidget*>(object); child && !child->isWindow()) remember(child);
    for (QObject* object : children) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow()) continue;
        place(child, offset, extraHeight);
        if (isContainer(child)) placeChildren(child, QPoint(), 0);
    }
}

void ScalingLayout::remember(QWidget* child) {
    if (child->property(designRectProperty).isValid()) return;
    child->setProperty(designRectProperty, child->geometry());
    // The design gives the size; a fixed size would keep the widget from growing with the window.
    child->setMinimumSize(0, 0);
    child->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A child that inherits its font inherits it in design terms from its parent.
    const QVariant parentFont = child->parentWidget()->property(designFontProperty);
    const QFont font = child->testAttribute(Qt::WA_SetFont) || !parentFont.isValid()
                           ? child->font()
                           : parentFont.value<QFont>();
    child->setProperty(designFontProperty, font);
    if (auto* button = qobject_cast<QAbstractButton*>(child))
        child->setProperty(designIconProperty, button->iconSize());
    // Pictures drawn for the design size follow their label's size.
    if (auto* label = qobject_cast<QLabel*>(child); label && !label->pixmap().isNull())
        label->setScaledContents(true);
    child->installEventFilter(this);
}

void ScalingLayout::place(QWidget* child, QPoint offset, int extraHeight) {
    QRect rect = scaledRect(designRect(child), m_scale).translated(offset);
    if (extraHeight > 0 && child->parentWidget() == parentWidget()) {
        const QRect design = designRect(child);
        if (design.top() >= m_stretchLine)
            rect.translate(0, extraHeight);
        else if (design.bottom() > m_stretchLine)
            rect.setHeight(rect.height() + extraHeight);
    }
    if (child->geometry() != rect) child->setGeometry(rect);
    applyFont(child);
    if (auto* button = qobject_cast<QAbstractButton*>(child)) {
        const QSize icon = child->property(designIconProperty).toSize();
        if (icon.isValid()) button->setIconSize(icon * m_scale);
    }
}

void ScalingLayout::applyFont(QWidget* child) {
    const QFont font = scaledFont(child->property(designFontProperty).value<QFont>(), m_scale);
    if (child->font() != font) child->setFont(font);
    // A text pane's lines follow its document's font, not the widget's.
    if (auto* pane = qobject_cast<QTextEdit*>(child); pane && pane->document()->defaultFont() != font)
        pane->document()->setDefaultFont(font);
}

bool ScalingLayout::atDesignSize() const {
    return std::abs(m_scale - 1.0) < 1e-9 && m_offset.isNull() && m_extraHeight == 0;
}

bool ScalingLayout::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || m_placing) return QLayout::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FontChange:
        // A font set from outside is meant in design terms.
        widget->setProperty(designFontProperty, widget->font());
        m_placing = true;
        applyFont(widget);
        m_placing = false;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // While the area has exactly the design's size every place is a design place, so one set
        // from outside (a widget built or moved late, in the design's coordinates) is taken as is.
        if (atDesignSize() && widget->property(designRectProperty).isValid())
            widget->setProperty(designRectProperty, widget->geometry());
        break;
    case QEvent::ParentChange:
        // Moved onto another container: its place there is taken afresh.
        widget->setProperty(designRectProperty, QVariant());
        widget->removeEventFilter(this);
        break;
    default:
        break;
    }
    return QLayout::eventFilter(watched, event);
}

} // namespace quibo

// SPDX-License-Identifier: MIT
// ScalingLayout: places the children of a window area that was drawn at one fixed size onto
// whatever size the window has now.
//
// Every child keeps the rectangle it was given in the design (its geometry when the layout first
// sees it, in the coordinates of the 767 by 510 drawing); the layout maps that rectangle onto the
// area with one uniform factor, so the proportions and the reading order stay, and scales each
// child's font with it. Children of the containers named with addContainer are placed the same
// way inside their container, so a board panel and the tiles on it grow together. Extra height
// that the factor leaves goes to the widgets that cross the stretch line (the chat pane), and what
// lies below the line moves down with it; extra width is shared equally left and right.
//
// Code that moves a widget after it was built (a picked tile lowered by four pixels) says where in
// the design with moveInDesign, so the move is scaled like everything else. A font set later in
// design terms (the chat's text size) becomes the widget's design font. Windows (dialogs) among
// the children are left alone. Owned by the area it lays out.
#pragma once

#include <QLayout>
#include <QPointer>
#include <QRect>
#include <vector>

namespace quibo {

class ScalingLayout : public QLayout {
    Q_OBJECT
public:
    // The smallest factor the window may shrink to (640 by 440 with the menu bar).
    static constexpr qreal minimumScale = 0.8;

    // Lays out area, drawn at designSize; widgets whose design rectangle crosses stretchLine (a
    // design y) take the extra height.
    ScalingLayout(QWidget* area, QSize designSize, int stretchLine);
    ~ScalingLayout() override;

    // The children of container, itself a child at any depth of the area, are placed too.
    void addContainer(QWidget* container);
    // Moves widget, placed by this layout or one of its containers, to a design position.
    static void moveInDesign(QWidget* widget, QPoint designTopLeft);
    // The design rectangle of a widget the layout has seen; its geometry otherwise.
    static QRect designRect(const QWidget* widget);
    qreal scale() const { return m_scale; }

    // QLayout: the layout holds no items of its own; it places the children of its area.
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int) const override { return nullptr; }
    QLayoutItem* takeAt(int) override { return nullptr; }
    int count() const override { return 0; }
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeChildren(QWidget* parent, QPoint offset, int extraHeight);
    void place(QWidget* child, QPoint offset, int extraHeight);
    void remember(QWidget* child);
    void applyFont(QWidget* child);
    bool isContainer(const QWidget* widget) const;
    bool atDesignSize() const;

    QSize m_design;
    int m_stretchLine;
    qreal m_scale = 1.0;
    QPoint m_offset;       // where the design's top left lies in the area
    int m_extraHeight = 0; // height the factor leaves, given to the stretch line
    bool m_placing = false;
    std::vector<QPointer<QWidget>> m_containers;
};

} // namespace quibo

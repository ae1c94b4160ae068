// SPDX-License-Identifier: MIT
#include "windowreset.h"

#include "boardpanel.h"
#include "namedwidgets.h"
#include "tchat.h"
#include "tile.h"
#include "tspylist.h"
#include "ttallylist.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QTextEdit>

namespace quibo {

struct WindowReset::ListEntry {
    QString text;
    int check = 0;
    bool operator==(const ListEntry&) const = default;

    static std::vector<ListEntry> of(const QListWidget& list) {
        std::vector<ListEntry> entries;
        for (int row = 0; row < list.count(); ++row)
            entries.push_back({list.item(row)->text(), int(list.item(row)->checkState())});
        return entries;
    }
};

struct WindowReset::WidgetState {
    QPointer<QWidget> widget;
    QString name;
    QVariant tag;
    bool hidden = false;
    bool disabled = false;
    QRect geometry;
    QString styleSheet;
    QString toolTip;
    bool ownPalette = false;
    QPalette palette;
    bool ownFont = false;
    QFont font;
    QString text;
    QPixmap pixmap;
    bool checked = false;
    int index = -1;
    int code = 0;
    bool tilePicture = false;
    std::vector<ListEntry> entries;
    QString html;
    bool emptyDocument = true;

    explicit WidgetState(QWidget* w)
        : widget(w)
        , name(w->objectName())
        , tag(w->property(tagProperty))
        , hidden(w->isHidden())
        , disabled(w->testAttribute(Qt::WA_Disabled))
        , geometry(w->geometry())
        , styleSheet(w->styleSheet())
        , toolTip(w->toolTip())
        , ownPalette(w->testAttribute(Qt::WA_SetPalette))
        , palette(w->palette())
        , ownFont(w->testAttribute(Qt::WA_SetFont))
        , font(w->font()) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            pixmap = label->pixmap();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            checked = button->isChecked();
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            text = edit->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            index = combo->currentIndex();
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            entries = ListEntry::of(*list);
        } else if (auto* pane = qobject_cast<QTextEdit*>(w)) {
            emptyDocument = pane->document()->isEmpty();
            if (!emptyDocument) html = pane->toHtml();
        } else if (auto* tile = qobject_cast<Tile*>(w)) {
            code = tile->shownCode();
            tilePicture = tile->hasPicture();
        }
    }

    void restore(const TileSet& tiles) const {
        QWidget* w = widget;
        if (!w) return;
        if (w->objectName() != name) w->setObjectName(name);
        if (w->property(tagProperty) != tag) w->setProperty(tagProperty, tag);
        if (w->styleSheet() != styleSheet) w->setStyleSheet(styleSheet);
        if (w->toolTip() != toolTip) w->setToolTip(toolTip);
        if (ownPalette) {
            if (!w->testAttribute(Qt::WA_SetPalette) || w->palette() != palette) w->setPalette(palette);
        } else if (w->testAttribute(Qt::WA_SetPalette)) {
            w->setPalette(QPalette());
        }
        if (ownFont) {
            if (!w->testAttribute(Qt::WA_SetFont) || w->font() != font) w->setFont(font);
        } else if (w->testAttribute(Qt::WA_SetFont)) {
            w->setFont(QFont());
        }
        if (w->testAttribute(Qt::WA_Disabled) != disabled) w->setEnabled(!disabled);
        if (w->geometry() != geometry) w->setGeometry(geometry);
        restoreContent(w, tiles);
        if (w->isHidden() != hidden) w->setHidden(hidden);
    }

    void restoreContent(QWidget* w, const TileSet& tiles) const {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!pixmap.isNull()) {
                if (label->pixmap().cacheKey() != pixmap.cacheKey()) label->setPixmap(pixmap);
            } else if (label->text() != text || !label->pixmap().isNull()) {
                label->setText(text);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text() != text) button->setText(text);
            if (button->isChecked() != checked) button->setChecked(checked);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != text) edit->setText(text);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->currentIndex() != index) combo->setCurrentIndex(index);
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            if (ListEntry::of(*list) == entries) return;
            list->clear();
            for (const ListEntry& entry : entries) {
                auto* item = new QListWidgetItem(entry.text, list);
                if (entry.check) item->setCheckState(Qt::CheckState(entry.check));
            }
        } else if (auto* pane = qobject_cast<QTextEdit*>(w)) {
            if (emptyDocument) {
                if (!pane->document()->isEmpty()) pane->clear();
            } else {
                pane->setHtml(html);
            }
        } else if (auto* tile = qobject_cast<Tile*>(w)) {
            if (!tilePicture)
                tile->clearPicture();
            else if (tile->shownCode() != code || !tile->hasPicture())
                tile->showLetter(tiles, code);
        }
    }
};

struct WindowReset::ActionState {
    QPointer<QAction> action;
    QString text;
    bool checked;
    bool enabled;
    bool visible;

    explicit ActionState(QAction* a)
        : action(a)
        , text(a->text())
        , checked(a->isChecked())
        , enabled(a->isEnabled())
        , visible(a->isVisible()) {}

    void restore() const {
        if (!action) return;
        if (action->text() != text) action->setText(text);
        if (action->isChecked() != checked) action->setChecked(checked);
        if (action->isEnabled() != enabled) action->setEnabled(enabled);
        if (action->isVisible() != visible) action->setVisible(visible);
    }
};

WindowReset::WindowReset(Tchat& window, Tspylist* spylist, Ttallylist* tally)
    : m_window(window)
    , m_spylist(spylist)
    , m_tally(tally) {
    m_widgets.emplace_back(&window);
    for (QWidget* w : window.findChildren<QWidget*>())
        m_widgets.emplace_back(w);
    for (QAction* a : window.findChildren<QAction*>())
        m_actions.emplace_back(a);
}

WindowReset::~WindowReset() = default;

void WindowReset::reset() {
    // Dialogs a session opened and left (boxes are answered, but may stay as children) go first.
    QSet<const QWidget*> built;
    for (const WidgetState& state : m_widgets)
        built.insert(state.widget.data());
    for (QDialog* dialog : m_window.findChildren<QDialog*>()) {
        if (!built.contains(dialog)) delete dialog;
    }
    m_window.resetForNextTable();
    if (m_spylist) m_spylist->resetForNextTable();
    if (m_tally) m_tally->resetForNextTable();
    const TileSet& tiles = m_window.board()->tiles();
    // Lists first: emptying one may have its handlers change other widgets, which follow.
    for (const WidgetState& state : m_widgets) {
        if (qobject_cast<QListWidget*>(state.widget)) state.restore(tiles);
    }
    // Children before their parents are shown again, so the window ends as it was built.
    for (auto state = m_widgets.rbegin(); state != m_widgets.rend(); ++state)
        state->restore(tiles);
    for (const ActionState& state : m_actions)
        state.restore();
}

} // namespace quibo

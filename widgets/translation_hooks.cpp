#include "widgets/translation_hooks.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QTabBar>

#include "support/internacionalization.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

TTranslationEditorFactory& EditorFactory() {
    static TTranslationEditorFactory factory;
    return factory;
}

// Closes the open menus, so that the editor can be used at once.
void CloseMenus() {
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) return;
        popup->close();
    }
}

}  // namespace

void SetTranslationEditorFactory(TTranslationEditorFactory factory) { EditorFactory() = std::move(factory); }

TTranslationHooks::TTranslationHooks(TInternacionalization& translation, QObject* parent)
    : QObject(parent), translation_(translation) {}

TTranslationHooks::~TTranslationHooks() {
    if (filtering_ && qApp) qApp->removeEventFilter(this);
}

void TTranslationHooks::HookForEditing(QWidget* window) {
    if (!window) return;
    if (!filtering_) {
        // One filter for the whole application sees the presses on every inner part of a control.
        qApp->installEventFilter(this);
        filtering_ = true;
    }
    Hook(window);
    for (QObject* component : OwnedComponents(window))
        if (component->isWidgetType() || qobject_cast<QAction*>(component)) Hook(component);
}

void TTranslationHooks::Hook(QObject* component) {
    if (!hooked_.insert(component).second) return;
    order_.emplace_back(component);
    connect(component, &QObject::destroyed, this, [this](QObject* gone) { hooked_.erase(gone); });
}

std::vector<QObject*> TTranslationHooks::HookedComponents() const {
    std::vector<QObject*> components;
    for (const QPointer<QObject>& component : order_)
        if (component) components.push_back(component.data());
    return components;
}

TTranslationEditor* TTranslationHooks::ShowEditor() {
    if (!editor_) {
        if (!EditorFactory()) return nullptr;
        editor_ = EditorFactory()(translation_);
        if (!editor_) return nullptr;
    }
    editor_->ShowEditor(QString::fromStdString(translation_.XmlLanguageName()));
    return editor_.get();
}

bool TTranslationHooks::EditControl(QObject* control, int item) {
    TTranslationEditor* editor = ShowEditor();
    if (!editor) return false;
    editor->SetTargetWindow(TranslationWindow(control));
    if (item >= 0) editor->SetItemIndex(item);
    editor->SelectControl(control);
    return editor->NoControlActions();
}

QObject* TTranslationHooks::HookedAncestor(QWidget* widget) const {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (IsHooked(w)) return w;
        if (w->isWindow()) break;
    }
    return nullptr;
}

bool TTranslationHooks::Covers(const QObject* component) const {
    if (!component) return false;
    if (IsHooked(component)) return true;
    const QWidget* window = TranslationWindow(component);
    return window && IsHooked(window);
}

bool TTranslationHooks::ActionsHeld() const { return editor_ && editor_->NoControlActions(); }

bool TTranslationHooks::Shortcut(QObject* receiver) {
    if (!ActionsHeld() || !Covers(receiver)) return false;
    // The shortcut picks what it would have run, as a click on a menu item does.
    QObject* control = receiver;
    if (auto* shortcut = qobject_cast<QShortcut*>(receiver)) control = shortcut->parent();
    if (control && !control->objectName().isEmpty()) EditControl(control, -1);
    return true;
}

bool TTranslationHooks::MenuKey(QWidget* receiver, QKeyEvent* event) {
    auto* menu = qobject_cast<QMenu*>(receiver);
    auto* bar = qobject_cast<QMenuBar*>(receiver);
    if ((!menu && !bar) || !ActionsHeld() || !Covers(receiver)) return false;
    const QList<QAction*> actions = receiver->actions();
    QAction* chosen = nullptr;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Select:
            chosen = menu ? menu->activeAction() : bar->activeAction();
            break;
        default: {
            // A letter that is the mnemonic of exactly one item runs that item.
            const QString text = event->text().toUpper();
            if (text.size() != 1) break;
            int matches = 0;
            for (QAction* action : actions) {
                if (!action->isVisible() || !action->isEnabled() || action->isSeparator()) continue;
                const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
                if (!mnemonic.isEmpty() && mnemonic[0].key() == text.front().unicode()) {
                    ++matches;
                    chosen = action;
                }
            }
            if (matches != 1) chosen = nullptr;
        }
    }
    // Opening a menu is no action of the program; an item is.
    if (!chosen || chosen->menu() || chosen->isSeparator() || !chosen->isEnabled()) return false;
    if (!chosen->objectName().isEmpty()) EditControl(chosen, -1);
    CloseMenus();
    return true;
}

bool TTranslationHooks::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Shortcut:
            if (Shortcut(watched)) return true;
            break;
        case QEvent::KeyPress:
            if (auto* widget = qobject_cast<QWidget*>(watched); widget && MenuKey(widget, static_cast<QKeyEvent*>(event)))
                return true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (auto* widget = qobject_cast<QWidget*>(watched)) return MousePress(widget, static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            if (swallowRelease_) {
                swallowRelease_ = false;
                return true;
            }
            if (auto* widget = qobject_cast<QWidget*>(watched)) return MenuRelease(widget, static_cast<QMouseEvent*>(event));
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

bool TTranslationHooks::MousePress(QWidget* receiver, QMouseEvent* event) {
    // A press that a child did not take is passed on to its parents as copies: handle it once.
    if (lastReceiver_ && event->timestamp() == lastTimestamp_ && receiver->isAncestorOf(lastReceiver_)) return false;
    // A new press: the release of a swallowed one, should a dialog of the editor have taken it, is
    // not waited for any longer.
    swallowRelease_ = false;
    const QPoint position = event->position().toPoint();

    QObject* control = nullptr;
    int item = -1;
    if (auto* bar = qobject_cast<QMenuBar*>(receiver)) {
        // Opening a menu is not the menu's action: the menu opens whatever the editor says.
        QAction* action = bar->actionAt(position);
        if (action && action->menu() && Covers(action->menu())) {
            EditControl(action->menu(), -1);
            return false;
        }
    }
    if (auto* tabs = qobject_cast<QTabBar*>(receiver); tabs && IsHooked(tabs) && tabs->tabAt(position) >= 0) {
        control = tabs;
        item = tabs->tabAt(position);
    } else if (event->modifiers() & Qt::ControlModifier) {
        control = HookedAncestor(receiver);
    }
    if (!control) return false;

    lastReceiver_ = receiver;
    lastTimestamp_ = event->timestamp();
    if (!EditControl(control, item)) return false;
    swallowRelease_ = true;
    return true;
}

bool TTranslationHooks::MenuRelease(QWidget* receiver, QMouseEvent* event) {
    auto* menu = qobject_cast<QMenu*>(receiver);
    if (!menu) return false;
    QAction* action = menu->actionAt(event->position().toPoint());
    if (!action || action->menu() || action->isSeparator() || !Covers(action)) return false;
    if (!EditControl(action, -1)) return false;
    CloseMenus();
    return true;
}

}  // namespace nerim

#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace nerim {

class TInternacionalization;

// What translation mode needs of the translation editor window: the five calls the hooks make.
class TTranslationEditor {
public:
    virtual ~TTranslationEditor() = default;

    // Lists the controls of a window (nothing happens when it is listed already).
    virtual void SetTargetWindow(QWidget* window) = 0;
    // Makes a control (a widget, an action or a menu) the one being edited.
    virtual void SelectControl(QObject* control) = 0;
    // The item number of a control that holds items.
    virtual void SetItemIndex(int index) = 0;
    // Whether its box "No realizar acciones del control" is ticked: the click that selected a
    // control is then not passed on to it.
    virtual bool NoControlActions() const = 0;
    // Brings the editor up showing the language being edited.
    virtual void ShowEditor(const QString& languageName) = 0;
};

// Makes the editor on the first ShowEditor. The hooks own what it returns for the rest of their
// life, so the editor must not be given a parent that would delete it.
using TTranslationEditorFactory = std::function<std::unique_ptr<TTranslationEditor>(TInternacionalization&)>;

// Installs the factory that translation mode uses from then on (an empty one removes it). Without
// a factory translation mode has no editor to show and every click reaches its control.
void SetTranslationEditorFactory(TTranslationEditorFactory factory);

// Translation mode: once a window is hooked, a translator picks its controls with the mouse.
// - A press with Ctrl held on a hooked widget, or on an unnamed part of one (the text field of a
//   spin box, the empty area of a frame or of the window), shows the editor, lists the widget's
//   window and selects the widget.
// - A click on a hooked menu item does the same without Ctrl; a click on the title of a hooked
//   menu in the menu bar selects the menu and opens it as usual.
// - A click on an item of a hooked control that holds items (a tab of a tab bar) shows the editor,
//   lists the window, sets the item number and selects the control.
// In each case the control then acts as it would, unless the editor's "No realizar acciones del
// control" box is ticked: the press and the release that follows it (or the menu click) are then
// swallowed, so a button's clicked or an action's triggered does not fire. Plain clicks on
// controls are never touched.
//
// With the editor up and that box ticked, the keyboard runs nothing either: a shortcut of anything
// in a hooked window (an action's, a button's, a QShortcut's) and an item of one of its menus
// chosen with Enter, Space or its mnemonic letter select what they would have run, and the editor
// shows it. Menus still open from the keyboard. The guard goes by the window, so actions, menus and
// shortcuts a hooked window gains later are held back too; with the box clear they all work as usual.
//
// Every named widget and action of the window is hooked, fields included, so that the translator
// can pick any control whose hint is translated. Hooking is only ever done in the translation
// build: the standard program never creates this object.
class TTranslationHooks : public QObject {
    Q_OBJECT

public:
    explicit TTranslationHooks(TInternacionalization& translation, QObject* parent = nullptr);
    ~TTranslationHooks() override;

    // Hooks the window and every component it owns that is not hooked yet; hooking a window
    // again picks up the components it gained since.
    void HookForEditing(QWidget* window);
    // Components hooked so far, in hooking order (those since destroyed left out).
    std::vector<QObject*> HookedComponents() const;
    bool IsHooked(const QObject* component) const { return hooked_.count(component) != 0; }

    // Creates the editor on first use (through the installed factory), then shows it with the
    // language XmlLanguageName. Null when no factory is installed.
    TTranslationEditor* ShowEditor();
    // The editor once created, or null.
    TTranslationEditor* Editor() const { return editor_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Hook(QObject* component);
    bool MousePress(QWidget* receiver, QMouseEvent* event);
    // A shortcut or a menu key for something of a hooked window, held back; true when swallowed.
    bool Shortcut(QObject* receiver);
    bool MenuKey(QWidget* receiver, QKeyEvent* event);
    // A hooked component, or any component of a hooked window.
    bool Covers(const QObject* component) const;
    // The editor is up with "No realizar acciones del control" ticked.
    bool ActionsHeld() const;
    bool MenuRelease(QWidget* receiver, QMouseEvent* event);
    // Shows the editor for a control (and item) of a window; true when the click must be swallowed.
    bool EditControl(QObject* control, int item);
    QObject* HookedAncestor(QWidget* widget) const;

    TInternacionalization& translation_;
    std::vector<QPointer<QObject>> order_;
    std::unordered_set<const QObject*> hooked_;
    std::unique_ptr<TTranslationEditor> editor_;
    bool filtering_ = false;
    // The press last handled, so that its copies passed on to the parents are not handled again.
    QPointer<QWidget> lastReceiver_;
    quint64 lastTimestamp_ = 0;
    // A press was swallowed: its release goes too.
    bool swallowRelease_ = false;
};

}  // namespace nerim

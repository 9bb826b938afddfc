#pragma once

#include <string>
#include <vector>

#include <QString>

class QObject;
class QWidget;

namespace nerim {

class TInternacionalization;

// Window translation on Qt: how the entries of the translation list (support/internacionalization.h)
// meet the windows and their controls.
//
// Names. A component's name is its objectName. The window is the top-level widget a component
// belongs to: a widget without a parent, or one shown as a window or dialog; menus, floating tool
// windows and tool tips belong to the window of their parent. The key of a window is its name
// ("frmNerim"), that of a component the window's name, "." and its name ("frmNerim.btnAgua"),
// and that of an item of a control that holds items "frmNerim.tabs_2" (the item's index).
//
// The components a window owns, in creation order, are its named descendants, depth first in
// child order: widgets, actions (of the window or of its menus) and the objects shown in its
// graphics views (charts, their series and axes). Qt's own inner parts (names beginning with "qt_")
// are not components, though what they hold is searched; child windows and dialogs own their
// components themselves.
//
// Caption by class, the one rule every function here follows:
//   label, push, tool, check and radio button        its text
//   group box (the collapsible frame TQmtFrame too)  its title
//   menu                                             its title
//   action (menu item, tool bar item)                its text
//   page of a tab widget                             its tab's text
//   page of a stacked widget                         its window title
//   combo box                                        its whole item list, one item per line
//   dock panel                                       its title
//   chart / chart series / chart axis                its title / its name / its title
//   the window itself                                its window title
//   any other class                                  no caption
// The hint is a widget's tool tip (a control that declares the property "baseToolTip", as the
// validated edit does, gets it there and composes its tool tip itself), and an action's or a
// menu's tool tip and status tip. Line breaks are "\n" here and CR LF in the translation list.
//
// A tab bar on its own holds items: each tab is an item whose caption is the tab's text and whose
// hint is the tab's tool tip; it is translated by item keys only.
//
// A combo box given an empty caption keeps its items: an item list may carry the program's own
// data, which no translation should wipe.

// The texts of a control as the translation editor shows them.
struct TControlTexts {
    QString Caption;
    QString Hint;
    // False when the control is marked as not showing hints (its property "showHint" is false).
    bool HintAllowed = true;
};

// The window a component belongs to (a window belongs to itself); null when there is none.
QWidget* TranslationWindow(const QObject* component);
// The translation key of a component, or of one of its items when item >= 0.
std::string TranslationKey(const QObject* component, int item = -1);
// The named components of a window in creation order.
std::vector<QObject*> OwnedComponents(const QWidget* window);

// Whether a component takes a caption or holds translatable items.
bool IsTranslatable(const QObject* component);
// Whether a component holds translatable items, and how many.
bool HoldsItems(const QObject* component);
int ItemCount(const QObject* component);

// Sets the control's caption and hint, or those of its item number item for a control that holds
// items (EListIndexError when there is no such item), and records them in the translation list as
// "caption##hint" under the control's key. The hint is always set, so an empty hint clears it;
// hasHint, which the translation editor passes, therefore changes nothing.
void ApplyTranslation(TInternacionalization& translation, QObject* control, int item, bool hasHint,
                      const QString& hint, const QString& caption);

// Applies the translation list to a window: its own entry (the caption before "##" as the window
// title, the text after it as its tool tip; without "##" the whole value as the title), then
// ApplyTranslation for every owned component, or every item of one that holds items, that has an
// entry. Nothing happens without a window.
void TranslateComponent(TInternacionalization& translation, QWidget* window);

// The present caption and hint of a control, or of its item number item for a control that holds
// items (caption only; EListIndexError when there is no such item).
TControlTexts CurrentTexts(const QObject* control, int item);

}  // namespace nerim

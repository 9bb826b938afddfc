#include "widgets/window_translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>

#include "support/exception.h"
#include "support/internacionalization.h"

namespace nerim {
namespace {

// Property through which a control that composes its own tool tip takes its base hint.
constexpr const char* kBaseToolTipProperty = "baseToolTip";
// Property that marks a control as not showing hints.
constexpr const char* kShowHintProperty = "showHint";

// Where a component's caption goes.
enum class TCaptionKind {
    None, Window, Text, GroupTitle, FrameTitle, MenuTitle, Action, TabPage, StackedPage, Items, Panel, ChartTitle,
    SeriesName, AxisTitle
};

bool IsNamedClass(const QObject* object, const char* className) {
    const QString name = QString::fromLatin1(object->metaObject()->className());
    return name == QLatin1String(className) || name.endsWith(QLatin1String("::") + QLatin1String(className));
}

// The tab widget a page belongs to, or null.
QTabWidget* TabWidgetOfPage(const QWidget* page) {
    QWidget* stack = page->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(page)) >= 0 ? tabs : nullptr;
}

bool IsWindowOfItsOwn(const QWidget* widget) {
    if (!widget->parentWidget()) return true;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet;
}

TCaptionKind CaptionKind(const QObject* object) {
    if (qobject_cast<const QAction*>(object)) return TCaptionKind::Action;
    if (const auto* widget = qobject_cast<const QWidget*>(object)) {
        if (IsWindowOfItsOwn(widget)) return TCaptionKind::Window;
        if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)) return TCaptionKind::Text;
        if (qobject_cast<const QGroupBox*>(widget)) return TCaptionKind::GroupTitle;
        // The collapsible frame is a group box; one that were not is still known by its class name.
        if (IsNamedClass(widget, "TQmtFrame")) return TCaptionKind::FrameTitle;
        if (qobject_cast<const QMenu*>(widget)) return TCaptionKind::MenuTitle;
        if (qobject_cast<const QComboBox*>(widget)) return TCaptionKind::Items;
        if (qobject_cast<const QDockWidget*>(widget)) return TCaptionKind::Panel;
        if (TabWidgetOfPage(widget)) return TCaptionKind::TabPage;
        if (qobject_cast<const QStackedWidget*>(widget->parentWidget())) return TCaptionKind::StackedPage;
        return TCaptionKind::None;
    }
    // Charts and their series, known by class name so that this library needs no charts module.
    if (object->inherits("QChart")) return TCaptionKind::ChartTitle;
    if (object->inherits("QAbstractSeries")) return TCaptionKind::SeriesName;
    if (object->inherits("QAbstractAxis")) return TCaptionKind::AxisTitle;
    return TCaptionKind::None;
}

// Lines of a combo box's item list; a final line break starts no further item.
QStringList ItemLines(const QString& caption) {
    QStringList lines = caption.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

void SetComboItems(QComboBox* combo, const QString& caption) {
    if (caption.isEmpty()) return;
    const QStringList lines = ItemLines(caption);
    // Item by item, so that the items keep their data and the choice stays where it was.
    const QSignalBlocker blocker(combo);
    for (int i = 0; i < lines.size(); ++i) {
        if (i < combo->count())
            combo->setItemText(i, lines[i]);
        else
            combo->addItem(lines[i]);
    }
    while (combo->count() > lines.size()) combo->removeItem(combo->count() - 1);
}

QString ComboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items.join(QLatin1Char('\n'));
}

QString CaptionOf(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    switch (CaptionKind(object)) {
        case TCaptionKind::Window: return widget->windowTitle();
        case TCaptionKind::Text:
            if (const auto* label = qobject_cast<const QLabel*>(object)) return label->text();
            return static_cast<const QAbstractButton*>(object)->text();
        case TCaptionKind::GroupTitle: return static_cast<const QGroupBox*>(object)->title();
        case TCaptionKind::FrameTitle: return object->property("title").toString();
        case TCaptionKind::MenuTitle: return static_cast<const QMenu*>(object)->title();
        case TCaptionKind::Action: return static_cast<const QAction*>(object)->text();
        case TCaptionKind::TabPage: {
            const QTabWidget* tabs = TabWidgetOfPage(widget);
            return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(widget)));
        }
        case TCaptionKind::StackedPage:
        case TCaptionKind::Panel: return widget->windowTitle();
        case TCaptionKind::Items: return ComboItems(static_cast<const QComboBox*>(object));
        case TCaptionKind::ChartTitle: return object->property("title").toString();
        case TCaptionKind::SeriesName: return object->property("name").toString();
        case TCaptionKind::AxisTitle: return object->property("titleText").toString();
        case TCaptionKind::None: break;
    }
    return {};
}

void SetCaption(QObject* object, const QString& caption) {
    auto* widget = qobject_cast<QWidget*>(object);
    switch (CaptionKind(object)) {
        case TCaptionKind::Window: widget->setWindowTitle(caption); break;
        case TCaptionKind::Text:
            if (auto* label = qobject_cast<QLabel*>(object))
                label->setText(caption);
            else
                static_cast<QAbstractButton*>(object)->setText(caption);
            break;
        case TCaptionKind::GroupTitle: static_cast<QGroupBox*>(object)->setTitle(caption); break;
        case TCaptionKind::FrameTitle: object->setProperty("title", caption); break;
        case TCaptionKind::MenuTitle: static_cast<QMenu*>(object)->setTitle(caption); break;
        case TCaptionKind::Action: static_cast<QAction*>(object)->setText(caption); break;
        case TCaptionKind::TabPage: {
            QTabWidget* tabs = TabWidgetOfPage(widget);
            tabs->setTabText(tabs->indexOf(widget), caption);
            break;
        }
        case TCaptionKind::StackedPage:
        case TCaptionKind::Panel: widget->setWindowTitle(caption); break;
        case TCaptionKind::Items: SetComboItems(static_cast<QComboBox*>(object), caption); break;
        case TCaptionKind::ChartTitle: object->setProperty("title", caption); break;
        case TCaptionKind::SeriesName: object->setProperty("name", caption); break;
        case TCaptionKind::AxisTitle: object->setProperty("titleText", caption); break;
        case TCaptionKind::None: break;
    }
}

// An action's hint: its status tip, or the tool tip when one was set apart from the text (Qt
// makes up a tool tip from the text when none was set).
QString ActionHint(const QAction* action) {
    if (!action->statusTip().isEmpty()) return action->statusTip();
    QString text = action->text();
    text.remove(QLatin1Char('&'));
    return action->toolTip() == text ? QString() : action->toolTip();
}

void SetActionHint(QAction* action, const QString& hint) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

QString HintOf(const QObject* object) {
    if (const auto* action = qobject_cast<const QAction*>(object)) return ActionHint(action);
    if (const auto* menu = qobject_cast<const QMenu*>(object)) return ActionHint(menu->menuAction());
    if (const auto* widget = qobject_cast<const QWidget*>(object)) {
        const QVariant base = widget->property(kBaseToolTipProperty);
        return base.isValid() ? base.toString() : widget->toolTip();
    }
    return {};
}

void SetHint(QObject* object, const QString& hint) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        SetActionHint(action, hint);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        SetActionHint(menu->menuAction(), hint);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (widget->property(kBaseToolTipProperty).isValid())
            widget->setProperty(kBaseToolTipProperty, hint);
        else
            widget->setToolTip(hint);
    }
}

QString QtLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString QtText(const std::string& text) { return QtLineBreaks(QString::fromStdString(text)); }

std::string ListText(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return out.toStdString();
}

QTabBar* ItemHolder(const QObject* component) { return qobject_cast<QTabBar*>(const_cast<QObject*>(component)); }

void Collect(const QObject* object, std::vector<QObject*>& out);

// The objects a graphics scene shows that no object owns: they belong to the view's window.
void CollectScene(const QGraphicsScene* scene, std::vector<QObject*>& out) {
    for (QGraphicsItem* item : scene->items(Qt::AscendingOrder)) {
        QGraphicsObject* object = item->toGraphicsObject();
        if (object && !item->parentItem() && !object->parent()) {
            if (!object->objectName().isEmpty()) out.push_back(object);
            Collect(object, out);
        }
    }
}

void Collect(const QObject* object, std::vector<QObject*>& out) {
    for (QObject* child : object->children()) {
        if (const auto* widget = qobject_cast<const QWidget*>(child); widget && IsWindowOfItsOwn(widget)) continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && (child->isWidgetType() || qobject_cast<QAction*>(child) ||
                                                                         CaptionKind(child) != TCaptionKind::None))
            out.push_back(child);
        Collect(child, out);
        if (const auto* scene = qobject_cast<const QGraphicsScene*>(child)) CollectScene(scene, out);
    }
}

}  // namespace

QWidget* TranslationWindow(const QObject* component) {
    const QObject* object = component;
    while (object) {
        if (const auto* widget = qobject_cast<const QWidget*>(object); widget && IsWindowOfItsOwn(widget))
            return const_cast<QWidget*>(widget);
        const QObject* parent = object->parent();
        // A chart shown in a view has no owner object: it belongs to the view.
        if (!parent)
            if (const auto* item = qobject_cast<const QGraphicsObject*>(object); item && item->scene() &&
                                                                                 !item->scene()->views().isEmpty())
                parent = item->scene()->views().front();
        object = parent;
    }
    return nullptr;
}

std::string TranslationKey(const QObject* component, int item) {
    const QWidget* window = TranslationWindow(component);
    std::string key = component->objectName().toStdString();
    if (window != component) key = (window ? window->objectName().toStdString() : std::string()) + "." + key;
    if (item >= 0) key += "_" + std::to_string(item);
    return key;
}

std::vector<QObject*> OwnedComponents(const QWidget* window) {
    std::vector<QObject*> components;
    if (window) Collect(window, components);
    return components;
}

bool IsTranslatable(const QObject* component) {
    return HoldsItems(component) || (CaptionKind(component) != TCaptionKind::None);
}

bool HoldsItems(const QObject* component) { return ItemHolder(component) != nullptr; }

int ItemCount(const QObject* component) {
    const QTabBar* bar = ItemHolder(component);
    return bar ? bar->count() : 0;
}

void ApplyTranslation(TInternacionalization& translation, QObject* control, int item, [[maybe_unused]] bool hasHint,
                      const QString& hint, const QString& caption) {
    if (!control) return;
    const QString qtCaption = QtLineBreaks(caption);
    const QString qtHint = QtLineBreaks(hint);
    if (QTabBar* bar = ItemHolder(control)) {
        CheckListIndex(item, bar->count());
        bar->setTabText(item, qtCaption);
        bar->setTabToolTip(item, qtHint);
        translation.RecordTranslation(TranslationKey(control, item), ListText(qtCaption), ListText(qtHint));
        return;
    }
    // The hint is set after the caption whatever hasHint says, so an entry without one clears it.
    SetCaption(control, qtCaption);
    SetHint(control, qtHint);
    translation.RecordTranslation(TranslationKey(control), ListText(qtCaption), ListText(qtHint));
}

void TranslateComponent(TInternacionalization& translation, QWidget* window) {
    if (!window) return;
    const std::string name = window->objectName().toStdString();
    if (const TTranslationEntry* entry = name.empty() ? nullptr : translation.TranslationList().Entry(name)) {
        if (entry->Texts) {
            window->setWindowTitle(QtText(entry->Texts->Caption));
            window->setToolTip(QtText(entry->Texts->Hint));
        } else {
            const auto separator = entry->Value.find("##");
            window->setWindowTitle(QtText(entry->Value.substr(0, separator)));
            if (separator != std::string::npos) window->setToolTip(QtText(entry->Value.substr(separator + 2)));
        }
    }
    for (QObject* component : OwnedComponents(window)) {
        if (HoldsItems(component)) {
            for (int item = 0; item < ItemCount(component); ++item) {
                const TTranslationTexts texts = translation.LookupTranslation(TranslationKey(component, item));
                if (texts.Found)
                    ApplyTranslation(translation, component, item, texts.HasHint, QtText(texts.Hint), QtText(texts.Caption));
            }
        } else {
            const TTranslationTexts texts = translation.LookupTranslation(TranslationKey(component));
            if (texts.Found)
                ApplyTranslation(translation, component, -1, texts.HasHint, QtText(texts.Hint), QtText(texts.Caption));
        }
    }
}

TControlTexts CurrentTexts(const QObject* control, int item) {
    if (!control) return {};
    if (const QTabBar* bar = ItemHolder(control)) {
        CheckListIndex(item, bar->count());
        return {bar->tabText(item), {}, true};
    }
    TControlTexts texts{CaptionOf(control), HintOf(control), true};
    if (control->isWidgetType()) {
        const QVariant showHint = control->property(kShowHintProperty);
        texts.HintAllowed = !showHint.isValid() || showHint.toBool();
    }
    return texts;
}

}  // namespace nerim

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDockWidget>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "support/exception.h"
#include "support/internacionalization.h"
#include "widgets/qmt_edit.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

template <class T>
T* Named(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

std::vector<std::string> NamesOf(const std::vector<QObject*>& objects) {
    std::vector<std::string> names;
    for (const QObject* o : objects) names.push_back(o->objectName().toStdString());
    return names;
}

// A control that composes its tool tip from a base hint, as the validated edit does.
class BaseHintEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString baseToolTip READ BaseToolTip WRITE SetBaseToolTip)
public:
    using QLineEdit::QLineEdit;
    QString BaseToolTip() const { return base_; }
    void SetBaseToolTip(const QString& base) {
        base_ = base;
        setToolTip(base + " (m)");
    }

private:
    QString base_;
};

TEST(ApplyTranslation, SetsCaptionAndHintAndRecordsOneEntryPerControl) {
    TInternacionalization intl;
    QWidget window;
    window.setObjectName("frmNerim");
    auto* agua = Named<QToolButton>(&window, "btnAgua");
    agua->setText("Agua");
    agua->setToolTip("Nuevo objeto de agua");

    intl.TranslationList().Add("frmNerim.btnAgua", "Water##New water object");
    TranslateComponent(intl, &window);
    EXPECT_EQ(agua->text(), "Water");
    EXPECT_EQ(agua->toolTip(), "New water object");

    ApplyTranslation(intl, agua, -1, true, "Second\nline", "Aqua");
    EXPECT_EQ(intl.TranslationList().Count(), 1u);
    EXPECT_EQ(*intl.TranslationList().Find("frmNerim.btnAgua"), "Aqua##Second\r\nline");
    EXPECT_EQ(agua->toolTip(), "Second\nline");

    // An entry without "##" clears the hint, whatever the flag says.
    intl.TranslationList().SetValue("frmNerim.btnAgua", "Wet");
    TranslateComponent(intl, &window);
    EXPECT_EQ(agua->text(), "Wet");
    EXPECT_TRUE(agua->toolTip().isEmpty());
    ApplyTranslation(intl, agua, -1, false, "", "Dry");
    EXPECT_EQ(*intl.TranslationList().Find("frmNerim.btnAgua"), "Dry##");
}

TEST(ApplyTranslation, ComboBoxCaptionIsItsItemListKeepingDataAndChoice) {
    TInternacionalization intl;
    QWidget window;
    window.setObjectName("frmNerim");
    auto* combo = Named<QComboBox>(&window, "cbxTipoPoroso");
    combo->addItem("Sin medio poroso", 10);
    combo->addItem("Fricción lineal", 11);
    combo->setCurrentIndex(1);
    QSignalSpy changed(combo, &QComboBox::currentIndexChanged);

    intl.TranslationList().Add("frmNerim.cbxTipoPoroso", "No porous medium\\nLinear friction\\nNon-linear friction##Model");
    TranslateComponent(intl, &window);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Non-linear friction");
    EXPECT_EQ(combo->itemData(1).toInt(), 11);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(CurrentTexts(combo, -1).Caption, "No porous medium\nLinear friction\nNon-linear friction");

    // A trailing line break adds no item; fewer lines drop the last items; no caption keeps them.
    ApplyTranslation(intl, combo, -1, true, "", "One\nTwo\n");
    EXPECT_EQ(combo->count(), 2);
    ApplyTranslation(intl, combo, -1, true, "hint", "");
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->toolTip(), "hint");
}

TEST(ApplyTranslation, CaptionGoesWhereEachClassShowsIt) {
    TInternacionalization intl;
    QMainWindow window;
    window.setObjectName("frmTest");
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    auto* label = Named<QLabel>(central, "lbl");
    auto* push = Named<QPushButton>(central, "btnPush");
    auto* group = Named<QGroupBox>(central, "pnlGroup");
    auto* edit = Named<QLineEdit>(group, "edtPlain");
    auto* baseEdit = Named<BaseHintEdit>(group, "edtBase");
    auto* stack = Named<QStackedWidget>(central, "tabEditor");
    auto* page = Named<QWidget>(stack, "tabPage");
    stack->addWidget(page);
    auto* tabs = Named<QTabWidget>(central, "tabs");
    auto* tabPage = Named<QWidget>(nullptr, "tabSheet");
    tabs->addTab(tabPage, "old");
    auto* bar = Named<QTabBar>(central, "barItems");
    bar->addTab("a");
    bar->addTab("b");
    QMenu* menu = window.menuBar()->addMenu("Archivo");
    menu->setObjectName("Archivo1");
    QAction* open = menu->addAction("Abrir");
    open->setObjectName("Abrir1");
    auto* chart = new QChart;
    chart->setObjectName("chrtDX");
    auto* series = new QLineSeries;
    series->setObjectName("serDX");
    chart->addSeries(series);
    auto* view = new QChartView(chart, central);
    view->setObjectName("chrtDX");

    const char* lines[] = {"frmTest=Test window##Window hint", "frmTest.lbl=Label##h1", "frmTest.btnPush=Push##h2",
                           "frmTest.pnlGroup=Group##h5",
                           "frmTest.edtPlain=Ignored##h6", "frmTest.edtBase=##Width", "frmTest.tabPage=Page##h7",
                           "frmTest.tabSheet=Sheet##h8", "frmTest.barItems_1=Bee##Second tab", "frmTest.barItems=X##Y",
                           "frmTest.Archivo1=File##Menu hint", "frmTest.Abrir1=Open...##Open a project",
                           "frmTest.chrtDX=Cells X##Chart hint", "frmTest.serDX=Delta"};
    for (const char* line : lines) intl.TranslationList().AddLine(line);
    TranslateComponent(intl, &window);

    EXPECT_EQ(window.windowTitle(), "Test window");
    EXPECT_EQ(window.toolTip(), "Window hint");
    EXPECT_EQ(label->text(), "Label");
    EXPECT_EQ(push->text(), "Push");
    EXPECT_EQ(group->title(), "Group");
    EXPECT_EQ(group->toolTip(), "h5");
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(edit->toolTip(), "h6");
    EXPECT_EQ(baseEdit->BaseToolTip(), "Width");
    EXPECT_EQ(baseEdit->toolTip(), "Width (m)");
    EXPECT_EQ(CurrentTexts(baseEdit, -1).Hint, "Width");
    EXPECT_EQ(page->windowTitle(), "Page");
    EXPECT_EQ(tabs->tabText(0), "Sheet");
    EXPECT_EQ(bar->tabText(0), "a");
    EXPECT_EQ(bar->tabText(1), "Bee");
    EXPECT_EQ(bar->tabToolTip(1), "Second tab");
    EXPECT_TRUE(bar->toolTip().isEmpty());  // a control with items is translated by its items
    EXPECT_EQ(menu->title(), "File");
    EXPECT_EQ(open->text(), "Open...");
    EXPECT_EQ(open->toolTip(), "Open a project");
    EXPECT_EQ(open->statusTip(), "Open a project");
    EXPECT_EQ(chart->title(), "Cells X");
    EXPECT_EQ(view->toolTip(), "Chart hint");
    EXPECT_EQ(series->name(), "Delta");

    EXPECT_EQ(TranslationKey(open), "frmTest.Abrir1");
    EXPECT_EQ(TranslationKey(series), "frmTest.serDX");
    EXPECT_EQ(TranslationKey(bar, 1), "frmTest.barItems_1");

    const TControlTexts item = CurrentTexts(bar, 1);
    EXPECT_EQ(item.Caption, "Bee");
    EXPECT_TRUE(item.Hint.isEmpty());
    EXPECT_THROW(CurrentTexts(bar, 2), EListIndexError);
    EXPECT_THROW(ApplyTranslation(intl, bar, -1, true, "", "x"), EListIndexError);
    EXPECT_EQ(CurrentTexts(open, -1).Hint, "Open a project");
    push->setProperty("showHint", false);
    EXPECT_FALSE(CurrentTexts(push, -1).HintAllowed);
    EXPECT_TRUE(CurrentTexts(label, -1).HintAllowed);

    EXPECT_TRUE(IsTranslatable(label) && IsTranslatable(bar) && IsTranslatable(page) && IsTranslatable(open));
    EXPECT_FALSE(IsTranslatable(edit) || IsTranslatable(stack) || IsTranslatable(tabs));
}

// The validated edit's base hint is what translation reads and writes; the error line it shows
// for an invalid text stays on top and never becomes part of the base.
TEST(ApplyTranslation, AValidatedEditShowsAndTakesOnlyItsBaseHint) {
    TInternacionalization intl;
    QWidget window;
    window.setObjectName("frmNerim");
    auto* edit = Named<TQmtEdit>(&window, "edtAnchura");
    edit->SetValueType(typDouble);
    edit->SetShowError(TQmtEdit::seOnChange);
    edit->setToolTip("Anchura del dominio (m)");
    edit->setText("abc");
    ASSERT_FALSE(edit->ShownError().isEmpty());
    EXPECT_EQ(CurrentTexts(edit, -1).Hint, "Anchura del dominio (m)");

    ApplyTranslation(intl, edit, -1, true, "Domain width (m)", "");
    EXPECT_EQ(edit->BaseHint(), "Domain width (m)");
    EXPECT_EQ(edit->toolTip(), "Domain width (m)\nError: " + edit->ShownError());
    EXPECT_EQ(*intl.TranslationList().Find("frmNerim.edtAnchura"), "##Domain width (m)");
    edit->setText("2.5");
    EXPECT_EQ(edit->toolTip(), "Domain width (m)");
}

TEST(ApplyTranslation, DockPanelsAndChartAxesTakeTheirTitles) {
    TInternacionalization intl;
    QMainWindow window;
    window.setObjectName("frmTest");
    auto* panel = Named<QDockWidget>(&window, "toolEdit");
    panel->setWindowTitle("Traducir");
    window.addDockWidget(Qt::LeftDockWidgetArea, panel);
    auto* chart = new QChart;
    auto* axis = new QValueAxis;
    axis->setObjectName("axsPosicionX");
    axis->setTitleText("Posición");
    chart->addAxis(axis, Qt::AlignBottom);
    auto* view = new QChartView(chart, &window);
    view->setObjectName("chrtDX");
    intl.TranslationList().AddLine("frmTest.toolEdit=Translate##Panel");
    intl.TranslationList().AddLine("frmTest.axsPosicionX=Position");
    TranslateComponent(intl, &window);
    EXPECT_EQ(panel->windowTitle(), "Translate");
    EXPECT_EQ(axis->titleText(), "Position");
    EXPECT_EQ(CurrentTexts(axis, -1).Caption, "Position");
    EXPECT_EQ(TranslationKey(axis), "frmTest.axsPosicionX");
}

TEST(OwnedComponents, NamedDescendantsDepthFirstWithoutInnerPartsOrChildWindows) {
    QWidget window;
    window.setObjectName("frmOwner");
    auto* frame = Named<QGroupBox>(&window, "pnlA");
    Named<QLabel>(frame, "lblInner");
    auto* unnamed = new QWidget(&window);
    Named<QSpinBox>(unnamed, "sedtDeep");  // its inner line edit is Qt's own
    auto* dialog = Named<QDialog>(&window, "frmChild");
    Named<QPushButton>(dialog, "btnOfChild");
    auto* action = new QAction(&window);
    action->setObjectName("actLast");
    Named<QLabel>(&window, "qt_private");

    EXPECT_EQ(NamesOf(OwnedComponents(&window)),
              (std::vector<std::string>{"pnlA", "lblInner", "sedtDeep", "actLast"}));
    EXPECT_EQ(TranslationKey(dialog->findChild<QPushButton*>("btnOfChild")), "frmChild.btnOfChild");
    EXPECT_TRUE(OwnedComponents(nullptr).empty());
}

}  // namespace
}  // namespace nerim

#include "window_translation_test.moc"

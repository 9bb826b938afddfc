#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include "support/internacionalization.h"
#include "widgets/translation_hooks.h"

namespace nerim {
namespace {

// Stands in for the translation editor and writes down what the hooks ask of it.
struct EditorLog {
    int Shown = 0;
    QString Language;
    std::vector<QWidget*> Windows;
    std::vector<QObject*> Selected;
    std::vector<int> Items;
    bool NoActions = true;
};

class StandInEditor : public TTranslationEditor {
public:
    explicit StandInEditor(EditorLog& log) : log_(log) {}
    void SetTargetWindow(QWidget* window) override { log_.Windows.push_back(window); }
    void SelectControl(QObject* control) override { log_.Selected.push_back(control); }
    void SetItemIndex(int index) override { log_.Items.push_back(index); }
    bool NoControlActions() const override { return log_.NoActions; }
    void ShowEditor(const QString& language) override {
        ++log_.Shown;
        log_.Language = language;
    }

private:
    EditorLog& log_;
};

class TranslationHooks : public ::testing::Test {
protected:
    void SetUp() override {
        SetTranslationEditorFactory([this](TInternacionalization&) {
            ++made;
            return std::make_unique<StandInEditor>(log);
        });
        intl.SetXmlLanguageName("English");
        window.setObjectName("frmNerim");
        auto* central = new QWidget(&window);
        auto* layout = new QVBoxLayout(central);
        window.setCentralWidget(central);
        button = new QPushButton("Agua", central);
        button->setObjectName("btnAgua");
        frame = new QGroupBox("Subzonas", central);
        frame->setObjectName("pnlSubZonasX");
        auto* inner = new QVBoxLayout(frame);
        label = new QLabel("Centro", frame);
        label->setObjectName("lblCentroX");
        spin = new QSpinBox(frame);
        spin->setObjectName("sedtSubZonaX");
        inner->addWidget(label);
        inner->addWidget(spin);
        tabs = new QTabBar(central);
        tabs->setObjectName("barItems");
        tabs->addTab("Uno");
        tabs->addTab("Dos");
        for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(frame), static_cast<QWidget*>(tabs)})
            layout->addWidget(w);
        menu = window.menuBar()->addMenu("Archivo");
        menu->setObjectName("Archivo1");
        open = menu->addAction("Abrir");
        open->setObjectName("Abrir1");
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        hooks.HookForEditing(&window);
    }
    void TearDown() override { SetTranslationEditorFactory({}); }

    void CtrlClick(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::ControlModifier); }

    EditorLog log;
    int made = 0;
    TInternacionalization intl;
    TTranslationHooks hooks{intl};
    QMainWindow window;
    QPushButton* button = nullptr;
    QGroupBox* frame = nullptr;
    QLabel* label = nullptr;
    QSpinBox* spin = nullptr;
    QTabBar* tabs = nullptr;
    QMenu* menu = nullptr;
    QAction* open = nullptr;
};

TEST_F(TranslationHooks, CtrlClickSelectsTheControlAndTheBoxDecidesWhetherItActs) {
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(made, 0);  // plain clicks never reach the editor

    CtrlClick(button);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(log.Shown, 1);
    EXPECT_EQ(log.Language, "English");
    EXPECT_EQ(log.Windows, std::vector<QWidget*>{&window});
    EXPECT_EQ(log.Selected, std::vector<QObject*>{button});
    EXPECT_FALSE(button->isDown());

    log.NoActions = false;
    CtrlClick(button);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(made, 1);  // the editor is made once
    EXPECT_EQ(log.Selected.size(), 2u);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_EQ(log.Shown, 2);
}

TEST_F(TranslationHooks, InnerPartsSelectTheirNearestHookedControlOnce) {
    log.NoActions = false;
    CtrlClick(label);  // a label passes presses on to its frame: still one selection
    EXPECT_EQ(log.Selected, std::vector<QObject*>{label});
    CtrlClick(spin->findChild<QLineEdit*>());
    EXPECT_EQ(log.Selected.back(), spin);
    CtrlClick(window.centralWidget());
    EXPECT_EQ(log.Selected.back(), &window);
    EXPECT_EQ(log.Selected.size(), 3u);
    EXPECT_EQ(hooks.HookedComponents().front(), &window);
    EXPECT_TRUE(hooks.IsHooked(open) && hooks.IsHooked(menu) && hooks.IsHooked(spin));
    EXPECT_FALSE(hooks.IsHooked(spin->findChild<QLineEdit*>()));
}

TEST_F(TranslationHooks, ItemClickSetsTheItemNumber) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(log.Items, std::vector<int>{1});
    EXPECT_EQ(log.Selected, std::vector<QObject*>{tabs});
    EXPECT_EQ(tabs->currentIndex(), 0);  // the box is ticked: the tab did not change
    log.NoActions = false;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST_F(TranslationHooks, MenuItemClickNeedsNoCtrl) {
    // The title in the menu bar selects the menu, which opens whatever the box says.
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    EXPECT_EQ(log.Selected, std::vector<QObject*>{menu});
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    log.Selected.clear();

    QSignalSpy triggered(open, &QAction::triggered);
    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(open).center());
    EXPECT_EQ(log.Selected, std::vector<QObject*>{open});
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_FALSE(menu->isVisible());

    log.NoActions = false;
    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(open).center());
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(log.Selected.size(), 2u);
}

TEST_F(TranslationHooks, WithTheBoxTickedTheKeyboardRunsNothingOfAHookedWindow) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    button->setShortcut(Qt::Key_F5);
    // Gained after the window was hooked, as menus of later work will be.
    QAction* later = menu->addAction("&Luego");
    later->setObjectName("Luego1");
    later->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QSignalSpy opened(open, &QAction::triggered), clicked(button, &QPushButton::clicked),
        laterRun(later, &QAction::triggered);

    // Before the editor is up, the program works as usual.
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened.count(), 1);

    CtrlClick(label);
    log.Selected.clear();
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F5);
    QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
    QTest::qWait(300);  // a button's shortcut clicks it after a moment
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(laterRun.count(), 0);
    EXPECT_EQ(log.Selected, (std::vector<QObject*>{open, button, later}));

    // A menu opened from the keyboard opens; its items run nothing, by Enter or by mnemonic.
    const auto openMenu = [&] {
        window.menuBar()->setActiveAction(menu->menuAction());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
    };
    openMenu();
    menu->setActiveAction(open);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
    openMenu();
    QTest::keyClick(menu, Qt::Key_L);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(laterRun.count(), 0);
    ASSERT_FALSE(log.Selected.empty());
    EXPECT_EQ(log.Selected.back(), later);

    // With the box clear, everything runs again.
    log.NoActions = false;
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F5);
    QTest::qWait(300);
    openMenu();
    QTest::keyClick(menu, Qt::Key_L);
    EXPECT_EQ(opened.count(), 2);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(laterRun.count(), 1);
}

TEST(TranslationHooksWithoutEditor, EveryClickReachesItsControl) {
    SetTranslationEditorFactory({});
    TInternacionalization intl;
    TTranslationHooks hooks(intl);
    QWidget window;
    window.setObjectName("frmNerim");
    auto* button = new QPushButton("Agua", &window);
    button->setObjectName("btnAgua");
    hooks.HookForEditing(&window);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(hooks.Editor(), nullptr);
}

}  // namespace
}  // namespace nerim

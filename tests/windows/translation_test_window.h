#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace nerim::testing {

// A window with a few named controls of each kind that translation meets: a button, a label and
// a combo box inside a panel, a check box that shows no hints, a stacked widget with two pages, a
// tab bar whose tabs are items, a menu with items, a separator and a submenu, and an unnamed menu.
class TTranslationTestWindow : public QMainWindow {
public:
    explicit TTranslationTestWindow(const char* name = "frmPrueba") {
        setObjectName(name);
        setWindowTitle("Prueba");
        auto* central = new QWidget(this);
        auto* layout = new QVBoxLayout(central);
        setCentralWidget(central);

        btnAgua = Named<QPushButton>(central, "btnAgua");
        btnAgua->setText("Agua");
        btnAgua->setToolTip("Nuevo objeto de agua");
        pnlSubZonas = Named<QFrame>(central, "pnlSubZonas");
        pnlSubZonas->setFrameShape(QFrame::StyledPanel);
        auto* inner = new QVBoxLayout(pnlSubZonas);
        lblCentro = Named<QLabel>(pnlSubZonas, "lblCentro");
        lblCentro->setText("Centro");
        lblCentro->setToolTip("Centro de la subzona");
        cbxModelo = Named<QComboBox>(pnlSubZonas, "cbxModelo");
        cbxModelo->addItems({"Sin medio poroso", "Fricción lineal"});
        inner->addWidget(lblCentro);
        inner->addWidget(cbxModelo);
        chkSinHint = Named<QCheckBox>(central, "chkSinHint");
        chkSinHint->setText("Sin ayuda");
        chkSinHint->setToolTip("Ayuda fija");
        chkSinHint->setProperty("showHint", false);
        pgcEditores = Named<QStackedWidget>(central, "pgcEditores");
        tabNoObject = Named<QWidget>(pgcEditores, "tabNoObject");
        tabNoObject->setWindowTitle("Sin objeto");
        tabPoligono = Named<QWidget>(pgcEditores, "tabPoligono");
        tabPoligono->setWindowTitle("Polígono");
        pgcEditores->addWidget(tabNoObject);
        pgcEditores->addWidget(tabPoligono);
        barItems = Named<QTabBar>(central, "barItems");
        barItems->addTab("Uno");
        barItems->addTab("Dos");
        layout->addWidget(btnAgua, 0, Qt::AlignLeft);
        for (QWidget* w : {static_cast<QWidget*>(pnlSubZonas),
                           static_cast<QWidget*>(chkSinHint), static_cast<QWidget*>(pgcEditores),
                           static_cast<QWidget*>(barItems)})
            layout->addWidget(w);

        Archivo1 = menuBar()->addMenu("Archivo");
        Archivo1->setObjectName("Archivo1");
        Abrir1 = Archivo1->addAction("Abrir");
        Abrir1->setObjectName("Abrir1");
        Archivo1->addSeparator();
        Exportar1 = Archivo1->addMenu("Exportar");
        Exportar1->setObjectName("Exportar1");
        ExportarMalla1 = Exportar1->addAction("Malla");
        ExportarMalla1->setObjectName("ExportarMalla1");
        // A menu without a name, whose item has one.
        AcercaDe1 = menuBar()->addMenu("Ayuda")->addAction("Acerca de");
        AcercaDe1->setObjectName("AcercaDe1");
        resize(520, 420);
    }

    QPushButton* btnAgua = nullptr;
    QFrame* pnlSubZonas = nullptr;
    QLabel* lblCentro = nullptr;
    QComboBox* cbxModelo = nullptr;
    QCheckBox* chkSinHint = nullptr;
    QStackedWidget* pgcEditores = nullptr;
    QWidget* tabNoObject = nullptr;
    QWidget* tabPoligono = nullptr;
    QTabBar* barItems = nullptr;
    QMenu* Archivo1 = nullptr;
    QAction* Abrir1 = nullptr;
    QMenu* Exportar1 = nullptr;
    QAction* ExportarMalla1 = nullptr;
    QAction* AcercaDe1 = nullptr;

private:
    template <class T>
    static T* Named(QWidget* parent, const char* name) {
        auto* widget = new T(parent);
        widget->setObjectName(name);
        return widget;
    }
};

}  // namespace nerim::testing

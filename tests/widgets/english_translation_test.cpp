// The shipped English translation against windows built with the controls of the main window and
// of the quality window, their Spanish captions and their Spanish base tool tips.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <set>
#include <string>

#include "support/internacionalization.h"
#include "tests/common/temp_dir.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

struct TControlRow {
    const char* Name;
    const char* Caption;  // null: the control takes no caption
    const char* Hint;
};

// The main window's controls with their Spanish captions and base tool tips.
const TControlRow kMainWindow[] = {
    {"cvwMain", nullptr, ""},
    {"pnlInfo", nullptr, ""},
    {"lblAnchura", "Anchura", "Anchura del dominio (m)"},
    {"edtAnchura", nullptr, "Anchura del dominio (m)"},
    {"lblAltura", "Altura", "Altura del dominio (m)"},
    {"edtAltura", nullptr, "Altura del dominio (m)"},
    {"pnlSubZonasX", "Subzonas en  X", "Subzonas de refinamiento de la malla a lo largo del eje X"},
    {"lblSubZonaX", "Subzona:", "Subzona X que se muestra, contada desde 1"},
    {"sedtSubZonaX", nullptr, "Subzona X que se muestra, contada desde 1"},
    {"lblCentroX", "Centro", "Posición X de las celdas más finas de la subzona (m)"},
    {"edtCentroX", nullptr, "Posición X de las celdas más finas de la subzona (m)"},
    {"lblDivisionX", "Division", "Posición X donde empieza la subzona; la anterior termina ahí (m)"},
    {"edtDivisionX", nullptr, "Posición X donde empieza la subzona; la anterior termina ahí (m)"},
    {"lblNumDivLX", "Nº celdas izq.", "Número de celdas entre el inicio de la subzona y su centro"},
    {"edtNumDivLX", nullptr, "Número de celdas entre el inicio de la subzona y su centro"},
    {"lblNumDivRX", "Nº celdas dcha.", "Número de celdas entre el centro y el final de la subzona"},
    {"edtlNumDivRX", nullptr, "Número de celdas entre el centro y el final de la subzona"},
    {"lblMaxSepX", "Sep. máx. centro", "Tamaño máximo de las celdas junto al centro (m)"},
    {"edtMaxSepX", nullptr, "Tamaño máximo de las celdas junto al centro (m)"},
    {"btnAddSubzoneX", "Añadir", "Añadir una subzona X detrás de la actual"},
    {"bntDelSubzoneX", "Borrar", "Borrar la subzona X actual"},
    {"pnlSubZonasY", "Subzonas en  Y", "Subzonas de refinamiento de la malla a lo largo del eje Y"},
    {"lblSubZonaY", "Subzona:", "Subzona Y que se muestra, contada desde 1"},
    {"sedtSubZonaY", nullptr, "Subzona Y que se muestra, contada desde 1"},
    {"lblCentroY", "Centro", "Posición Y de las celdas más finas de la subzona, medida hacia abajo desde el borde superior (m)"},
    {"edtCentroY", nullptr, "Posición Y de las celdas más finas de la subzona, medida hacia abajo desde el borde superior (m)"},
    {"lblDivisionY", "Division", "Posición Y donde empieza la subzona, medida hacia abajo desde el borde superior; la anterior termina ahí (m)"},
    {"edtDivisionY", nullptr, "Posición Y donde empieza la subzona, medida hacia abajo desde el borde superior; la anterior termina ahí (m)"},
    {"lblNumDivLY", "Nº celdas arriba", "Número de celdas entre el inicio de la subzona y su centro (encima del centro)"},
    {"edtNumDivLY", nullptr, "Número de celdas entre el inicio de la subzona y su centro (encima del centro)"},
    {"lblNumDivRY", "Nº celdas abajo", "Número de celdas entre el centro y el final de la subzona (debajo del centro)"},
    {"edtlNumDivRY", nullptr, "Número de celdas entre el centro y el final de la subzona (debajo del centro)"},
    {"lblMaxSepY", "Sep. máx. centro", "Tamaño máximo de las celdas junto al centro (m)"},
    {"edtMaxSepY", nullptr, "Tamaño máximo de las celdas junto al centro (m)"},
    {"btnAddSubzoneY", "Añadir", "Añadir una subzona Y detrás de la actual"},
    {"bntDelSubzoneY", "Borrar", "Borrar la subzona Y actual"},
    {"lblNumSubzonas", nullptr, "Número de subzonas en cada eje"},
    {"shpChanges", nullptr, "Los campos de la malla tienen cambios sin aplicar: «Generar malla» los aplica"},
    {"lblNX", "NX:", "Puntos de muestreo por celda en X para clasificar las celdas"},
    {"edtNX", nullptr, "Puntos de muestreo por celda en X para clasificar las celdas"},
    {"lblNY", "NY:", "Puntos de muestreo por celda en Y para clasificar las celdas"},
    {"edtNY", nullptr, "Puntos de muestreo por celda en Y para clasificar las celdas"},
    {"btnCalidadMalla", "Calidad malla", "Gráfico de cómo cambia el tamaño de celda a lo largo de cada eje"},
    {"btnMeshInfo", "Información", "Número de divisiones de la malla generada en X y en Y"},
    {"btnGuardarMallado", "Exportar malla", "Escribir Mesh.mes, la entrada del modelo, junto al proyecto"},
    {"btnGenerateMesh", "Generar malla", "Generar las divisiones y clasificar cada celda según los objetos"},
    {"btnZoom", "", "Zoom: clic izquierdo acerca, clic derecho aleja"},
    {"btnPan", "", "Desplazar: arrastre la vista con el ratón"},
    {"btnAdjustView", "Ajustar vista", "Mostrar todo el dominio"},
    {"lblInfo", nullptr, "Posición del ratón en coordenadas del modelo (Y hacia arriba desde el borde inferior)"},
    {"btnMallaVisible", "Malla", "Mostrar u ocultar la malla"},
    {"btnObjetos", "Objetos", "Mostrar u ocultar los objetos"},
    {"lblVariable", "Variable:", "Matriz de celdas dibujada sobre la malla"},
    {"cbxVariableList", nullptr, "Matriz de celdas dibujada sobre la malla: AC, AR, AT fracciones abiertas de la celda y de sus caras derecha y superior, VOF fracción de agua, Noc obstáculo, Npc tipo de medio poroso"},
    {"edtI", nullptr, "Índice i (columna) de la celda marcada en la vista"},
    {"edtJ", nullptr, "Índice j (fila) de la celda marcada en la vista"},
    {"lblObjetos", "Objetos", "Objetos del dominio; haga clic en uno para editarlo"},
    {"lbxObjects", nullptr, "Objetos del dominio; haga clic en uno para editarlo"},
    {"btnObstaculo", "Obstáculo", "Nuevo obstáculo impermeable: haga clic en la vista para cada vértice y doble clic para terminar"},
    {"btnPoroso", "Poroso", "Nuevo medio poroso: haga clic en la vista para cada vértice y doble clic para terminar"},
    {"btnAgua", "Agua", "Nueva zona de agua: haga clic en la vista para cada vértice y doble clic para terminar"},
    {"btnBorrar", "Borrar", "Borrar el objeto seleccionado"},
    {"lblPolylineX", "X", "Coordenada X del vértice seleccionado (m)"},
    {"edtPolylineX", nullptr, "Coordenada X del vértice seleccionado (m)"},
    {"lblPolylineY", "Y", "Coordenada Y del vértice seleccionado, hacia arriba desde el borde inferior (m)"},
    {"edtPolylineY", nullptr, "Coordenada Y del vértice seleccionado, hacia arriba desde el borde inferior (m)"},
    {"btnPolylinPointOk", "Ok", "Mover el vértice seleccionado a estas coordenadas"},
    {"lblTipoPoroso", "Tipo de medio poroso", "Modelo de fricción de los medios porosos"},
    {"cbxTipoPoroso", "Sin medio poroso\nFricción lineal\nFricción no lineal", "Modelo de fricción de los medios porosos"},
    {"tabEditorObjetos", nullptr, "Material del objeto seleccionado"},
    {"tabPoroso", "Medio poroso", "Parámetros del medio poroso seleccionado"},
    {"lblPermeability", "Permeabilidad", "Permeabilidad del medio poroso"},
    {"edtPermeability", nullptr, "Permeabilidad del medio poroso"},
    {"lblPorosity", "Porosidad", "Fracción de huecos del medio poroso, de 0 a 1"},
    {"edtPorosity", nullptr, "Fracción de huecos del medio poroso, de 0 a 1"},
    {"lblLinearFricCoef", "Coeficiente de fricción lineal", "Coeficiente adimensional de la resistencia lineal (laminar) del flujo en el medio poroso"},
    {"edtLinearFricCoef", nullptr, "Coeficiente adimensional de la resistencia lineal (laminar) del flujo en el medio poroso"},
    {"lblNonLinearFricCoef", "Coeficiente de fricción no lineal", "Coeficiente adimensional de la resistencia no lineal (turbulenta) del flujo en el medio poroso"},
    {"edtNonLinearFricCoef", nullptr, "Coeficiente adimensional de la resistencia no lineal (turbulenta) del flujo en el medio poroso"},
    {"lblAddedMassCoef", "Coeficiente de masa añadida", "Coeficiente adimensional de la inercia del flujo no estacionario en el medio poroso"},
    {"edtAddedMassCoef", nullptr, "Coeficiente adimensional de la inercia del flujo no estacionario en el medio poroso"},
    {"lblD50", "D50", "Diámetro medio de las piedras o del grano del medio poroso (m)"},
    {"edtD50", nullptr, "Diámetro medio de las piedras o del grano del medio poroso (m)"},
    {"btnObjectOK", "Ok", "Aplicar los parámetros del medio poroso"},
    {"tabWater", "Agua", "El objeto seleccionado es agua"},
    {"lblWater", "Agua", ""},
    {"tabObstacle", "Obstáculo", "El objeto seleccionado es un obstáculo impermeable"},
    {"lblObstacle", "Obstáculo", ""},
    {"tabNoObject", "Sin objeto", "No hay ningún objeto seleccionado"},
    {"lblNoObject", "No hay ningún objeto seleccionado", ""},
    {"Archivo1", "Archivo", ""},
    {"Abrir1", "Abrir", "Abrir un proyecto"},
    {"Guardar1", "Guardar", "Guardar el proyecto"},
    {"Guardarcomo1", "Guardar como...", "Guardar el proyecto con otro nombre"},
    {"mniSaveTranslation", "Guardar traducción", "Guardar la lista de traducción como Translation.dat junto al programa"},
    {"mniImportarPerfil", "Importar perfil del fondo...",
     "Crear un obstáculo con un perfil del fondo leído de un archivo de puntos (X e Y en columnas), cerrado hasta "
     "el borde inferior"},
    {"mniImportarContorno", "Importar contorno...",
     "Crear un objeto con un contorno cerrado leído de un archivo de puntos (X e Y en columnas)"},
    {"mniRecientes", "Archivos recientes", "Proyectos abiertos o guardados últimamente"},
    {"mniSalir", "Salir", "Cerrar Nerim"},
    {"btnOk", "Ok", "Aplicar los campos de la malla"},
    {"sbtU", "U", "Resultados de la velocidad horizontal U"},
    {"sbtW", "W", "Resultados de la velocidad vertical W"},
    {"sbtT", "T", "Resultados de la variable T"},
    {"sbtP", "P", "Resultados de la presión P"},
    {"sbtK", "K", "Resultados de la variable K"},
    {"SpinEdit1", nullptr, "Número del paso de los resultados (archivo letra + cuatro cifras + .dat)"},
    {"Button1", "Abrir", "Cargar el archivo de resultados"},
    {"btnNuevoPoligono", "Poligono", "Nuevo polígono"},
    {"btnElipse", "Elipse", "Nueva elipse"},
    {"lblCellInfo", nullptr, "Celda bajo el ratón y sus valores tras la última generación"},
    {"lblMeshInfo", nullptr, "Celdas de la última malla generada y tiempo de la generación"},
};

// Captions that read the same in both languages.
const std::set<QString> kNeutral = {"", "NX:", "NY:", "Variable:", "X", "Y", "D50", "U", "W", "T", "P", "K", "Delta X", "Delta2 X",
                                    "Delta Y", "Delta2 Y"};

bool StartsWith(const char* text, const char* prefix) { return std::string_view(text).starts_with(prefix); }

// A window with every control of the table, of the kind the main window gives it.
void BuildMainWindow(QMainWindow& window) {
    window.setObjectName("frmNerim");
    window.setWindowTitle("Nerim");
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    QStackedWidget* pages = nullptr;
    QMenu* menu = nullptr;
    QWidget* parent = central;
    for (const TControlRow& row : kMainWindow) {
        const std::string name = row.Name;
        QObject* control = nullptr;
        if (name == "Archivo1") {
            control = menu = window.menuBar()->addMenu(row.Caption);
        } else if (menu && (name.ends_with("1") || StartsWith(row.Name, "mni")) && name != "SpinEdit1" &&
                   name != "Button1") {
            control = menu->addAction(row.Caption);
        } else if (name == "tabEditorObjetos") {
            control = pages = new QStackedWidget(central);
        } else if (StartsWith(row.Name, "tab")) {
            parent = new QWidget(pages);
            parent->setWindowTitle(row.Caption);
            pages->addWidget(parent);
            control = parent;
        } else if (StartsWith(row.Name, "lbl")) {
            control = new QLabel(row.Caption, parent);
        } else if (StartsWith(row.Name, "pnl")) {
            control = new QGroupBox(row.Caption, central);
        } else if (StartsWith(row.Name, "sedt") || name == "edtNX" || name == "edtNY" || name == "edtI" ||
                   name == "edtJ" || name == "SpinEdit1") {
            control = new QSpinBox(parent);
        } else if (StartsWith(row.Name, "edt")) {
            control = new QLineEdit(parent);
        } else if (StartsWith(row.Name, "cbx")) {
            auto* combo = new QComboBox(parent);
            if (row.Caption) combo->addItems(QString(row.Caption).split('\n'));
            control = combo;
        } else if (StartsWith(row.Name, "lbx")) {
            control = new QListWidget(parent);
        } else if (StartsWith(row.Name, "shp")) {
            control = new QFrame(parent);
        } else if (StartsWith(row.Name, "sbt") || name == "btnZoom" || name == "btnPan") {
            auto* tool = new QToolButton(parent);
            tool->setText(row.Caption);
            control = tool;
        } else {
            control = new QPushButton(row.Caption, parent);
        }
        control->setObjectName(row.Name);
        if (auto* action = qobject_cast<QAction*>(control)) {
            action->setToolTip(row.Hint);
            action->setStatusTip(row.Hint);
        } else {
            static_cast<QWidget*>(control)->setToolTip(row.Hint);
        }
    }
}

void BuildQualityWindow(QDialog& window) {
    window.setObjectName("frmMeshDeltaGraph");
    window.setWindowTitle("Calidad de la malla");
    for (const char* axis : {"X", "Y"}) {
        auto* chart = new QChart;
        chart->setObjectName(QString("chrtD") + axis);
        chart->setTitle(axis);
        auto* position = new QValueAxis;
        position->setObjectName(QString("axsPosicion") + axis);
        position->setTitleText("Posición");
        chart->addAxis(position, Qt::AlignBottom);
        for (const char* kind : {"D", "DD"}) {
            auto* series = new QLineSeries;
            series->setObjectName(QString("ser") + kind + (std::string(kind) == "DD" && axis[0] == 'Y' ? "y" : axis));
            series->setName(QString(std::string(kind) == "D" ? "Delta " : "Delta2 ") + axis);
            chart->addSeries(series);
        }
        (new QChartView(chart, &window))->setObjectName(chart->objectName());
        (new QLabel(&window))->setObjectName(QString("lblSummary") + axis);
    }
    const char* buttons[][2] = {{"btnGuardarImagen", "Guardar imagen..."}, {"btnExportarCsv", "Exportar CSV..."},
                                {"btnCerrar", "Cerrar"}};
    for (const auto& button : buttons) (new QPushButton(button[1], &window))->setObjectName(button[0]);
}

// Keys of the window's components.
std::set<std::string> Keys(const QWidget& window) {
    std::set<std::string> keys = {window.objectName().toStdString()};
    for (const QObject* component : OwnedComponents(&window)) keys.insert(TranslationKey(component));
    return keys;
}

TEST(EnglishTranslation, CoversEveryControlAndLeavesNoSpanishCaptionOrTip) {
    const std::string file = std::string(NERIM_BIN_DIR) + "/Translation_en.dat";
    const std::string bytes = nerim::testing::ReadBytes(file);
    ASSERT_FALSE(bytes.empty()) << file;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a line without CR LF at byte " << i;
        }

    QMainWindow main;
    BuildMainWindow(main);
    QDialog quality;
    BuildQualityWindow(quality);
    std::set<QString> spanish = {"Calidad de la malla", "Guardar imagen...", "Exportar CSV...", "Cerrar", "Posición"};
    for (const TControlRow& row : kMainWindow)
        if (row.Caption)
            for (const QString& line : QString(row.Caption).split('\n')) spanish.insert(line);

    TInternacionalization intl;
    intl.LoadTranslationList(file);
    // Every entry names a control of its window, and every control has its entry.
    std::set<std::string> keys = Keys(main);
    keys.merge(Keys(quality));
    std::set<std::string> entries;
    for (const TTranslationEntry& entry : intl.TranslationList()) {
        // The windows modelled here; the others are checked against the real windows.
        if (!entry.Name.starts_with("frmNerim") && !entry.Name.starts_with("frmMeshDeltaGraph")) continue;
        EXPECT_TRUE(keys.count(entry.Name)) << "no control for " << entry.Name;
        entries.insert(entry.Name);
    }
    for (const std::string& key : keys) EXPECT_TRUE(entries.count(key)) << "no entry for " << key;

    TranslateComponent(intl, &main);
    TranslateComponent(intl, &quality);
    for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&quality)}) {
        std::vector<QObject*> components = OwnedComponents(window);
        components.push_back(window);
        for (const QObject* component : components) {
            const TControlTexts texts = CurrentTexts(component, -1);
            for (const QString& line : texts.Caption.split('\n'))
                EXPECT_TRUE(kNeutral.count(line) || !spanish.count(line))
                    << TranslationKey(component) << " still reads " << line.toStdString();
        }
    }
    for (const TControlRow& row : kMainWindow) {
        QObject* control = main.findChild<QObject*>(row.Name);
        if (*row.Hint) {
            EXPECT_NE(CurrentTexts(control, -1).Hint, QString(row.Hint)) << row.Name;
        }
    }
    EXPECT_EQ(main.findChild<QComboBox*>("cbxTipoPoroso")->count(), 3);
    EXPECT_EQ(main.findChild<QLineEdit*>("edtAnchura")->toolTip(), "Domain width (m)");
    EXPECT_EQ(quality.windowTitle(), "Mesh quality");
}

}  // namespace
}  // namespace nerim

// The monkey's actions: what a user does with the window, chosen by the seed.
#include "tests/windows/window_monkey.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_area.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/object_editor.h"
#include "app/windows/objects_area.h"
#include "app/windows/project_actions.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"
#include "objects/information_box.h"
#include "tests/common/temp_dir.h"
#include "tests/windows/failure_leaks.h"
#include "tests/windows/window_monkey_driver.h"
#include "widgets/application.h"
#include "widgets/qmt_edit.h"

namespace nerim::testing {

std::uint64_t TMonkeyRandom::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int TMonkeyRandom::Below(int N) { return N <= 1 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(N)); }

double TMonkeyRandom::Real(double Lo, double Hi) {
    return Lo + (Hi - Lo) * static_cast<double>(Next() >> 11) / static_cast<double>(1ull << 53);
}

std::vector<std::uint64_t> ParseMonkeySeeds(const std::string& Text) {
    std::vector<std::uint64_t> seeds;
    std::stringstream parts(Text);
    std::string part;
    while (std::getline(parts, part, ',')) {
        try {
            const std::size_t dash = part.find('-');
            if (dash == std::string::npos) {
                seeds.push_back(std::stoull(part));
                continue;
            }
            const std::uint64_t first = std::stoull(part.substr(0, dash));
            const std::uint64_t last = std::stoull(part.substr(dash + 1));
            for (std::uint64_t s = first; s <= last && seeds.size() < 100000; ++s) seeds.push_back(s);
        } catch (const std::exception&) {
            // Not a number: skipped.
        }
    }
    return seeds;
}

std::string NormalizedMessage(const std::string& text, const std::string& folder) {
    std::string s = text;
    for (std::size_t at = 0; !folder.empty() && (at = s.find(folder, at)) != std::string::npos;)
        s.replace(at, folder.size(), "<dir>");
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            if (out.empty() || out.back() != '#') out += '#';
        } else if (c == '\r') {
        } else if (c == '\n') {
            out += " | ";
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// Sub-zones, cell counts and samples stay small, so that a generation stays cheap.
constexpr int kMaxSubZones = 5;
constexpr int kMaxCellCount = 25;

const std::vector<QString> kBadNumbers = {
    "",      "-",     "+",         "abc",       "1,5",        "1.2.3", "1e999", "-1e999",  "nan",  "inf",
    "0x10",  " 7 ",   "1e-400",    "--1",       "3.4e38",     "3.5e38", "1e300", "-1e300", "1e-300", "0",
    "-0",    "-7.5",  "2147483648", "-2147483649", "99999999999999999999", "١٢", "1e", ".", "e5"};


std::string Describe(const QPoint& p) { return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")"; }

const char* ButtonName(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return "left";
        case Qt::RightButton: return "right";
        case Qt::MiddleButton: return "middle";
        default: return "other";
    }
}

}  // namespace

namespace {

// The toolkit's own warnings are counted with the window's messages rather than printed.
TWindowMonkey* messagesTo = nullptr;

void CountToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (messagesTo && type != QtFatalMsg)
        messagesTo->CountToolkit(message.toStdString());
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

TWindowMonkey::TWindowMonkey(const TMonkeyOptions& Options)
    : options_(Options), random_(Options.Seed), folder_(Options.Folder.string()) {
    messagesTo = this;
    if (!Options.LogFile.empty()) log_ = std::fopen(Options.LogFile.c_str(), "w");
    previousHandler_ = qInstallMessageHandler(CountToolkitMessage);
    std::filesystem::create_directories(Options.Folder / "sub dir");
    std::filesystem::create_directories(Options.Folder / "folder.DAT");
    // Projects the run did not write: an example, a file cut short, binary bytes, an empty file.
    const std::filesystem::path source = std::filesystem::path(NERIM_TEST_DATA) / ".." / ".." / "..";
    std::filesystem::copy_file(source / "examples" / "small" / "small.dat", Options.Folder / "small.DAT");
    const std::string three = ReadBytes(source / "tests" / "windows" / "data" / "three_zones.dat");
    WriteBytes(Options.Folder / "cut.DAT", three.substr(0, three.size() / 3));
    WriteBytes(Options.Folder / "binary.DAT", std::string("\x00\x1A\x01\xFF project\r\n", 14));
    WriteBytes(Options.Folder / "empty.DAT", "");
    // Survey files: a profile that leaves the domain, an outline, a damaged file.
    WriteBytes(Options.Folder / "bed.csv", "X,Y\r\n-5,2\r\n30,3.5\r\n70,6\r\n120,1\r\n");
    WriteBytes(Options.Folder / "outline.txt", "# a block\n20 2\n30 2\n30 5\n20 5\n");
    WriteBytes(Options.Folder / "bad.csv", "0 1\n10 z\n");
    previousDirectory_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder_));

    previousQuestion_ = SetSaveQuestion([this](QWidget*, const QString& question) {
        Count("question", question.toStdString());
        const int answer = random_.Below(3);
        Log(std::string("  answered ") + (answer == 0 ? "save" : answer == 1 ? "discard" : "cancel"));
        return answer == 0 ? TSaveAnswer::Save : answer == 1 ? TSaveAnswer::Discard : TSaveAnswer::Cancel;
    });
    previousChooser_ = SetFileChooser([this](QWidget*, TFileDialogKind kind, const QString&) { return ChooseFile(kind); });
    previousChoice_ = SetChoiceQuestion([this](QWidget*, const QString& question, const QStringList& items) {
        Count("choice", question.toStdString());
        const int answer = random_.Below(static_cast<int>(items.size()) + 1);
        return answer < items.size() ? std::optional<int>(answer) : std::nullopt;
    });
    previousBox_ = SetInformationBox([this](const std::string& message) { Count("information", message); });
    TApplication::Instance()->SetReporter([this](TApplication::TReportKind kind, const QString& message) {
        const std::string text = message.toStdString();
        ++reports_;
        Count(kind == TApplication::rkWarning ? "warning" : "error", text);
        // The program's failures are its own exceptions, with its own messages; anything else
        // reaching the application is a fault.
        if (kind != TApplication::rkWarning) Fail("a failure that is not the program's own: " + text);
    });
    // A window that waits for a click would hang the run: it is closed and the run fails.
    watchdog_.setInterval(200);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        Fail("a window waited for a click: " + modal->windowTitle().toStdString());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });

    window_ = std::make_unique<TfrmNerim>();
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowExposed(window_.get())) Fail("the window was never shown");
    Settle();
}

TWindowMonkey::~TWindowMonkey() {
    watchdog_.stop();
    // Closing is not part of the run: the window goes without asking.
    window_.reset();
    QCoreApplication::processEvents();
    SetSaveQuestion(previousQuestion_);
    SetFileChooser(previousChooser_);
    SetChoiceQuestion(previousChoice_);
    SetInformationBox(previousBox_);
    // As the test program's entry point has it: a report nobody expects fails the running test.
    TApplication::Instance()->SetReporter([](TApplication::TReportKind, const QString& message) {
        ADD_FAILURE() << "unexpected failure reported by the application: " << message.toStdString();
    });
    QDir::setCurrent(previousDirectory_);
    qInstallMessageHandler(previousHandler_);
    messagesTo = nullptr;
    if (log_) std::fclose(log_);
}

TMonkeyReport TWindowMonkey::Run() {
    watchdog_.start();
    Check();
    for (step_ = 1; step_ <= options_.Actions && report_.Failure.empty(); ++step_) {
        TActionAllocations allocations;
        const int reportsBefore = reports_;
        const TSnapshot before = Snapshot();
        Act();
        Settle();
        if (reports_ != reportsBefore) allocations.Forgive();
        TellWhatChanged(before);
        // A closed window is opened again, as the user would start the program again.
        if (!window_->isVisible()) {
            Log("  the window closed; shown again");
        ++report_.Done["window closed"];
            window_->show();
            Settle();
        }
        Check();
        report_.ActionsRun = step_;
    }
    return report_;
}

void TWindowMonkey::Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// ---- Choosing an action

void TWindowMonkey::Act() {
    const int roll = random_.Below(100);
    if (roll < 34)
        MouseOnView();
    else if (roll < 44)
        ToolButton();
    else if (roll < 62)
        TypeInField();
    else if (roll < 70)
        SpinOrList();
    else if (roll < 80)
        MeshButton();
    else if (roll < 88)
        ObjectButton();
    else if (roll < 92)
        ObjectList();
    else if (roll < 97)
        ProjectFile();
    else
        OtherWindowAction();
}

QPoint TWindowMonkey::Screen(const TPoint2D& world) const {
    const TPoint2D s = window_->View().WorldToScreen(world);
    const auto pixel = [](double v) {
        return static_cast<int>(std::lround(std::isfinite(v) ? std::clamp(v, -20000.0, 20000.0) : 0.0));
    };
    return QPoint(pixel(s.X), pixel(s.Y));
}

TCEPolyline* TWindowMonkey::CurrentPolygon() const {
    return dynamic_cast<TCEPolyline*>(window_->ObjectsArea().CurrentObject());
}

// A pixel of the view: anywhere, inside the domain, on or near a vertex or a side of the current
// polygon, or just outside the view.
QPoint TWindowMonkey::ViewPoint() {
    const QSize size = window_->View().size();
    TCEPolyline* polygon = CurrentPolygon();
    // A polygon being edited draws the pointer to its vertices and sides.
    const bool editing = polygon && window_->Set().Canvax().SelectedElement() == polygon;
    const int kind = random_.Below(10);
    if (polygon && polygon->Line().Count() > 0 && kind < (editing ? 7 : 4)) {
        const TPLPolyLine& line = polygon->Line();
        const int index = random_.Below(line.Count());
        const TPLNode* node = line.Head();
        for (int i = 0; i < index; ++i) node = node->Next();
        const TPoint2D a = line.GetPoint(node);
        const TPoint2D b = line.GetPoint(line.NextNode(node));
        const TPoint2D at = kind % 2 == 0 ? a : TPoint2D{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
        return Screen(at) + QPoint(random_.Between(-2, 2), random_.Between(-2, 2));
    }
    if (kind < 7) {
        const TCETamrixMesh& mesh = window_->Mesh();
        return Screen({random_.Real(0, mesh.Width()), random_.Real(0, mesh.Height())});
    }
    if (kind < 9) return QPoint(random_.Below(std::max(size.width(), 1)), random_.Below(std::max(size.height(), 1)));
    return QPoint(random_.Between(-8, size.width() + 8), random_.Between(-8, size.height() + 8));
}

void TWindowMonkey::Send(QEvent::Type type, Qt::MouseButton button, const QPoint& at, Qt::MouseButtons held,
                         Qt::KeyboardModifiers modifiers) {
    TCanvaxView& view = window_->View();
    QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(&view, &event);
}

void TWindowMonkey::MouseOnView() {
    const QPoint at = ViewPoint();
    // On a polygon being edited, drags (of its vertices) come more often.
    TCEPolyline* polygon = CurrentPolygon();
    const bool editing = polygon && window_->Set().Canvax().SelectedElement() == polygon;
    const int roll = editing && random_.Percent(40) ? 60 : random_.Below(100);
    const Qt::MouseButton button = random_.Percent(80) ? Qt::LeftButton : random_.Percent(60) ? Qt::RightButton
                                                                                                : Qt::MiddleButton;
    const Qt::KeyboardModifiers modifiers = random_.Percent(10) ? Qt::ShiftModifier : Qt::NoModifier;
    // The pointer arrives at the point as a real one does, from a pixel away.
    Send(QEvent::MouseMove, Qt::NoButton, at + QPoint(1, 0), Qt::NoButton);
    if (roll < 40) {
        Log(std::string("click view ") + ButtonName(button) + " " + Describe(at));
        Send(QEvent::MouseMove, Qt::NoButton, at, Qt::NoButton);
        Send(QEvent::MouseButtonPress, button, at, button, modifiers);
        Send(QEvent::MouseButtonRelease, button, at, Qt::NoButton, modifiers);
    } else if (roll < 55) {
        Log("double-click view " + Describe(at));
        Send(QEvent::MouseMove, Qt::NoButton, at, Qt::NoButton);
        Send(QEvent::MouseButtonPress, Qt::LeftButton, at, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
        Send(QEvent::MouseButtonDblClick, Qt::LeftButton, at, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
    } else if (roll < 75) {
        const int moves = random_.Between(1, 5);
        QPoint p = at;
        std::string line = std::string("drag view ") + ButtonName(button) + " " + Describe(p);
        Send(QEvent::MouseMove, Qt::NoButton, p, Qt::NoButton);
        Send(QEvent::MouseButtonPress, button, p, button);
        // A hand starts a drag with a small move, or jumps.
        const int reach = random_.Percent(60) ? 3 : 40;
        for (int i = 0; i < moves; ++i) {
            p += QPoint(random_.Between(-reach, reach), random_.Between(-reach, reach));
            line += " " + Describe(p);
            Send(QEvent::MouseMove, Qt::NoButton, p, button);
        }
        Log(line);
        Send(QEvent::MouseButtonRelease, button, p, Qt::NoButton);
    } else if (roll < 90) {
        Log("move view " + Describe(at));
        Send(QEvent::MouseMove, Qt::NoButton, at, Qt::NoButton);
    } else {
        TCanvaxView& view = window_->View();
        const int notches = random_.Percent(50) ? 120 : -120;
        Log("wheel view " + std::to_string(notches) + " " + Describe(at));
        QWheelEvent wheel(QPointF(at), view.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
    }
}

bool TWindowMonkey::ClickButton(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    if (!Clickable(button)) {
        Log(std::string("(") + name + " cannot be clicked)");
        return false;
    }
    Log(std::string("click ") + name);
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// Runs an action from the event loop, as a menu or a timer runs it.
void TWindowMonkey::RunQueued(const std::function<void()>& action) {
    QTimer::singleShot(0, window_.get(), action);
    QCoreApplication::processEvents();
}

void TWindowMonkey::ToolButton() {
    static const std::vector<const char*> kTools = {"btnZoom", "btnPan", "btnAdjustView", "btnMallaVisible",
                                                    "btnObjetos"};
    if (random_.Percent(35)) {
        Log("key Escape");
        QTest::keyClick(window_.get(), Qt::Key_Escape);
        return;
    }
    ClickButton(random_.Pick(kTools));
}

// ---- Texts

QString TWindowMonkey::NumberText(bool integer, double lo, double hi) {
    if (integer) return QString::number(random_.Between(static_cast<int>(lo), static_cast<int>(hi)));
    const double value = random_.Real(lo, hi);
    switch (random_.Below(3)) {
        case 0: return QString::number(std::lround(value));
        case 1: return QString::number(value, 'f', 2);
        default: return QString::number(value, 'g', 6);
    }
}

QString TWindowMonkey::FieldText(const QString& name, bool integer, bool badOnes) {
    if (badOnes && random_.Percent(12)) return random_.Pick(kBadNumbers);
    const TCETamrixMesh& mesh = window_->Mesh();
    const double w = std::isfinite(mesh.Width()) ? std::clamp(mesh.Width(), 1.0, 1000.0) : 100.0;
    const double h = std::isfinite(mesh.Height()) ? std::clamp(mesh.Height(), 1.0, 1000.0) : 10.0;
    if (name.startsWith("edtNumDiv") || name.startsWith("edtlNumDiv")) return NumberText(true, -1, kMaxCellCount);
    if (name == "edtAnchura") return NumberText(false, 0.5, 200);
    if (name == "edtAltura") return NumberText(false, 0.5, 40);
    if (name == "edtCentroX" || name == "edtDivisionX") return NumberText(false, -0.1 * w, 1.1 * w);
    if (name == "edtCentroY" || name == "edtDivisionY") return NumberText(false, -0.1 * h, 1.1 * h);
    if (name.startsWith("edtMaxSep")) return NumberText(false, 0.01, 5);
    if (name == "edtPolylineX") return NumberText(false, -0.2 * w, 1.2 * w);
    if (name == "edtPolylineY") return NumberText(false, -0.2 * h, 1.2 * h);
    if (name == "edtPorosity") return NumberText(false, 0, 1);
    return NumberText(integer, 0, 500);
}

void TWindowMonkey::TypeInField() {
    std::vector<TQmtEdit*> fields;
    for (TQmtEdit* field : window_->findChildren<TQmtEdit*>())
        if (Clickable(field) && !field->isReadOnly()) fields.push_back(field);
    if (fields.empty()) return;
    TQmtEdit* field = random_.Pick(fields);
    const QString name = field->objectName();
    field->setFocus(Qt::TabFocusReason);
    if (random_.Percent(15)) {
        const bool up = random_.Percent(50);
        Log("key " + std::string(up ? "Up" : "Down") + " in " + name.toStdString());
        QTest::keyClick(field, up ? Qt::Key_Up : Qt::Key_Down);
        return;
    }
    const QString text = FieldText(name, field->ValueType() == typInteger);
    Log("type '" + text.toStdString() + "' in " + name.toStdString());
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        TypeText(field, text);
    // Leaving the field checks it.
    if (random_.Percent(30)) QTest::keyClick(field, Qt::Key_Tab);
}

void TWindowMonkey::SpinOrList() {
    static const std::vector<const char*> kSpins = {"sedtSubZonaX", "sedtSubZonaY", "edtNX", "edtNY", "edtI", "edtJ"};
    const int roll = random_.Below(10);
    if (roll < 3) {
        auto* combo = Find<QComboBox>(random_.Percent(70) ? "cbxVariableList" : "cbxTipoPoroso");
        static const std::vector<Qt::Key> kKeys = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = random_.Pick(kKeys);
        Log("key " + std::to_string(int(key)) + " in " + combo->objectName().toStdString());
        QTest::keyClick(combo, key);
        return;
    }
    auto* spin = Find<QSpinBox>(random_.Pick(kSpins));
    const std::string name = spin->objectName().toStdString();
    if (!Clickable(spin)) {
        Log("(" + name + " cannot be changed)");
        return;
    }
    spin->setFocus(Qt::TabFocusReason);
    if (roll < 7) {
        const bool up = random_.Percent(55);
        Log("key " + std::string(up ? "Up" : "Down") + " in " + name);
        QTest::keyClick(spin, up ? Qt::Key_Up : Qt::Key_Down);
        return;
    }
    QString text;
    if (name == "edtNX" || name == "edtNY")
        text = QString::number(random_.Percent(90) ? random_.Between(1, 3) : random_.Between(0, 12));
    else if (name == "edtI" || name == "edtJ")
        text = random_.Percent(10) ? QString(random_.Percent(50) ? "-2147483648" : "2147483647")
                                   : QString::number(random_.Between(-5, 300));
    else
        text = QString::number(random_.Between(0, kMaxSubZones + 1));
    Log("type '" + text.toStdString() + "' in " + name);
    spin->selectAll();
    TypeText(spin, text);
}

// Every mesh field whose text does not read as its number gets a good one.
void TWindowMonkey::MendMeshFields() {
    for (TQmtEdit* field : window_->MeshArea().Frame()->findChildren<TQmtEdit*>()) {
        const bool integer = field->ValueType() == typInteger;
        bool reads = true;
        try {
            integer ? static_cast<double>(field->AsInteger()) : field->AsFloat();
        } catch (const std::exception&) {
            reads = false;
        }
        if (reads) continue;
        const QString text = FieldText(field->objectName(), integer, false);
        Log("mend " + field->objectName().toStdString() + " with '" + text.toStdString() + "'");
        field->selectAll();
        TypeText(field, text);
    }
}

// Key by key; a character the test library has no key for comes as a key event with its text.
void TWindowMonkey::TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x7F) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
    }
}

// ---- Buttons

void TWindowMonkey::MeshButton() {
    const TCETamrixMesh& mesh = window_->Mesh();
    const int roll = random_.Below(100);
    if (roll < 12) {
        ClickButton(mesh.SubZoneXCount() < kMaxSubZones ? "btnAddSubzoneX" : "bntDelSubzoneX");
    } else if (roll < 24) {
        ClickButton(mesh.SubZoneYCount() < kMaxSubZones ? "btnAddSubzoneY" : "bntDelSubzoneY");
    } else if (roll < 31) {
        ClickButton("bntDelSubzoneX");
    } else if (roll < 38) {
        ClickButton("bntDelSubzoneY");
    } else if (roll < 70) {
        // Now and then the user mends what the fields show as wrong before generating.
        if (random_.Percent(50)) MendMeshFields();
        if (ClickButton("btnGenerateMesh") && window_->MeshArea().HasGeneratedMesh()) ++report_.Done["meshes generated"];
    } else if (roll < 78) {
        ClickButton("btnMeshInfo");
    } else if (roll < 88) {
        ClickButton("btnGuardarMallado");
    } else {
        // The quality window is modal: it is closed as soon as it shows.
        auto* quality = &window_->QualityWindow();
        QTimer::singleShot(0, window_.get(), [this, quality] {
            if (quality->isVisible()) {
                Count("window", quality->windowTitle().toStdString());
                quality->reject();
            }
        });
        ClickButton("btnCalidadMalla");
    }
}

void TWindowMonkey::ObjectButton() {
    static const std::vector<const char*> kNew = {"btnObstaculo", "btnPoroso", "btnAgua"};
    const int roll = random_.Below(100);
    if (roll < 35)
        ClickButton(window_->Set().Objects().size() < 12 ? random_.Pick(kNew) : "btnBorrar");
    else if (roll < 55)
        ClickButton("btnBorrar");
    else if (roll < 80)
        ClickButton("btnPolylinPointOk");
    else
        ClickButton("btnObjectOK");
}

void TWindowMonkey::ObjectList() {
    QListWidget* list = window_->ObjectsArea().List();
    const int roll = random_.Below(10);
    if (roll < 6 && list->count() > 0) {
        const int row = random_.Below(list->count());
        Log("click list row " + std::to_string(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    } else if (roll < 8) {
        const QPoint below(5, list->viewport()->height() - 2);
        Log("click list " + Describe(below));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    } else {
        const bool down = random_.Percent(50);
        Log(std::string("key ") + (down ? "Down" : "Up") + " in lbxObjects");
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
    }
}

void TWindowMonkey::Count(const std::string& kind, const std::string& text) {
    ++report_.Messages[kind + ": " + NormalizedMessage(text, folder_)];
}

TMonkeyReport RunWindowMonkey(const TMonkeyOptions& Options) {
    TWindowMonkey monkey(Options);
    return monkey.Run();
}

}  // namespace nerim::testing

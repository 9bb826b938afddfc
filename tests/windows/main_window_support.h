#pragma once

// The main window under test: settings kept in a temporary folder, the window's questions and file
// dialogs answered by the test, information messages and reported failures recorded.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QTimer>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_area.h"
#include "app/windows/objects_area.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"
#include "objects/information_box.h"
#include "tests/common/temp_dir.h"
#include "tests/widgets/widget_test_support.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace nerim::testing {

// The window's settings go to a folder of the test program's own, never to the user's.
inline void UseTemporarySettings() {
    static TempDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.Path().string()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(folder.Path().string()));
}

// Around a user action whose handler fails on purpose. The failure unwinds through toolkit code
// built without exception support, which cannot free what its frames hold on the way (an event's
// points, a guard pointer): a few bytes per failure that are not the program's own leaks.
class FailingAction {
public:
#if defined(__SANITIZE_ADDRESS__)
    FailingAction() { __lsan_disable(); }
    ~FailingAction() { __lsan_enable(); }
#endif
    FailingAction(const FailingAction&) = delete;
    FailingAction& operator=(const FailingAction&) = delete;
};

// Answers the window's questions from queues the test fills; a question nobody expected fails.
class ScriptedPrompts {
public:
    ScriptedPrompts() {
        previousQuestion_ = SetSaveQuestion([this](QWidget*, const QString& question) {
            Questions.push_back(question);
            if (Answers.empty()) {
                ADD_FAILURE() << "unexpected question: " << question.toStdString();
                return TSaveAnswer::Cancel;
            }
            const TSaveAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
        previousChooser_ = SetFileChooser([this](QWidget*, TFileDialogKind kind, const QString&) {
            Dialogs.push_back(kind);
            if (Files.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return QString();
            }
            const QString file = Files.front();
            Files.pop_front();
            return file;
        });
        previousBox_ = SetInformationBox([this](const std::string& message) { Information.push_back(message); });
    }
    ~ScriptedPrompts() {
        SetSaveQuestion(previousQuestion_);
        SetFileChooser(previousChooser_);
        SetInformationBox(previousBox_);
    }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    std::deque<TSaveAnswer> Answers;
    std::deque<QString> Files;  // an empty text cancels the dialog
    std::vector<QString> Questions;
    std::vector<TFileDialogKind> Dialogs;
    std::vector<std::string> Information;

private:
    TSaveQuestion previousQuestion_;
    TFileChooser previousChooser_;
    TInformationBox previousBox_;
};

inline QString Path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// The options of a translation-mode window whose program folder is dir, holding the shipped
// configuration and Spanish strings.
inline TNerimWindowOptions TranslationModeIn(const TempDir& dir) {
    for (const char* file : {"Configuration.dat", "Strings_es.dat"})
        std::filesystem::copy_file(std::filesystem::path(NERIM_BIN_DIR) / file, dir / file);
    TNerimWindowOptions options;
    options.TranslationMode = true;
    options.ProgramDirectory = Path(dir.Path());
    return options;
}

// A fresh window for each test, not shown unless the test shows it.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseTemporarySettings();
        // Closing a test's window must not end the application.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    template <class T>
    T* Find(const char* name) {
        T* control = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    // A handler that fails on purpose, run from the event loop as the toolkit runs handlers, so
    // that the failure reaches the application's report. The handler is called directly rather
    // than through a button or a menu: their own frames, built without exception support, would
    // keep references they can no longer drop.
    void FailingCall(const std::function<void()>& handler) {
        FailingAction failing;
        QTimer::singleShot(0, window.get(), handler);
        QCoreApplication::processEvents();
    }
    void Type(const char* name, const QString& text) {
        QLineEdit* field = Find<QLineEdit>(name);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // A menu command run from the event loop, as the menu runs it: its failures reach the
    // application's report.
    void Trigger(const char* name) {
        QMetaObject::invokeMethod(Find<QAction>(name), &QAction::trigger, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    }

    TCETamrixMesh& Mesh() { return window->Mesh(); }
    TCanvaxView& View() { return window->View(); }

    // Shown off screen, the view sized so that the fitted initial domain has 10 pixels per unit
    // with its corners on whole pixels: x = 0 at pixel 11, world y = 0 at pixel 150 and y = 10 at 250.
    void ShowWithKnownView() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        View().SetClientSize(1022, 400);
        window->ViewTools().FitView();
    }
    QPoint Pixel(const TPoint2D& world) {
        const TPoint2D s = View().WorldToScreen(world);
        return QPoint(int(std::lround(s.X)), int(std::lround(s.Y)));
    }
    void SendMouse(QEvent::Type type, Qt::MouseButton button, const QPoint& at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), View().mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&View(), &event);
    }
    void MoveTo(const QPoint& at) { SendMouse(QEvent::MouseMove, Qt::NoButton, at, Qt::NoButton); }
    void ClickAt(const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
        MoveTo(at);
        SendMouse(QEvent::MouseButtonPress, button, at, button);
        SendMouse(QEvent::MouseButtonRelease, button, at, Qt::NoButton);
    }
    void ClickWorld(const TPoint2D& world) { ClickAt(Pixel(world)); }
    // What the window system sends for a double click.
    void DoubleClickWorld(const TPoint2D& world) {
        const QPoint at = Pixel(world);
        ClickAt(at);
        SendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at, Qt::LeftButton);
        SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
    }
    // A new object of the button's material drawn through the given vertices.
    void DrawObject(const char* button, const std::vector<TPoint2D>& vertices) {
        Click(button);
        for (std::size_t i = 0; i + 1 < vertices.size(); ++i) ClickWorld(vertices[i]);
        DoubleClickWorld(vertices.back());
    }

    ScriptedPrompts prompts;
    std::unique_ptr<TfrmNerim> window = std::make_unique<TfrmNerim>();
};

}  // namespace nerim::testing

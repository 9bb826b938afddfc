#pragma once

// The driver behind RunWindowMonkey, shared by its two source files.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QEvent>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QtGlobal>

#include "app/windows/window_prompts.h"
#include "canvas/geometry/geometry_types.h"
#include "objects/information_box.h"
#include "tests/windows/window_monkey.h"

class QWidget;

namespace nerim {
class TCEPolyline;
class TfrmNerim;
}  // namespace nerim

namespace nerim::testing {

// A message as the report counts it: the run's folder shown as "<dir>", every run of digits as "#",
// line breaks as " | ".
std::string NormalizedMessage(const std::string& text, const std::string& folder);

// The monkey's run on one window (see window_monkey.h): the actions (window_monkey.cpp) and the
// invariants checked after each of them (window_monkey_checks.cpp), the project files
// (window_monkey_files.cpp).
class TWindowMonkey {
public:
    explicit TWindowMonkey(const TMonkeyOptions& Options);
    ~TWindowMonkey();
    TWindowMonkey(const TWindowMonkey&) = delete;
    TWindowMonkey& operator=(const TWindowMonkey&) = delete;

    TMonkeyReport Run();
    void CountToolkit(const std::string& message) { Count("toolkit", message); }

private:
    // ---- Actions
    void Act();
    void MouseOnView();
    void ToolButton();
    void TypeInField();
    void SpinOrList();
    void MeshButton();
    void ObjectButton();
    void ObjectList();
    void ProjectFile();
    void OtherWindowAction();

    // ---- Helpers
    void Log(const std::string& line) {
        report_.Log.push_back(std::to_string(step_) + ": " + line);
        if (log_) {
            std::fprintf(log_, "%s\n", report_.Log.back().c_str());
            std::fflush(log_);
        }
    }
    // A message by its text, the run's folder shown as "<dir>" and digits as "#".
    void Count(const std::string& kind, const std::string& text);
    void Fail(const std::string& why) {
        if (report_.Failure.empty()) report_.Failure = "after action " + std::to_string(step_) + ": " + why;
    }
    void Settle();
    template <class T>
    T* Find(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    bool Clickable(const QWidget* w) const { return w && w->isVisible() && w->isEnabled(); }
    bool ClickButton(const char* name);
    void RunQueued(const std::function<void()>& action);
    void Send(QEvent::Type type, Qt::MouseButton button, const QPoint& at, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QPoint ViewPoint();
    QPoint Screen(const TPoint2D& world) const;
    TCEPolyline* CurrentPolygon() const;
    QString NumberText(bool integer, double lo, double hi);
    // A text for the field: now and then one that is no number, or an extreme one, when badOnes.
    QString FieldText(const QString& name, bool integer, bool badOnes = true);
    void MendMeshFields();
    QString ChooseFile(TFileDialogKind kind);
    void TypeText(QWidget* widget, const QString& text);
    std::string Path(const QString& file) const;

    // ---- What an action did
    struct TSnapshot {
        std::size_t Objects = 0;
        const TCEPolyline* Polygon = nullptr;
        std::vector<TPoint2D> Vertices;
        TVector2D Scale;
        TPoint2D Origin;
    };
    TSnapshot Snapshot() const;
    void TellWhatChanged(const TSnapshot& before);

    // ---- Invariants
    void Check();
    void CheckObjects();
    void CheckVertexSelection();
    void CheckMesh();
    void CheckControls();
    void CheckSavedFile();

    TMonkeyOptions options_;
    TMonkeyRandom random_;
    std::string folder_;
    QString previousDirectory_;
    TMonkeyReport report_;
    int step_ = 0;
    int reports_ = 0;
    bool fileTouched_ = false;
    std::unique_ptr<TfrmNerim> window_;
    TSaveQuestion previousQuestion_;
    TFileChooser previousChooser_;
    TChoiceQuestion previousChoice_;
    TInformationBox previousBox_;
    QTimer watchdog_;
    QtMessageHandler previousHandler_ = nullptr;
    std::FILE* log_ = nullptr;
};

}  // namespace nerim::testing

#pragma once

#include <memory>

#include <QObject>

class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;
class QWidget;

namespace nerim {

class TfrmNerim;
class TMapTool;
class TViewNavigator;

// The view tools, a strip under the view: the mouse modes "Zoom" and "Pan", "Ajustar vista", the
// layer toggles "Malla" and "Objetos", the cell variable drawn over the mesh, the picked cell
// (i, j) and the read-out of the model point under the mouse.
//
// MouseMode is 0 (the mouse edits the drawing), 1 (zoom) or 3 (pan); a mode other than 0 clears
// the drawing's selection and stays until an object is selected, created or deleted (or Escape).
class TViewTools : public QObject {
    Q_OBJECT

public:
    TViewTools(TfrmNerim& Window, QWidget* Parent);
    ~TViewTools() override;

    QWidget* Strip() const { return strip_; }
    QLabel* Readout() const { return lblInfo_; }

    // Hooks the mouse of the view once the drawing exists.
    void AttachView();
    // The mesh's variables into the list, none chosen.
    void FillVariableList();

    int MouseMode() const;
    const TMapTool* Tool() const { return tool_.get(); }
    void SetMouseMode(int Mode);
    void FitView();
    // No variable drawn, and none chosen in the list.
    void ShowNoVariable();
    // Chooses the variable of that name in the list and draws it.
    void ShowVariable(const QString& Name);

    // Handlers.
    void btnZoomClick();
    void btnPanClick();
    void btnAdjustViewClick();
    void btnMallaVisibleClick();
    void btnObjetosClick();
    void cbxVariableListChange(int Index);
    void edtIChange();
    void cvwMainMouseDown(int Button, int X, int Y);
    void cvwMainMouseMove(int X, int Y);
    void cvwMainMouseUp(int Button, int X, int Y);

private:
    TfrmNerim& window_;
    QWidget* strip_ = nullptr;
    QToolButton* btnZoom_ = nullptr;
    QToolButton* btnPan_ = nullptr;
    QToolButton* btnMallaVisible_ = nullptr;
    QToolButton* btnObjetos_ = nullptr;
    QComboBox* cbxVariableList_ = nullptr;
    QSpinBox* edtI_ = nullptr;
    QSpinBox* edtJ_ = nullptr;
    QLabel* lblInfo_ = nullptr;
    std::unique_ptr<TMapTool> tool_;
    TViewNavigator* navigator_ = nullptr;
};

}  // namespace nerim

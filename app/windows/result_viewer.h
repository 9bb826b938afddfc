#pragma once

#include <QObject>
#include <QString>

class QButtonGroup;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

namespace nerim {

class TfrmNerim;

// The result viewer: five exclusive buttons "U", "W", "T", "P", "K" ("K" down), a step number
// and "Abrir", which load a results file of the model beside the project (letter, step in four
// digits, ".dat") into the mesh's "Results" matrix and show it. The window creates them hidden
// and nothing shows them; each of their handlers loads the file.
class TResultViewer : public QObject {
    Q_OBJECT

public:
    TResultViewer(TfrmNerim& Window, QWidget* Parent);

    // The letter of the button that is down, tested in the order U, W, T, P, K.
    char Letter() const;
    // The file the handlers load.
    QString ResultsFile() const;

    // Handlers; each loads the file and shows "Results".
    void Button1Click();
    void SpinEdit1Change();
    void sbtWClick();

private:
    void LoadAndShow();

    TfrmNerim& window_;
    QToolButton* buttons_[5] = {};
    QSpinBox* SpinEdit1_ = nullptr;
};

}  // namespace nerim

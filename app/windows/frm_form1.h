#pragma once

#include <QWidget>

class QGroupBox;

namespace nerim {

// The boundary-condition chooser "Form1": a radio group "Condiciones de contorno" with the six
// conditions of the model's boundaries. The program creates it hidden at start; nothing shows
// it and nothing reads it (the project file keeps its own boundary codes).
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    QGroupBox* BoundaryConditions() const { return rbtBC_; }
    // The checked item, counted from 0; -1 while none is (as at start).
    int ItemIndex() const;

private:
    QGroupBox* rbtBC_;
};

}  // namespace nerim

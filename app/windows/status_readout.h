#pragma once

#include <string>

#include <QObject>

#include "canvas/geometry/geometry_types.h"

class QLabel;
class QStatusBar;

namespace nerim {

class TfrmNerim;

// The status bar: on the left the cell under the mouse with the value of every cell matrix
// there, on the right the size of the last generated mesh and how long it took; passing
// messages (the file a project or a mesh was written to) cover the left part for a while.
class TStatusReadout : public QObject {
    Q_OBJECT

public:
    TStatusReadout(TfrmNerim& Window, QStatusBar* Bar);

    void ShowCell(const TPoint2D& World);
    void ShowGeneration(std::int32_t CellsX, std::int32_t CellsY, double Seconds);
    void ShowMessage(const std::string& Text);

    QString CellText() const;
    QString GenerationText() const;
    QString MessageText() const;

private:
    TfrmNerim& window_;
    QStatusBar* bar_;
    QLabel* lblCellInfo_;
    QLabel* lblMeshInfo_;
};

}  // namespace nerim

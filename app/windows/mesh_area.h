#pragma once

#include <QFrame>
#include <QObject>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;

namespace nerim {

class TCETamrixMesh;
class TfrmNerim;
class TQmtEdit;
class TQmtFrame;
struct TSubZone;

// "shpChanges": the frame around the mesh fields, a 3-pixel line of RGB (113, 99, 235) without
// fill, drawn while the fields hold edits that the mesh has not taken yet.
class TChangeFrame : public QFrame {
    Q_OBJECT

public:
    static constexpr int kPenWidth = 3;
    explicit TChangeFrame(QWidget* parent = nullptr);
    // Solid pen (shown) or clear pen (hidden); the fields inside stay visible either way.
    bool Shown() const { return shown_; }
    void SetShown(bool Value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shown_ = false;
};

// The mesh area: the domain's width and height, the X and Y sub-zone editors, the sampling
// counts NX and NY, and "Calidad malla", "Información", "Exportar malla", "Generar malla".
//
// The fields are a copy of the mesh's parameters: ShowMeshParameters fills them (Updating set
// meanwhile), typing in any of the twelve mesh fields marks them edited (MeshEdited, the change
// frame shown), and btnOkClick hands the edits to the mesh. Every handler that acts on the mesh
// parameters applies the edits first; "Información", "Calidad malla" and "Exportar malla" do not.
class TMeshArea : public QObject {
    Q_OBJECT

public:
    // Builds the area's controls into the frame it returns through Frame().
    TMeshArea(TfrmNerim& Window, QWidget* Parent);

    TChangeFrame* Frame() const { return shpChanges_; }
    // The porous model list lives with the objects; the mesh area fills and handles it.
    void SetPorousModelList(QComboBox* List);

    bool Updating() const { return updating_; }
    bool MeshEdited() const { return meshEdited_; }
    // A mesh was generated and its boundaries are still those of the present parameters.
    bool HasGeneratedMesh() const;
    // Another project was taken in: the current sub-zones are kept inside their lists (the old
    // indices may lie past the new lists' ends), the fields show the new parameters and hold no
    // edits, and the mesh generated before no longer belongs to the project.
    void ProjectOpened();
    std::int32_t NX() const;
    std::int32_t NY() const;
    QSpinBox* NXField() const { return edtNX_; }
    QSpinBox* NYField() const { return edtNY_; }

    // Mesh into fields, fields into mesh.
    void ShowMeshParameters();
    void ApplyMeshParameters();

    // Handlers.
    void edtMeshChange();
    void btnOkClick();
    void btnGenerateMeshClick();
    void sedtSubZonaXChange();
    void sedtSubZonaYChange();
    void btnAddSubzoneXClick();
    void btnAddSubzoneYClick();
    void bntDelSubzoneXClick();
    void bntDelSubzoneYClick();
    void btnMeshInfoClick();
    void btnCalidadMallaClick();
    void btnGuardarMalladoClick();
    void cbxTipoPorosoChange(int Index);

private:
    enum TAxis { axX, axY };
    // The controls of one axis's sub-zone editor.
    struct TSubZoneFields {
        TQmtFrame* Frame = nullptr;
        QSpinBox* Spin = nullptr;
        TQmtEdit* Center = nullptr;
        TQmtEdit* Division = nullptr;
        TQmtEdit* NumDivL = nullptr;
        TQmtEdit* NumDivR = nullptr;
        TQmtEdit* MaxSep = nullptr;
        QPushButton* Add = nullptr;
        QPushButton* Delete = nullptr;
    };

    TCETamrixMesh& Mesh() const;
    void BuildSubZoneEditor(TAxis Axis, QWidget* Parent, QGridLayout* Grid, int Column);
    TQmtEdit* AddMeshField(QGridLayout* Grid, int Row, int Column, const char* Name, const char* LabelName,
                           const QString& Caption, const QString& Hint, bool Integer);
    void ShowSubZone(TAxis Axis);
    // The spin of the axis: its range and the current sub-zone, without a change handled.
    void ShowSubZoneSpin(TAxis Axis);
    void ApplySubZone(TAxis Axis);
    void SubZoneSpinChange(TAxis Axis);
    void AddSubZone(TAxis Axis);
    void DeleteSubZone(TAxis Axis);

    TfrmNerim& window_;
    TChangeFrame* shpChanges_ = nullptr;
    TQmtEdit* edtAnchura_ = nullptr;
    TQmtEdit* edtAltura_ = nullptr;
    TSubZoneFields axes_[2];
    QLabel* lblNumSubzonas_ = nullptr;
    QSpinBox* edtNX_ = nullptr;
    QSpinBox* edtNY_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QComboBox* cbxTipoPoroso_ = nullptr;
    bool updating_ = false;
    bool meshEdited_ = false;
    bool generated_ = false;
};

}  // namespace nerim

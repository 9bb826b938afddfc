#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "canvas/ce_not_container.h"
#include "mesh/core/cell_classification.h"
#include "mesh/core/cell_matrices.h"
#include "mesh/core/mesh_parameters.h"
#include "mesh/core/sub_zone.h"
#include "support/int_pair.h"

namespace nerim {

class TCELayer;
class TCENerimObject;
class TextReader;
class TextWriter;

// One of the mesh's cell matrices, or none.
using TMatrixRef = std::variant<std::monostate, const TDoubleArray*, const TBooleanArray*, const TIntegerArray*>;

// A named cell matrix, as the variable chooser offers them.
struct TMeshVariable {
    std::string Name;
    TMatrixRef Matrix;
};

// The computational mesh of the model: the domain [0, Width] × [0, Height] in world coordinates
// (y downwards from the top edge), the refinement sub-zones along each axis, the cell boundaries
// generated from them (stored as 32-bit floats) and the cell matrices of the last classification.
//
// Every change of a sub-zone, of Width or of Height discards the boundaries until GenerateDivisions
// runs again; the cell matrices keep the last classification until ClassifyCells runs again.
// Changes are announced with Redraw, which repaints the mesh on every view.
class TCETamrixMesh : public TCENotContainer {
public:
    // The mesh joins Layer (as its last child, esNormal, shown). No sub-zones yet; porous model 2,
    // every boundary code 0, 1 × 1 matrices with the values of an empty domain.
    TCETamrixMesh(TCanvax& Canvax, TCELayer& Layer, double Width, double Height);

    // ---- Extents ----
    double Width() const { return parameters_.Width; }
    double Height() const { return parameters_.Height; }
    // Stores a different value (exact comparison) and discards the divisions.
    void SetWidth(double Value);
    void SetHeight(double Value);

    // ---- Sub-zones (X; the Y ones mirror them with Height as the extent) ----
    // Inserts in order of Division and returns the index; a centre not before the next
    // sub-zone's Division (or Width) raises "El punto central es incorrecto" and adds nothing.
    std::int32_t AddSubZoneX(std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center,
                             double MaxSep);
    std::int32_t AddSubZoneY(std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center,
                             double MaxSep);
    void DeleteSubZoneX(std::int32_t Index);
    void DeleteSubZoneY(std::int32_t Index);
    TSubZone GetSubZoneX(std::int32_t Index) const;
    TSubZone GetSubZoneY(std::int32_t Index) const;
    // Overwrites the record without validation or re-ordering.
    void SetSubZoneX(std::int32_t Index, const TSubZone& Zone);
    void SetSubZoneY(std::int32_t Index, const TSubZone& Zone);
    std::int32_t SubZoneXCount() const { return static_cast<std::int32_t>(parameters_.SubZonesX.size()); }
    std::int32_t SubZoneYCount() const { return static_cast<std::int32_t>(parameters_.SubZonesY.size()); }
    std::int32_t CurrentSubZoneX() const { return currentSubZoneX_; }
    std::int32_t CurrentSubZoneY() const { return currentSubZoneY_; }
    // Stores a different index (not range-checked) and announces the change.
    void SetCurrentSubZoneX(std::int32_t Index);
    void SetCurrentSubZoneY(std::int32_t Index);

    // ---- Divisions ----
    // Rebuilds both boundary lists from the sub-zones and announces the change. A centre on its end
    // point raises EFloatingPointError naming the axis and sub-zone; both lists are then empty.
    void GenerateDivisions();
    // Empties both boundary lists and announces the change; the cell matrices stay.
    void DiscardDivisions();
    double DivisionX(std::int32_t Index) const;
    double DivisionY(std::int32_t Index) const;
    std::int32_t DivisionXCount() const { return static_cast<std::int32_t>(divisionsX_.size()); }
    std::int32_t DivisionYCount() const { return static_cast<std::int32_t>(divisionsY_.size()); }
    const std::vector<float>& DivisionsX() const { return divisionsX_; }
    const std::vector<float>& DivisionsY() const { return divisionsY_; }

    // ---- Change bracket ----
    void BeginChanges() { ++updateCount_; }
    // Closes a bracket and announces the change when the outermost one closes. More EndChanges
    // than BeginChanges raises EMeshError (the count stays at its decreased value).
    void EndChanges();
    std::int32_t UpdateCount() const { return updateCount_; }

    // ---- Other parameters ----
    std::uint8_t PorousModel() const { return parameters_.PorousModel; }
    void SetPorousModel(std::uint8_t Value) { parameters_.PorousModel = Value; }
    const std::array<std::uint8_t, 4>& BoundaryConditions() const { return parameters_.BoundaryConditions; }
    void SetBoundaryCondition(std::size_t Entry, std::uint8_t Code) { parameters_.BoundaryConditions.at(Entry) = Code; }
    const TMeshParameters& Parameters() const { return parameters_; }
    // Takes a whole parameter set (as a project file gives it): no notification, the current
    // indices and the divisions stay as they are.
    void SetParameters(TMeshParameters Parameters) { parameters_ = std::move(Parameters); }
    // The parameter block of the project file.
    void WriteParameters(TextWriter& F) const { parameters_.WriteParameters(F); }
    // Reads a parameter block; the mesh takes it only when the whole block was read.
    void ReadParameters(TextReader& F);

    // ---- Selection and display ----
    TCENerimObject* SelectedObject() const { return selectedObject_; }
    void SetSelectedObject(TCENerimObject* Object) { selectedObject_ = Object; }
    const TMatrixRef& ShownVariable() const { return shownVariable_; }
    void SetShownVariable(const TMatrixRef& Matrix);
    TIntPair PickedCell() const { return pickedCell_; }
    void SetPickedCell(std::int32_t I, std::int32_t J);
    // "AC", "AR", "AT", "VOF", "Noc", "Npc", "Results", each with its matrix.
    const std::vector<TMeshVariable>& Variables() const { return variables_; }

    // ---- Cells ----
    // Classifies every cell by the objects, in list order, sampling NX × NY points per cell, and
    // announces the change. Progress, when given, is told how far it has come.
    void ClassifyCells(const std::vector<TCENerimObject*>& Objects, std::int32_t NX, std::int32_t NY,
                       const TClassificationProgress& Progress = {});
    // The same for objects already reduced to what the classification needs.
    void ClassifyCells(const std::vector<TClassifiedObject>& Objects, std::int32_t NX, std::int32_t NY,
                       const TClassificationProgress& Progress = {});
    const TCellMatrices& Cells() const { return cells_; }
    const TDoubleArray& AC() const { return cells_.AC; }
    const TDoubleArray& AR() const { return cells_.AR; }
    const TDoubleArray& AT() const { return cells_.AT; }
    const TDoubleArray& VOF() const { return cells_.VOF; }
    const TBooleanArray& Noc() const { return cells_.Noc; }
    const TIntegerArray& Npc() const { return cells_.Npc; }
    const TPorousTypes& PorousTypes() const { return porousTypes_; }
    const TDoubleArray& Results() const { return results_; }
    double ResultsMin() const { return resultsMin_; }
    double ResultsMax() const { return resultsMax_; }
    // Reads a results file of the model into Results, DivisionXCount × DivisionYCount values, and
    // sets ResultsMin and ResultsMax to their range (see LoadResultsFile: a missing or short file
    // raises EInOutError and keeps the values read so far). Nothing is repainted: the caller
    // shows Results afterwards.
    void LoadResults(const std::filesystem::path& FileName);

    // Writes the model's mesh file from the current boundaries and matrices (nothing is generated
    // or classified). The file is replaced only when it has been written completely.
    void ExportMesh(const std::filesystem::path& FileName) const;

    // ---- Canvas element ----
    // The domain rectangle (0, 0, Width, Height).
    TRect2D GetBounds(const TCanvaxViewport& View) override;
    // Nothing while a change bracket is open (UpdateCount not zero); otherwise the base element,
    // the domain outline, the sub-zone lines with the current sub-zones' bands, the cells of the
    // shown matrix (ghost column and row left out), the boundary lines and the picked cell's
    // marker, all blended over what is drawn (see mesh/core/cell_colors.h for the colours).
    void Paint(TCanvaxViewport& View) override;

protected:
    ~TCETamrixMesh() override = default;
    void AfterConstruction() override;

private:
    std::int32_t AddSubZone(std::vector<TSubZone>& List, std::int32_t& Current, double Extent,
                            std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center, double MaxSep);

    TCELayer& layer_;
    TMeshParameters parameters_;
    std::vector<float> divisionsX_;
    std::vector<float> divisionsY_;
    std::int32_t currentSubZoneX_ = 0;
    std::int32_t currentSubZoneY_ = 0;
    std::int32_t updateCount_ = 0;
    TMatrixRef shownVariable_;
    TCENerimObject* selectedObject_ = nullptr;
    TCellMatrices cells_;
    TPorousTypes porousTypes_;
    TDoubleArray results_{MakeIntPair(1, 1)};
    double resultsMin_ = 0.0;
    double resultsMax_ = 0.0;
    TIntPair pickedCell_{0, 0};
    std::vector<TMeshVariable> variables_;
};

}  // namespace nerim

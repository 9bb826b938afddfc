#include "mesh/tamrix_mesh.h"

#include "canvas/ce_layer.h"
#include "mesh/core/grading.h"
#include "mesh/core/mesh_error.h"
#include "mesh/core/mesh_export.h"
#include "mesh/core/results_file.h"
#include "mesh/core/sub_zone_list.h"

namespace nerim {

TCETamrixMesh::TCETamrixMesh(TCanvax& Canvax, TCELayer& Layer, double Width, double Height)
    : TCENotContainer(Canvax), layer_(Layer) {
    parameters_.Width = Width;
    parameters_.Height = Height;
    parameters_.PorousModel = 2;
    variables_ = {{"AC", &cells_.AC}, {"AR", &cells_.AR},   {"AT", &cells_.AT},       {"VOF", &cells_.VOF},
                  {"Noc", &cells_.Noc}, {"Npc", &cells_.Npc}, {"Results", &results_}};
}

void TCETamrixMesh::AfterConstruction() {
    TCENotContainer::AfterConstruction();
    layer_.AddChild(*this);
    SetState(esNormal);
    Show();
}

void TCETamrixMesh::SetWidth(double Value) {
    if (Value == parameters_.Width) return;
    parameters_.Width = Value;
    DiscardDivisions();
}

void TCETamrixMesh::SetHeight(double Value) {
    if (Value == parameters_.Height) return;
    parameters_.Height = Value;
    DiscardDivisions();
}

std::int32_t TCETamrixMesh::AddSubZone(std::vector<TSubZone>& List, std::int32_t& Current, double Extent,
                                       std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center,
                                       double MaxSep) {
    const std::int32_t index = nerim::AddSubZone(List, Current, TSubZone{Center, Division, NumDivL, NumDivR, MaxSep},
                                                 Extent);
    DiscardDivisions();
    return index;
}

std::int32_t TCETamrixMesh::AddSubZoneX(std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center,
                                        double MaxSep) {
    return AddSubZone(parameters_.SubZonesX, currentSubZoneX_, parameters_.Width, NumDivL, NumDivR, Division, Center,
                      MaxSep);
}

std::int32_t TCETamrixMesh::AddSubZoneY(std::int32_t NumDivL, std::int32_t NumDivR, double Division, double Center,
                                        double MaxSep) {
    return AddSubZone(parameters_.SubZonesY, currentSubZoneY_, parameters_.Height, NumDivL, NumDivR, Division, Center,
                      MaxSep);
}

void TCETamrixMesh::DeleteSubZoneX(std::int32_t Index) {
    DeleteSubZone(parameters_.SubZonesX, currentSubZoneX_, Index);
    DiscardDivisions();
}

void TCETamrixMesh::DeleteSubZoneY(std::int32_t Index) {
    DeleteSubZone(parameters_.SubZonesY, currentSubZoneY_, Index);
    DiscardDivisions();
}

TSubZone TCETamrixMesh::GetSubZoneX(std::int32_t Index) const { return GetSubZone(parameters_.SubZonesX, Index); }
TSubZone TCETamrixMesh::GetSubZoneY(std::int32_t Index) const { return GetSubZone(parameters_.SubZonesY, Index); }

void TCETamrixMesh::SetSubZoneX(std::int32_t Index, const TSubZone& Zone) {
    SetSubZone(parameters_.SubZonesX, Index, Zone);
    DiscardDivisions();
}

void TCETamrixMesh::SetSubZoneY(std::int32_t Index, const TSubZone& Zone) {
    SetSubZone(parameters_.SubZonesY, Index, Zone);
    DiscardDivisions();
}

void TCETamrixMesh::SetCurrentSubZoneX(std::int32_t Index) {
    if (Index == currentSubZoneX_) return;
    currentSubZoneX_ = Index;
    Redraw();
}

void TCETamrixMesh::SetCurrentSubZoneY(std::int32_t Index) {
    if (Index == currentSubZoneY_) return;
    currentSubZoneY_ = Index;
    Redraw();
}

void TCETamrixMesh::GenerateDivisions() {
    try {
        nerim::GenerateDivisions(parameters_, divisionsX_, divisionsY_);
    } catch (...) {
        Redraw();  // the lists are empty now: show that
        throw;
    }
    Redraw();
}

void TCETamrixMesh::DiscardDivisions() {
    divisionsX_.clear();
    divisionsY_.clear();
    Redraw();
}

double TCETamrixMesh::DivisionX(std::int32_t Index) const { return DivisionAt(divisionsX_, Index); }
double TCETamrixMesh::DivisionY(std::int32_t Index) const { return DivisionAt(divisionsY_, Index); }

void TCETamrixMesh::EndChanges() {
    --updateCount_;
    if (updateCount_ < 0) throw EMeshError("Se han llamado más \"EndChanges\" que \"BeginChanges\"");
    if (updateCount_ == 0) Redraw();
}

void TCETamrixMesh::ReadParameters(TextReader& F) { parameters_ = TMeshParameters::ReadParameters(F); }

void TCETamrixMesh::SetShownVariable(const TMatrixRef& Matrix) {
    if (Matrix == shownVariable_) return;
    shownVariable_ = Matrix;
    Redraw();
}

void TCETamrixMesh::SetPickedCell(std::int32_t I, std::int32_t J) {
    if (pickedCell_.I == I && pickedCell_.J == J) return;
    pickedCell_ = MakeIntPair(I, J);
    Redraw();
}

void TCETamrixMesh::ClassifyCells(const std::vector<TClassifiedObject>& Objects, std::int32_t NX, std::int32_t NY,
                                  const TClassificationProgress& Progress) {
    nerim::ClassifyCells(divisionsX_, divisionsY_, Objects, NX, NY, cells_, porousTypes_,
                         DefaultClassificationThreads(), Progress);
    Redraw();
}

void TCETamrixMesh::ExportMesh(const std::filesystem::path& FileName) const {
    ExportMeshFile(FileName,
                   {parameters_.PorousModel, porousTypes_, divisionsX_, divisionsY_, parameters_.Height, cells_},
                   DefaultClassificationThreads());
}

void TCETamrixMesh::LoadResults(const std::filesystem::path& FileName) {
    LoadResultsFile(FileName, MakeIntPair(DivisionXCount(), DivisionYCount()), results_, resultsMin_, resultsMax_);
}

TRect2D TCETamrixMesh::GetBounds(const TCanvaxViewport&) { return {0.0, 0.0, parameters_.Width, parameters_.Height}; }

}  // namespace nerim

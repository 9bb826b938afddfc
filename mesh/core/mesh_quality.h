#pragma once

// How the cell size changes along each axis of a generated mesh: the points of the quality graph,
// a summary of each axis and the graph's points as a CSV file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace nerim {

enum TQualityColor : std::uint8_t { qcBlack = 0, qcRed = 1, qcGreen = 2 };

// A Delta point of cell k (counting from 0): X its midpoint, Y its size, red when the slope to the
// previous cell is above 0.05 in magnitude. A Delta2 point of cells k − 1 and k: X halfway between
// their midpoints, Y the slope, green, labelled "%.4f (%d)" with b(k) and k + 1.
struct TQualityPoint {
    double X = 0.0;
    double Y = 0.0;
    TQualityColor Color = qcBlack;
    std::string Label;    // empty for Delta points
    std::int32_t Cell = 0;  // k
    double Slope = 0.0;   // the slope to the previous cell (0 for the first cell)
};

struct TAxisQuality {
    std::vector<TQualityPoint> Delta;   // one per cell, ascending X
    std::vector<TQualityPoint> Delta2;  // one per pair of neighbouring cells, ascending X
};

// Largest slope magnitude a Delta point may have and stay black.
inline constexpr double kQualitySlopeLimit = 0.05;

// The points of one axis from its boundaries b(0) … b(n), computed in double precision from the
// 32-bit values. Fewer than two boundaries give no points. Two cells whose midpoints coincide (two
// zero-size cells in a row) raise EFloatingPointError: "La pendiente entre las celdas k y k + 1
// es una división por cero", cells counted from 1.
TAxisQuality AxisQuality(const std::vector<float>& Boundaries);

// What the summary line of an axis says.
struct TAxisSummary {
    std::int32_t Cells = 0;
    double Smallest = 0.0;
    std::int32_t SmallestCell = 0;  // counting from 1, the first of equals
    double Largest = 0.0;
    std::int32_t LargestCell = 0;
    // The largest ratio of the larger to the smaller size of two neighbouring cells, and the first
    // of the two (counting from 1); infinite next to a cell of size zero, 0 with fewer than two cells.
    double LargestRatio = 0.0;
    std::int32_t RatioCell = 0;
    std::int32_t RedPoints = 0;
};

TAxisSummary SummariseAxis(const TAxisQuality& Quality);

// The words of the summary line and of the tooltips, as formats; the defaults are the program's
// own Spanish, and a window gives those of its interface language.
struct TQualityWording {
    std::string NoCells = "Sin celdas";
    // The cells, the smallest (size, cell), the largest (size, cell): one cell, several.
    std::string OneCell = "%d celda; la menor %.4f (celda %d), la mayor %.4f (celda %d)";
    std::string Cells = "%d celdas; la menor %.4f (celda %d), la mayor %.4f (celda %d)";
    // The largest ratio (a text: a number or Infinite) and its two cells.
    std::string Ratio = "; razón máxima entre vecinas %s (celdas %d y %d)";
    std::string Infinite = "infinita";
    // The red points: one, several.
    std::string OneRedPoint = "; %d punto rojo";
    std::string RedPoints = "; %d puntos rojos";
    // A Delta point: cell, size, slope; a Delta2 point: label, cells, sizes, slope.
    std::string DeltaPoint = "Celda %d\nTamaño: %.4f\nPendiente: %.4f";
    std::string Delta2Point = "%s\nCeldas %d y %d\nTamaños: %.4f y %.4f\nPendiente: %.4f";
};

// "10 celdas; la menor 1.0000 (celda 5), la mayor 19.0000 (celda 1); razón máxima entre vecinas
// 5.5000 (celdas 4 y 5); 8 puntos rojos"; "Sin celdas" for an axis without cells.
std::string SummaryLine(const TAxisSummary& Summary, const TQualityWording& Wording = {});

// The text of a point's tooltip: the label (Delta2), the cell or cells, the size or sizes and the slope.
std::string DeltaPointText(const TAxisQuality& Quality, std::size_t Index, const TQualityWording& Wording = {});
std::string Delta2PointText(const TAxisQuality& Quality, std::size_t Index, const TQualityWording& Wording = {});

// Where the red Delta line shows black: each run of black points, from halfway to the point
// before it (the first point itself at the start of the axis) to halfway to the point after it
// (the last point at the end), as (x, y) pairs along the line.
using TQualityStretch = std::vector<std::pair<double, double>>;
std::vector<TQualityStretch> BlackStretches(const TAxisQuality& Quality);

// The name of a colour in the CSV file: "black", "red", "green".
const char* QualityColorName(TQualityColor Color);

// The shortest text of a double that reads back to the same value ("0.1", "19", "-4.5", "1e-07").
std::string RoundTripText(double Value);

// Writes the graph's points as UTF-8 CSV with CR LF line ends: the header
// "series,x,y,color,label", then the points of "Delta X", "Delta2 X", "Delta Y" and "Delta2 Y" in
// that order. The file is replaced only once it has been written completely; failures raise
// EInOutError naming the file.
void WriteQualityCsv(const std::filesystem::path& FileName, const TAxisQuality& X, const TAxisQuality& Y);

// The same text, for callers that keep it.
std::string QualityCsv(const TAxisQuality& X, const TAxisQuality& Y);

}  // namespace nerim

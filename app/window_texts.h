#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "mesh/core/cell_matrices.h"
#include "mesh/core/sub_zone.h"

namespace nerim {

// What the main window computes and shows, as plain functions. Texts are UTF-8; the message
// formats come from the string table (support/string_table.h), whose entries are:
enum TWindowString : int {
    wsSubZoneCounts = 1,      // "Subzonas en X: %d, en Y: %d"
    wsSaveChanges = 5,        // "¿Guardar los cambios de %s?"
    wsUntitled = 6,           // the name of a project never saved
    wsNothingToExport = 7,    // "Exportar malla" before "Generar malla"
    wsMeshExported = 8,       // "Malla exportada en %s"
    wsBatchFailed = 9,        // "No se pudo mallar %s: %s" (project, reason)
    wsNeedsDisplay = 10,      // the window program started without a display
    wsCell = 11,              // "Celda (%d, %d)"
    wsGeneration = 12,        // "%d × %d celdas, generada en %.2f s"
    wsProjectSaved = 13,      // "Proyecto guardado en %s"
    wsProjectOpened = 14,     // "Proyecto abierto: %s"
    wsFileGone = 15,          // "El archivo %s ya no existe"
    wsSaveButton = 16,        // the buttons of the unsaved-changes question
    wsDiscardButton = 17,
    wsCancelButton = 18,
    wsImported = 19,          // "%s: objeto importado de %s" (object, file)
    wsOutlineMaterial = 20,   // the question of "Importar contorno...": which material
    wsInterfaceLanguage = 21, // the interface language's code ("es", "en"), for the toolkit's own texts
    wsQualityNoCells = 22,    // the quality window's summary line of an axis (mesh/core/mesh_quality.h)
    wsQualityOneCell = 23,
    wsQualityCells = 24,
    wsQualityRatio = 25,
    wsQualityInfinite = 26,
    wsQualityOneRedPoint = 27,
    wsQualityRedPoints = 28,
    wsQualityDeltaPoint = 29,   // the tooltips of its points
    wsQualityDelta2Point = 30,
    wsFileFilter = 31,        // a file dialog's filter: "Archivos %s (%s)" (kind, patterns)
    wsPointsFilter = 32,      // "Puntos (%s)" (patterns)
    wsMeshDivisions = 33,     // "Div. X: %d, Div. Y: %d"
    // 34 to 38: the messages of the validated fields (support/string_table.h).
};

// The string-table entry; a message that must stay readable even when the strings file did not
// have it (the entry reads "****") gives Fallback instead.
std::string WindowString(TWindowString Entry, const std::string& Fallback = {});

// The mouse read-out: "X: %.4f, Y: %.4f" of the model point under the mouse (model Y grows
// upwards from the domain's bottom edge: Height − world y).
std::string MouseReadout(const TPoint2D& World, double Height);

// The status bar's cell read-out at a world point: "Celda (i, j)" (the picked-cell numbering of
// edtI and edtJ) followed by the value of every matrix that reaches the cell ("AC 1.000 ...
// Npc 0"). Empty when the point lies on no cell of the generated boundaries.
std::string CellReadout(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY,
                        const TCellMatrices& Cells, const TDoubleArray& Results, const TPoint2D& World);

// The status bar's summary of the last generation: cells along X and Y, their number, seconds.
std::string GenerationSummary(std::int32_t CellsX, std::int32_t CellsY, double Seconds);

// The window's title: Caption alone for a project never saved that holds nothing new,
// otherwise "Caption - name" with the file's name (or the untitled name) and "*" while there
// are unsaved changes.
std::string WindowTitle(const std::string& Caption, const std::string& FileName, bool Modified);

// The name that a question about the project shows: the file's name without its folder, or
// the untitled name.
std::string ProjectDisplayName(const std::string& FileName);

// The sub-zone that "Añadir" adds after the current one of an axis: 5 and 5 cells, MaxSep 1.0,
// its start a third of the way (0.333) and its centre two thirds of the way (0.666) from the
// current centre A to the next sub-zone's start, or to Extent after the last one. With no
// sub-zones, one starting at 0 and centred at Extent / 2.
TSubZone NextSubZone(const std::vector<TSubZone>& Zones, std::int32_t Current, double Extent);

// The recent-files list after opening or saving File: File first, no repeats, at most Max.
std::vector<std::string> RecentFilesWith(std::vector<std::string> Files, const std::string& File, std::size_t Max);

// The result viewer's file: the project's folder (with its separator; none without a project),
// the variable's letter, the step number in four digits and ".dat" (K and 12 give K0012.dat).
std::string ResultsFileName(const std::string& ProjectFile, char Letter, std::int32_t Step);

// The line a failed batch run writes and shows: "No se pudo mallar %s: %s" of the project's
// name and the reason, as one line of readable text (OneLineText).
std::string BatchFailureLine(const std::string& Project, const std::string& Reason);

}  // namespace nerim

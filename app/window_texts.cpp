#include "app/window_texts.h"

#include <algorithm>
#include <filesystem>

#include "mesh/core/cell_inspection.h"
#include "support/format.h"
#include "support/internacionalization.h"
#include "support/number_format.h"
#include "support/paths.h"
#include "support/readable_text.h"
#include "support/string_table.h"

namespace nerim {

std::string WindowString(TWindowString Entry, const std::string& Fallback) { return StringTableText(Entry, Fallback); }

std::string MouseReadout(const TPoint2D& World, double Height) {
    return Format("X: %.4f, Y: %.4f", {World.X, Height - World.Y});
}

std::string CellReadout(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY,
                        const TCellMatrices& Cells, const TDoubleArray& Results, const TPoint2D& World) {
    const std::optional<TCellAt> cell = CellAt(DivisionsX, DivisionsY, World);
    if (!cell) return {};
    std::string text = Format(WindowString(wsCell),
                              {static_cast<long long>(cell->I), static_cast<long long>(cell->J)});
    const TCellValues values = CellValues(Cells, Results, cell->I, cell->R);
    const auto real = [&](const char* name, const std::optional<double>& value) {
        if (value) text += std::string("   ") + name + " " + FormatFixed(*value, 3);
    };
    real("AC", values.AC);
    real("AR", values.AR);
    real("AT", values.AT);
    real("VOF", values.VOF);
    if (values.Noc) text += std::string("   Noc ") + (*values.Noc ? "1" : "0");
    if (values.Npc) text += "   Npc " + FormatInteger(*values.Npc);
    return text;
}

std::string GenerationSummary(std::int32_t CellsX, std::int32_t CellsY, double Seconds) {
    return Format(WindowString(wsGeneration),
                  {static_cast<long long>(CellsX), static_cast<long long>(CellsY),
                   static_cast<long long>(CellsX) * CellsY, Seconds});
}

std::string ProjectDisplayName(const std::string& FileName) {
    if (FileName.empty()) return WindowString(wsUntitled, "Sin título");
    return std::filesystem::path(FileName).filename().string();
}

std::string WindowTitle(const std::string& Caption, const std::string& FileName, bool Modified) {
    if (FileName.empty() && !Modified) return Caption;
    return Caption + " - " + ProjectDisplayName(FileName) + (Modified ? "*" : "");
}

TSubZone NextSubZone(const std::vector<TSubZone>& Zones, std::int32_t Current, double Extent) {
    TSubZone zone;
    zone.NumDivL = 5;
    zone.NumDivR = 5;
    zone.MaxSep = 1.0;
    if (Zones.empty()) {
        zone.Division = 0.0;
        zone.Center = Extent * 0.5;
        return zone;
    }
    const auto current = static_cast<std::size_t>(std::clamp<std::int32_t>(Current, 0, std::int32_t(Zones.size()) - 1));
    const double a = Zones[current].Center;
    const double b = current + 1 < Zones.size() ? Zones[current + 1].Division : Extent;
    zone.Division = a + (b - a) * 0.333;
    zone.Center = a + (b - a) * 0.666;
    return zone;
}

std::vector<std::string> RecentFilesWith(std::vector<std::string> Files, const std::string& File, std::size_t Max) {
    std::erase(Files, File);
    Files.insert(Files.begin(), File);
    if (Files.size() > Max) Files.resize(Max);
    return Files;
}

std::string ResultsFileName(const std::string& ProjectFile, char Letter, std::int32_t Step) {
    const std::string folder = std::filesystem::path(ProjectFile).parent_path().string();
    return JoinPath(folder, std::string(1, Letter) + Format("%.4d.dat", {static_cast<long long>(Step)}));
}

std::string BatchFailureLine(const std::string& Project, const std::string& Reason) {
    return OneLineText(Format(WindowString(wsBatchFailed, "No se pudo mallar %s: %s"), {Project, Reason}));
}

}  // namespace nerim

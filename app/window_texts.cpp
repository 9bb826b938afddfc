#include "app/window_texts.h"

#include <algorithm>
#include <filesystem>

#include "mesh/core/cell_inspection.h"
#include "support/format.h"
#include "support/internacionalization.h"
#include "support/number_format.h"
#include "support/paths.h"
#include "support/string_table.h"

namespace nerim {

std::string WindowString(TWindowString Entry, const std::string& Fallback) {
    const std::string& text = StringTableEntry(Entry);
    return (text.empty() || text == kMissingString) && !Fallback.empty() ? Fallback : text;
}

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

namespace {

// The length of the well-formed UTF-8 sequence starting at s[i], or 0 when it is malformed.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return n;
}

}  // namespace

std::string OneLineText(const std::string& Text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size();) {
        const auto b = static_cast<unsigned char>(Text[i]);
        if (b == '\r' || b == '\n') {
            // A CR LF pair is one break.
            if (b == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            out += ' ';
            ++i;
        } else if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
            ++i;
        } else if (const std::size_t n = b >= 0x80 ? Utf8Length(Text, i) : 0; n > 0) {
            out.append(Text, i, n);
            i += n;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
            ++i;
        }
    }
    return out;
}

std::string BatchFailureLine(const std::string& Project, const std::string& Reason) {
    return OneLineText(Format(WindowString(wsBatchFailed, "No se pudo mallar %s: %s"), {Project, Reason}));
}

}  // namespace nerim

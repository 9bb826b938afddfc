#include <algorithm>
#include <cmath>

#include "fuzz/targets/fuzz_target.h"
#include "mesh/core/grading.h"
#include "mesh/core/mesh_parameters.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim::fuzz {
namespace {

// Axes asking for more cells than this are generated only when the generation must refuse
// them (beyond kMaxAxisDivisions): between the two they only make each run slow.
constexpr std::int64_t kGeneratedCells = 20000;

bool WorthGenerating(const std::vector<TSubZone>& zones) {
    const std::int64_t count = RequestedCells(zones);
    return count <= kGeneratedCells || count >= kMaxAxisDivisions;
}

std::string Written(const TMeshParameters& parameters) {
    StringTextWriter writer;
    parameters.WriteParameters(writer);
    return writer.Bytes();
}

void CheckAxis(const std::vector<float>& divisions, const char* axis) {
    Check(!divisions.empty(), std::string("Eje ") + axis + ": sin divisiones");
    for (std::size_t k = 0; k < divisions.size(); ++k)
        Check(std::isfinite(divisions[k]), std::string("Eje ") + axis + ": división no finita");
}

}  // namespace

void RunMeshParameters(std::string_view bytes) {
    TMeshParameters parameters;
    if (!Accepts([&] {
            TextReader reader{std::string(bytes), "parameters.dat"};
            parameters = TMeshParameters::ReadParameters(reader);
        }))
        return;

    // Written and read again, the block reads as what it was written from.
    std::string first;
    TMeshParameters again;
    MustSucceed("Escribir y volver a leer los parámetros", [&] {
        first = Written(parameters);
        TextReader reader{first, "written.dat"};
        again = TMeshParameters::ReadParameters(reader);
    });
    const std::string second = Written(again);
    Check(first == second, "Los parámetros escritos de nuevo cambian:\n" + Printable(first, 2000) + "\n---\n" +
                               Printable(second, 2000));

    if (!WorthGenerating(parameters.SubZonesX) || !WorthGenerating(parameters.SubZonesY)) return;
    std::vector<float> divisionsX;
    std::vector<float> divisionsY;
    if (!Accepts([&] { GenerateDivisions(parameters, divisionsX, divisionsY); })) {
        Check(divisionsX.empty() && divisionsY.empty(), "Una generación fallida deja divisiones");
        return;
    }
    CheckAxis(divisionsX, "X");
    CheckAxis(divisionsY, "Y");
    Check(std::is_sorted(divisionsX.begin(), divisionsX.end()) && std::is_sorted(divisionsY.begin(), divisionsY.end()),
          "Divisiones desordenadas");
}

}  // namespace nerim::fuzz

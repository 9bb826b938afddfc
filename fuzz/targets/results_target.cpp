#include <cmath>
#include <cstdint>

#include "fuzz/targets/fuzz_target.h"
#include "mesh/core/results_file.h"

namespace nerim::fuzz {

// A results file read for a mesh of up to 63 × 63 cells, its sizes given by the first two bytes;
// the rest is the file. Values are read as they are, and the range takes in every number.
void RunResultsFile(std::string_view bytes) {
    if (bytes.size() < 2) return;
    const TIntPair sizes{static_cast<std::uint8_t>(bytes[0]) % 64, static_cast<std::uint8_t>(bytes[1]) % 64};
    const std::filesystem::path file = ScratchFile("R0001.dat", bytes.substr(2));
    TDoubleArray results;
    double low = 0.0;
    double high = 0.0;
    const bool read = Accepts([&] { LoadResultsFile(file, sizes, results, low, high); });
    Check(SamePair(results.Sizes(), sizes), "Las dimensiones de los resultados no son las de la malla");
    const std::int64_t count = PairProduct(sizes);
    Check(!read || static_cast<std::int64_t>(bytes.size() - 2) >= 4 * count, "Se ha leído un archivo corto");
    for (std::int64_t k = 0; k < count; ++k) {
        const double value = results.ItemAt(k);
        Check(std::isnan(value) || (low <= value && value <= high) || (!read && value == 0.0),
              "Un valor queda fuera del rango de los resultados");
    }
}

}  // namespace nerim::fuzz

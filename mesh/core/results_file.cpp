#include "mesh/core/results_file.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "mesh/core/cell_matrices.h"
#include "support/exception.h"
#include "support/format.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

// Messages end with how many values were read of how many.
[[noreturn]] void Fail(const std::string& what, std::int64_t read, std::int64_t wanted) {
    throw EInOutError(Format("Error de entrada/salida: %s: se han leído %d de %d valores",
                             {what, static_cast<long long>(read), static_cast<long long>(wanted)}));
}

float LittleEndianFloat(const unsigned char* p) {
    const std::uint32_t bits = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                               (std::uint32_t(p[3]) << 24);
    return std::bit_cast<float>(bits);
}

}  // namespace

void LoadResultsFile(const std::filesystem::path& FileName, TIntPair Sizes, TDoubleArray& Results, double& Min,
                     double& Max) {
    Min = 1e100;
    Max = -1e100;
    const std::int64_t wanted = PairProduct(Sizes);
    CheckMeshCells(Sizes.N0(), Sizes.N1());
    std::ifstream in(FileName, std::ios::binary);  // closed when it goes, whatever happens
    if (!in)
        Fail(Format("no se puede abrir el archivo de resultados %s (%s)",
                    {QuotedName(FileName), std::string(std::strerror(errno))}),
             0, wanted);
    Results.Resize(Sizes);

    constexpr std::int64_t kChunk = 1 << 16;  // values per read
    std::vector<unsigned char> bytes(static_cast<std::size_t>(4 * kChunk));
    std::int64_t read = 0;
    while (read < wanted) {
        const std::int64_t ask = std::min(kChunk, wanted - read);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(4 * ask));
        const std::int64_t got = static_cast<std::int64_t>(in.gcount()) / 4;
        for (std::int64_t k = 0; k < got; ++k) {
            const double v = LittleEndianFloat(bytes.data() + 4 * k);
            Results.ItemAt(read + k) = v;
            if (v < Min) Min = v;
            if (v > Max) Max = v;
        }
        read += got;
        if (got < ask) break;
    }
    if (read < wanted) {
        for (std::int64_t k = read; k < wanted; ++k) Results.ItemAt(k) = 0.0;
        if (in.bad()) Fail(Format("no se puede leer el archivo de resultados %s", {QuotedName(FileName)}), read, wanted);
        Fail(Format("el archivo de resultados %s termina antes de tiempo", {QuotedName(FileName)}), read, wanted);
    }
}

}  // namespace nerim

#include "mesh/core/mesh_export.h"

#include <algorithm>
#include <array>

#include "support/format.h"
#include "support/ordered_pieces.h"
#include "support/text_block.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Elements of a matrix formatted as one piece of the file.
constexpr std::int64_t kElementsPerPiece = 1 << 15;

// A text writer that gathers its bytes in a block.
class BlockTextWriter final : public TextWriter {
public:
    explicit BlockTextWriter(TTextBlock& block) : block_(block) {}

protected:
    void Emit(std::string_view bytes) override { block_.Append(bytes); }

private:
    TTextBlock& block_;
};

// Everything before the matrices: the porous types and both boundary lists.
void WriteHead(TextWriter& out, const TMeshExport& mesh) {
    out.WriteLine("* Porous types");
    out.WriteIntegerLine(mesh.PorousModel);
    out.WriteIntegerLine(static_cast<long long>(mesh.PorousTypes.size()));
    for (const TPorousParameters& p : mesh.PorousTypes) {
        // Permeability and porosity (the definition's last two fields) come first.
        out.WriteLine(Format("%.4f %.4f %.4f %.4f %.4f %.4f", {p[4], p[5], p[0], p[1], p[2], p[3]}));
    }
    out.WriteLine("* X divisions");
    out.WriteIntegerLine(static_cast<long long>(mesh.DivisionsX.size()));
    for (float x : mesh.DivisionsX) out.WriteRealLine(x);
    out.WriteLine("* Y Divisions");
    out.WriteIntegerLine(static_cast<long long>(mesh.DivisionsY.size()));
    for (auto y = mesh.DivisionsY.rbegin(); y != mesh.DivisionsY.rend(); ++y)
        out.WriteRealLine(mesh.Height - static_cast<double>(*y));
    out.WriteLine("* Matrices");
}

// The file in pieces: the head, then each matrix in runs of elements, its header with the first.
class TMeshPieces {
public:
    explicit TMeshPieces(const TMeshExport& mesh) : mesh_(mesh) {
        const std::int64_t elements = mesh.Cells.AC.Count();
        perMatrix_ = std::max<std::int64_t>(1, (elements + kElementsPerPiece - 1) / kElementsPerPiece);
    }

    std::size_t Count() const { return static_cast<std::size_t>(1 + kMatrices * perMatrix_); }

    void Format(std::size_t index, TTextBlock& text) const {
        if (index == 0) {
            BlockTextWriter out(text);
            WriteHead(out, mesh_);
            out.Flush();
            return;
        }
        const auto k = static_cast<std::int64_t>(index - 1);
        const auto run = k % perMatrix_;
        const TCellMatrices& cells = mesh_.Cells;
        switch (k / perMatrix_) {
            case 0: return Lines(cells.AC, run, text);
            case 1: return Lines(cells.AR, run, text);
            case 2: return Lines(cells.AT, run, text);
            case 3: return Lines(cells.VOF, run, text);
            case 4: return Lines(cells.Noc, run, text);
            default: return Lines(cells.Npc, run, text);
        }
    }

private:
    static constexpr std::int64_t kMatrices = 6;

    template <typename Array>
    static void Lines(const Array& matrix, std::int64_t run, TTextBlock& text) {
        if (run == 0) matrix.AppendTextHeader(text);
        const std::int64_t first = std::min<std::int64_t>(matrix.Count(), run * kElementsPerPiece);
        matrix.AppendTextLines(text, first, std::min<std::int64_t>(matrix.Count(), first + kElementsPerPiece));
    }

    const TMeshExport& mesh_;
    std::int64_t perMatrix_ = 1;
};

}  // namespace

void WriteMeshFile(TextWriter& out, const TMeshExport& mesh, std::int32_t threads) {
    const TMeshPieces pieces(mesh);
    WritePiecesInOrder(out, pieces.Count(), threads,
                       [&pieces](std::size_t index, TTextBlock& text) { pieces.Format(index, text); });
}

void ExportMeshFile(const std::filesystem::path& path, const TMeshExport& mesh, std::int32_t threads) {
    FileTextWriter out(path, wmDerived);
    WriteMeshFile(out, mesh, threads);
    out.Commit();
}

}  // namespace nerim

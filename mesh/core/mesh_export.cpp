#include "mesh/core/mesh_export.h"

#include "support/format.h"
#include "support/text_writer.h"

namespace nerim {

void WriteMeshFile(TextWriter& out, const TMeshExport& mesh) {
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
    const TCellMatrices& cells = mesh.Cells;
    cells.AC.WriteText(out);
    cells.AR.WriteText(out);
    cells.AT.WriteText(out);
    cells.VOF.WriteText(out);
    cells.Noc.WriteText(out);
    cells.Npc.WriteText(out);
}

void ExportMeshFile(const std::filesystem::path& path, const TMeshExport& mesh) {
    FileTextWriter out(path);
    WriteMeshFile(out, mesh);
    out.Commit();
}

}  // namespace nerim

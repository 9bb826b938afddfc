#include "app/batch_run.h"
#include "app/project.h"
#include "app/working_set.h"
#include "fuzz/targets/fuzz_target.h"
#include "mesh/core/grading.h"
#include "objects/core/object_definition.h"
#include "support/file_bytes.h"

namespace nerim::fuzz {
namespace {

// Largest project the target meshes: a handful of cells per axis and a few hundred vertices keep
// each run short while the classification still meets every kind of polygon the file can hold.
constexpr std::int64_t kMeshedCells = 24;
constexpr std::size_t kMeshedVertices = 400;

std::size_t VertexCount(const TObjectList& objects) {
    std::size_t count = 0;
    for (const auto& object : objects)
        if (const auto* polygon = dynamic_cast<const TCEPolyline*>(object.get())) count += polygon->Line().Count();
    return count;
}

void Load(const std::filesystem::path& file, TWorkingSet& set) {
    LoadProject(file, set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(), {});
}

std::string SaveAndRead(const std::filesystem::path& file, TWorkingSet& set) {
    SaveProject(file, set.Mesh(), set.Objects());
    return ReadFileBytes(file);
}

}  // namespace

void RunProjectFile(std::string_view bytes) {
    const std::filesystem::path file = ScratchFile("project.dat", bytes);
    TWorkingSet opened;
    if (!Accepts([&] { Load(file, opened); })) return;

    // Saved and opened again, a project saves to the same bytes: numbers keep the digits the file
    // form holds, and the names come back whole.
    const std::filesystem::path saved = ScratchPath("saved.dat");
    TWorkingSet reopened;
    std::string first;
    std::string second;
    MustSucceed("Guardar y volver a abrir el proyecto", [&] {
        first = SaveAndRead(saved, opened);
        Load(saved, reopened);
        second = SaveAndRead(saved, reopened);
    });
    Check(first == second, "El proyecto guardado de nuevo cambia:\n" + Printable(first, 2000) + "\n---\n" +
                               Printable(second, 2000));
    Check(opened.Objects().size() == reopened.Objects().size(), "Número de objetos distinto al volver a abrir");
    for (std::size_t k = 0; k < opened.Objects().size(); ++k) {
        const TNerimObjectDefinition& a = *opened.Objects()[k]->Definition();
        const TNerimObjectDefinition& b = *reopened.Objects()[k]->Definition();
        Check(a.ClassName() == b.ClassName() && a.Name == b.Name,
              "El material del objeto " + std::to_string(k + 1) + " cambia al volver a abrir: \"" +
                  Printable(a.Name) + "\" / \"" + Printable(b.Name) + "\"");
    }

    // A small project is meshed as nerim-mesh meshes it, exported file included.
    const TMeshParameters& parameters = opened.Mesh().Parameters();
    if (RequestedCells(parameters.SubZonesX) <= kMeshedCells &&
        RequestedCells(parameters.SubZonesY) <= kMeshedCells &&
        VertexCount(opened.Objects()) <= kMeshedVertices) {
        TBatchOptions options;
        options.NX = 3;
        options.NY = 2;
        options.Output = ScratchPath("Mesh.mes");
        Accepts([&] { RunBatch(opened, file, options); });
    }
}

}  // namespace nerim::fuzz

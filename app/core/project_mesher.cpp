#include "app/core/project_mesher.h"

#include <chrono>
#include <memory>
#include <system_error>

#include "mesh/core/grading.h"
#include "mesh/core/mesh_export.h"
#include "objects/core/point_file.h"
#include "objects/core/polyline.h"
#include "support/exception.h"
#include "support/readable_text.h"
#include "support/text_writer.h"

namespace nerim {

std::filesystem::path DefaultMeshFile(const std::filesystem::path& Project) {
    return Project.parent_path() / "Mesh.mes";
}

TObjectImport ReadObjectImport(bool Profile, TSurveyMaterial Material, const std::filesystem::path& File) {
    TObjectImport import;
    import.Profile = Profile;
    import.Material = Profile ? TSurveyMaterial::Obstacle : Material;
    import.File = File;
    import.Points = ReadPointFile(File);
    return import;
}

std::string AddImportedObject(TProjectData& Project, const TObjectImport& Import) {
    const double width = Project.Mesh.Width;
    const double height = Project.Mesh.Height;
    const std::string source = Import.File.string();
    TSurveyPolygon polygon = Import.Profile ? ProfilePolygon(Import.Points, width, height, source)
                                            : OutlinePolygon(Import.Points, width, height, source);
    TProjectObject object;
    object.Vertices = std::move(polygon.Vertices);
    object.Closed = true;
    object.Definition = NamedSurveyMaterial(Import.Material, Import.File.stem().string());
    Project.Objects.push_back(std::move(object));
    return polygon.Note;
}

namespace {

void MakeFolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    if (folder.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw EInOutError("Error de entrada/salida: no se puede crear la carpeta " + QuotedName(folder) + " (" +
                          error.message() + ")");
}

// The objects as the classification takes them, over vertex lists built as the window builds
// a loaded polygon's.
std::vector<TClassifiedObject> ClassifiedObjects(const TProjectData& project,
                                                 std::vector<std::unique_ptr<TPLPolyLine>>& lines) {
    std::vector<TClassifiedObject> objects;
    objects.reserve(project.Objects.size());
    lines.clear();
    for (const TProjectObject& object : project.Objects) {
        auto line = std::make_unique<TPLPolyLine>();
        line->BeginUpdate();
        for (const TPoint2D& p : object.Vertices) line->Append(p);
        line->EndUpdate();
        line->SetClosed(true);
        const TNerimObjectDefinition* definition = object.Definition.get();
        objects.push_back(PolygonObject(MaterialKindOf(definition), PorousParametersOf(definition), *line));
        lines.push_back(std::move(line));
    }
    return objects;
}

}  // namespace

TMeshSummary MeshProject(const TMeshJob& Job, TMeshedProject& Meshed, const TClassificationProgress& Progress) {
    const auto start = std::chrono::steady_clock::now();
    TMeshSummary summary;
    Meshed.Project = ReadProjectFile(Job.Project);
    for (const TObjectImport* import : Job.Imports) {
        std::string note = AddImportedObject(Meshed.Project, *import);
        if (!note.empty()) summary.Notes.push_back(std::move(note));
    }
    if (Job.SavedProject) {
        FileTextWriter out(*Job.SavedProject);
        WriteProjectData(out, Meshed.Project);
        out.Commit();
    }

    GenerateDivisions(Meshed.Project.Mesh, Meshed.DivisionsX, Meshed.DivisionsY);
    std::vector<std::unique_ptr<TPLPolyLine>> lines;
    const std::vector<TClassifiedObject> objects = ClassifiedObjects(Meshed.Project, lines);
    ClassifyCells(Meshed.DivisionsX, Meshed.DivisionsY, objects, Job.NX, Job.NY, Meshed.Cells, Meshed.PorousTypes,
                  Job.Threads, Progress);

    if (Job.MakeOutputFolder) MakeFolderOf(Job.Output);
    ExportMeshFile(Job.Output,
                   {Meshed.Project.Mesh.PorousModel, Meshed.PorousTypes, Meshed.DivisionsX, Meshed.DivisionsY,
                    Meshed.Project.Mesh.Height, Meshed.Cells},
                   Job.Threads);

    summary.Output = Job.Output;
    summary.CellsX = std::max(static_cast<std::int32_t>(Meshed.DivisionsX.size()) - 1, 0);
    summary.CellsY = std::max(static_cast<std::int32_t>(Meshed.DivisionsY.size()) - 1, 0);
    summary.Objects = Meshed.Project.Objects.size();
    summary.PorousTypes = Meshed.PorousTypes.size();
    summary.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

}  // namespace nerim

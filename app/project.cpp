#include "app/project.h"

#include <string>

#include "objects/core/definition_factory.h"
#include "objects/material_color.h"
#include "support/exception.h"
#include "support/readable_text.h"
#include "support/text_writer.h"

namespace nerim {

void SaveProject(const std::filesystem::path& FileName, const TCETamrixMesh& Mesh, const TObjectList& Objects) {
    for (std::size_t k = 0; k < Objects.size(); ++k)
        if (!Objects[k]->Definition())
            throw EInOutError("No se puede guardar " + QuotedName(FileName) + ": el objeto " + std::to_string(k + 1) +
                              " no tiene material");
    FileTextWriter writer(FileName);
    WriteProject(writer, Mesh, Objects);
    writer.Commit();
}

void WriteProject(TextWriter& Writer, const TCETamrixMesh& Mesh, const TObjectList& Objects) {
    Mesh.WriteParameters(Writer);
    Writer.WriteIntegerLine(static_cast<long long>(Objects.size()));
    for (const auto& object : Objects) {
        object->WriteText(Writer);
        if (const TNerimObjectDefinition* definition = object->Definition()) WriteDefinition(Writer, *definition);
    }
}

std::string ProjectText(const TCETamrixMesh& Mesh, const TObjectList& Objects) {
    StringTextWriter writer;
    WriteProject(writer, Mesh, Objects);
    return writer.Bytes();
}

void LoadProject(const std::filesystem::path& FileName, TCETamrixMesh& Mesh, TObjectList& Objects,
                 TCanvax& Canvax, TCELayer& ObjectsLayer, const TCEPolyline::TVertexEvent& OnVertex) {
    ApplyProject(ReadProjectFile(FileName), Mesh, Objects, Canvax, ObjectsLayer, OnVertex);
}

void ApplyProject(TProjectData project, TCETamrixMesh& Mesh, TObjectList& Objects, TCanvax& Canvax,
                  TCELayer& ObjectsLayer, const TCEPolyline::TVertexEvent& OnVertex) {
    while (!Objects.empty()) Objects.pop_back();
    Mesh.SetParameters(std::move(project.Mesh));
    for (TProjectObject& record : project.Objects)
        AddProjectObject(std::move(record), Objects, Canvax, ObjectsLayer, OnVertex);
}

TCEPolyline& AddProjectObject(TProjectObject Object, TObjectList& Objects, TCanvax& Canvax, TCELayer& ObjectsLayer,
                              const TCEPolyline::TVertexEvent& OnVertex) {
    auto polygon = MakeElement<TCEPolyline>(Canvax);
    polygon->SetState(esNormal);
    TCEPolyline& element = *polygon;
    Objects.push_back(std::move(polygon));
    element.Line().BeginUpdate();
    for (const TPoint2D& p : Object.Vertices) element.Line().Append(p);
    element.Line().EndUpdate();
    element.SetColor(clRed);
    element.SetClosed(true);
    element.SetVertexEvent(OnVertex);
    ObjectsLayer.AddChild(element);
    element.Show();
    element.SetDefinition(std::move(Object.Definition));
    element.SetColor(MaterialColor(*element.Definition()));
    return element;
}

}  // namespace nerim

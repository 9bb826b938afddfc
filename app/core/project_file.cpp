#include "app/core/project_file.h"

#include <string>

#include "objects/core/definition_factory.h"
#include "objects/core/polyline.h"
#include "support/exception.h"
#include "support/file_bytes.h"
#include "support/readable_text.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

TProjectObject ReadObject(TextReader& reader, std::int32_t number) {
    const int headerLine = reader.LineNumber();
    TPLPolyLine line;
    const std::int32_t declared = line.ReadText(reader);
    if (declared < 0 || line.Count() != declared) {
        const std::string what = declared < 0 ? "un número de vértices negativo (" + std::to_string(declared) + ")"
                                              : "menos vértices de los " + std::to_string(declared) + " que declara";
        reader.Fail("El objeto " + std::to_string(number) + " (línea " + std::to_string(headerLine) + ") tiene " + what);
    }
    TProjectObject object;
    object.Vertices = line.Points();
    object.Closed = line.Closed();
    object.Definition = ReadDefinition(reader);
    return object;
}

}  // namespace

TProjectData ReadProjectData(TextReader& reader) {
    TProjectData project;
    project.Mesh = TMeshParameters::ReadParameters(reader);
    const std::int32_t count = reader.ReadIntegerLine();
    if (count < 0 || count > kMaxProjectObjects)
        reader.Fail("Número de objetos fuera de rango (" + std::to_string(count) + ")");
    // The count is only a claim of the file: room is made as the objects are read.
    for (std::int32_t k = 1; k <= count; ++k) project.Objects.push_back(ReadObject(reader, k));
    return project;
}

TProjectData ReadProjectFile(const std::filesystem::path& path) {
    std::string bytes = ReadFileBytes(path);
    if (bytes.empty()) throw EInOutError("Error de entrada/salida: el archivo " + QuotedName(path) + " está vacío");
    TextReader reader(std::move(bytes), path.string());
    return ReadProjectData(reader);
}

void WriteProjectObject(TextWriter& writer, const std::vector<TPoint2D>& vertices, bool closed,
                        const TNerimObjectDefinition& definition) {
    TPLPolyLine line;
    for (const TPoint2D& p : vertices) line.Append(p);
    line.SetClosed(closed);
    line.WriteText(writer);
    WriteDefinition(writer, definition);
}

void WriteProjectData(TextWriter& writer, const TProjectData& project) {
    project.Mesh.WriteParameters(writer);
    writer.WriteIntegerLine(static_cast<long long>(project.Objects.size()));
    for (const TProjectObject& object : project.Objects)
        WriteProjectObject(writer, object.Vertices, object.Closed, *object.Definition);
}

}  // namespace nerim

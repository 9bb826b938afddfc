#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "mesh/core/mesh_parameters.h"
#include "objects/core/object_definition.h"

namespace nerim {

class TextReader;
class TextWriter;

// Most objects a project may hold; a larger count can only come from a damaged file.
inline constexpr std::int32_t kMaxProjectObjects = 1000000;

// One domain object as a project file stores it: the polygon's vertices in world coordinates
// (y downwards from the domain's top edge), its closed flag, and its material.
struct TProjectObject {
    std::vector<TPoint2D> Vertices;
    bool Closed = true;
    std::unique_ptr<TNerimObjectDefinition> Definition;
};

// The whole content of a project file: the mesh parameter block, then the objects in order.
struct TProjectData {
    TMeshParameters Mesh;
    std::vector<TProjectObject> Objects;
};

// Reads a complete project. Nothing is handed out until the whole file has been read, so a caller
// that applies the result only on success never loses its work to a bad file. A malformed number,
// a file that ends early, an object count outside 0..kMaxProjectObjects, a vertex block whose
// count is negative or that holds fewer vertices than it declares raise EInOutError naming the
// file and the line.
TProjectData ReadProjectData(TextReader& reader);
// The same from a file; an empty file, a directory or a file that cannot be read raise
// EInOutError naming it.
TProjectData ReadProjectFile(const std::filesystem::path& path);

// Writes one object record: the polygon's geometry block, the material's class name, the
// material's own text.
void WriteProjectObject(TextWriter& writer, const std::vector<TPoint2D>& vertices, bool closed,
                        const TNerimObjectDefinition& definition);

// Writes a whole project from plain data (the window writes from its elements through the same
// record writers).
void WriteProjectData(TextWriter& writer, const TProjectData& project);

}  // namespace nerim

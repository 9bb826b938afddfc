#pragma once

#include <filesystem>
#include <string>

#include "app/working_set.h"
#include "objects/ce_polyline.h"

namespace nerim {

class TextWriter;

// Writes the project: the mesh's parameter block, the object count, then each object's geometry,
// material class name and material text. The file is replaced only once it is complete.
// An object without a material cannot be written: EInOutError names it and nothing is written.
void SaveProject(const std::filesystem::path& FileName, const TCETamrixMesh& Mesh, const TObjectList& Objects);

// The project's text as SaveProject writes it, to any writer; an object without a material is
// written without its class line and text (SaveProject refuses such objects before writing).
void WriteProject(TextWriter& Writer, const TCETamrixMesh& Mesh, const TObjectList& Objects);
// The same text as bytes: two states of the work are the same project exactly when their texts
// are equal, which is how the window tells that the work changed since it was opened or saved.
std::string ProjectText(const TCETamrixMesh& Mesh, const TObjectList& Objects);

// Replaces the objects and the mesh parameters by the project file's content. The whole file is
// read first: when it is missing or cannot be read completely the error (EInOutError naming the
// file and the line) leaves the objects and the mesh as they were. Otherwise the current objects
// are freed from the last to the first, the mesh takes the parameters (without regenerating its
// divisions) and each object becomes a closed polygon in ObjectsLayer, coloured by its material,
// with OnVertex as its vertex-change event.
void LoadProject(const std::filesystem::path& FileName, TCETamrixMesh& Mesh, TObjectList& Objects,
                 TCanvax& Canvax, TCELayer& ObjectsLayer, const TCEPolyline::TVertexEvent& OnVertex);

}  // namespace nerim

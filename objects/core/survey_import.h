#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "objects/core/object_definition.h"

namespace nerim {

// Domain objects made from survey data (see point_file.h for the files): a seabed profile, an
// open line of points closed down to the domain's bottom edge, or a closed outline.

// The material an imported outline is given.
enum class TSurveyMaterial : std::uint8_t { Obstacle, Porous, Water };

// "obstacle", "porous" or "water", or their Spanish names ("obstáculo" with or without its
// accent, "poroso", "agua"), in any letter case.
std::optional<TSurveyMaterial> SurveyMaterialByName(std::string_view Name);

// A polygon ready to become a domain object.
struct TSurveyPolygon {
    // World coordinates (y downwards from the domain's top edge), in order; the last vertex
    // connects back to the first.
    std::vector<TPoint2D> Vertices;
    // Part of the data lay outside the domain [0, Width] × [0, Height].
    bool Clipped = false;
    // A line for the status bar saying what was done to the data; empty when nothing was.
    std::string Note;
};

// The polygon of a seabed profile given in model coordinates: its points in order, then down to
// the domain's bottom edge (model Y = 0) at the last point's X and back at the first point's X.
// The polygon is clipped to the domain, with a note when that changed it. SourceName names the
// data in messages. Fewer than two points, or a profile that leaves no area inside the domain,
// raise EInOutError naming the source.
TSurveyPolygon ProfilePolygon(const std::vector<TPoint2D>& Points, double Width, double Height,
                              const std::string& SourceName);

// The polygon of a closed outline given in model coordinates; a last point equal to the first
// is the closing one and is dropped. The outline is kept as it is (as a polygon drawn by hand);
// one that leaves the domain gets a note. Fewer than three points, no area, or an outline wholly
// outside the domain raise EInOutError naming the source.
TSurveyPolygon OutlinePolygon(const std::vector<TPoint2D>& Points, double Width, double Height,
                              const std::string& SourceName);

// A new material of the kind, with the defaults of one made by hand (SetDefaults: the numbered
// name from the string table and the default porous parameters).
std::unique_ptr<TNerimObjectDefinition> NewSurveyMaterial(TSurveyMaterial Material);
// The same with the given name, without touching the numbering of new materials; safe to call
// from several threads at once.
std::unique_ptr<TNerimObjectDefinition> NamedSurveyMaterial(TSurveyMaterial Material, const std::string& Name);

// What "Importar perfil del fondo..." and "Importar contorno..." make of a file.
struct TImportedObject {
    TSurveyPolygon Polygon;
    std::unique_ptr<TNerimObjectDefinition> Definition;
};

// Reads a profile file and makes an obstacle of it, for a mesh of the given extents.
TImportedObject ImportProfile(const std::filesystem::path& File, double Width, double Height);
// Reads an outline file and makes an object of the given material of it.
TImportedObject ImportOutline(const std::filesystem::path& File, double Width, double Height,
                              TSurveyMaterial Material);

}  // namespace nerim

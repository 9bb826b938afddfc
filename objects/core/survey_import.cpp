#include "objects/core/survey_import.h"

#include <array>
#include <cmath>

#include "objects/core/obstacle_def.h"
#include "objects/core/point_file.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/exception.h"
#include "support/number_format.h"
#include "support/readable_text.h"
#include "support/text_utils.h"

namespace nerim {
namespace {

using TRing = std::vector<TPoint2D>;

// Keeps the part of the ring on the inner side of one edge of the domain (Sutherland–Hodgman).
// `inside` tells a point's side; `cross` gives the point where an edge crosses the border,
// which lies exactly on it.
template <typename Inside, typename Cross>
TRing ClipRing(const TRing& ring, Inside inside, Cross cross) {
    TRing kept;
    kept.reserve(ring.size() + 4);
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const TPoint2D& from = ring[k == 0 ? ring.size() - 1 : k - 1];
        const TPoint2D& to = ring[k];
        const bool fromInside = inside(from);
        const bool toInside = inside(to);
        if (toInside) {
            if (!fromInside) kept.push_back(cross(from, to));
            kept.push_back(to);
        } else if (fromInside) {
            kept.push_back(cross(from, to));
        }
    }
    return kept;
}

// The point of segment from–to whose coordinate `axis` equals `at`.
TPoint2D Crossing(const TPoint2D& from, const TPoint2D& to, bool alongX, double at) {
    if (alongX) {
        const double t = (at - from.X) / (to.X - from.X);
        return {at, from.Y + t * (to.Y - from.Y)};
    }
    const double t = (at - from.Y) / (to.Y - from.Y);
    return {from.X + t * (to.X - from.X), at};
}

TRing ClipToDomain(TRing ring, double width, double height) {
    ring = ClipRing(ring, [](const TPoint2D& p) { return p.X >= 0.0; },
                    [](const TPoint2D& a, const TPoint2D& b) { return Crossing(a, b, true, 0.0); });
    ring = ClipRing(ring, [width](const TPoint2D& p) { return p.X <= width; },
                    [width](const TPoint2D& a, const TPoint2D& b) { return Crossing(a, b, true, width); });
    ring = ClipRing(ring, [](const TPoint2D& p) { return p.Y >= 0.0; },
                    [](const TPoint2D& a, const TPoint2D& b) { return Crossing(a, b, false, 0.0); });
    ring = ClipRing(ring, [height](const TPoint2D& p) { return p.Y <= height; },
                    [height](const TPoint2D& a, const TPoint2D& b) { return Crossing(a, b, false, height); });
    return ring;
}

bool Outside(const TPoint2D& p, double width, double height) {
    return p.X < 0.0 || p.X > width || p.Y < 0.0 || p.Y > height;
}

// Drops repeated vertices (keeping the first of them) and the tips of spikes, where the outline
// runs along a line and straight back (clipping leaves such returns along the domain's edges);
// they enclose nothing.
TRing WithoutDegenerateVertices(const TRing& points) {
    TRing ring;
    ring.reserve(points.size());
    for (const TPoint2D& p : points)
        if (ring.empty() || !(p == ring.back())) ring.push_back(p);
    while (ring.size() > 1 && ring.back() == ring.front()) ring.pop_back();
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t k = 0; ring.size() >= 3 && k < ring.size();) {
            const std::size_t n = ring.size();
            const TPoint2D& a = ring[(k + n - 1) % n];
            const TPoint2D& b = ring[k];
            const TPoint2D& c = ring[(k + 1) % n];
            const double ux = b.X - a.X, uy = b.Y - a.Y, vx = c.X - b.X, vy = c.Y - b.Y;
            if (ux * vy - uy * vx == 0.0 && ux * vx + uy * vy <= 0.0) {
                // b is a tip, or a vertex equal to its neighbour once a tip has gone.
                ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(k));
                changed = true;
                if (k > 0) --k;  // the vertex before may have become a tip
            } else {
                ++k;
            }
        }
    }
    if (ring.size() < 3) ring.clear();
    return ring;
}

double RingArea(const TRing& ring) {
    double twice = 0.0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const TPoint2D& a = ring[k];
        const TPoint2D& b = ring[(k + 1) % ring.size()];
        twice += a.X * b.Y - b.X * a.Y;
    }
    return std::abs(twice) / 2.0;
}

// Model coordinates (Y up from the bottom edge) to world ones (y down from the top edge).
std::vector<TPoint2D> ToWorld(const TRing& ring, double height) {
    std::vector<TPoint2D> world;
    world.reserve(ring.size());
    for (const TPoint2D& p : ring) world.push_back({p.X, height - p.Y});
    return world;
}

// A number without the zeros that end its decimals: "100", "1.5".
std::string ShortNumber(double value) {
    std::string text = FormatFixed(value, 6);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string DomainText(double width, double height) {
    return "0 ≤ X ≤ " + ShortNumber(width) + ", 0 ≤ Y ≤ " + ShortNumber(height);
}

[[noreturn]] void Fail(const std::string& what, const std::string& source) {
    throw EInOutError(what + " " + QuotedName(source));
}

}  // namespace

std::optional<TSurveyMaterial> SurveyMaterialByName(std::string_view Name) {
    struct TName {
        std::string_view Text;
        TSurveyMaterial Material;
    };
    static constexpr std::array<TName, 7> kNames = {{
        {"obstacle", TSurveyMaterial::Obstacle},
        {"obstáculo", TSurveyMaterial::Obstacle},
        {"obstaculo", TSurveyMaterial::Obstacle},
        {"porous", TSurveyMaterial::Porous},
        {"poroso", TSurveyMaterial::Porous},
        {"water", TSurveyMaterial::Water},
        {"agua", TSurveyMaterial::Water},
    }};
    for (const TName& name : kNames)
        if (SameText(name.Text, Name)) return name.Material;
    return std::nullopt;
}

TSurveyPolygon ProfilePolygon(const std::vector<TPoint2D>& Points, double Width, double Height,
                              const std::string& SourceName) {
    if (Points.size() < 2) Fail("Un perfil necesita al menos dos puntos y no hay tantos en", SourceName);
    TRing ring = Points;
    ring.push_back({Points.back().X, 0.0});
    ring.push_back({Points.front().X, 0.0});
    TSurveyPolygon polygon;
    for (const TPoint2D& p : Points) polygon.Clipped = polygon.Clipped || Outside(p, Width, Height);
    ring = WithoutDegenerateVertices(ClipToDomain(ring, Width, Height));
    if (ring.empty() || !(RingArea(ring) > 0.0))
        Fail("El perfil no deja ninguna superficie dentro del dominio (" + DomainText(Width, Height) + ") en",
             SourceName);
    if (polygon.Clipped)
        polygon.Note = "El perfil de " + QuotedName(SourceName) + " sale del dominio (" + DomainText(Width, Height) +
                       ") y se ha recortado a él";
    polygon.Vertices = ToWorld(ring, Height);
    return polygon;
}

TSurveyPolygon OutlinePolygon(const std::vector<TPoint2D>& Points, double Width, double Height,
                              const std::string& SourceName) {
    TRing ring = Points;
    if (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
    if (ring.size() < 3) Fail("Un contorno necesita al menos tres puntos y no hay tantos en", SourceName);
    ring = WithoutDegenerateVertices(ring);
    if (ring.empty() || !(RingArea(ring) > 0.0)) Fail("El contorno no encierra ninguna superficie en", SourceName);
    TSurveyPolygon polygon;
    for (const TPoint2D& p : ring) polygon.Clipped = polygon.Clipped || Outside(p, Width, Height);
    if (polygon.Clipped) {
        if (ClipToDomain(ring, Width, Height).empty())
            Fail("El contorno queda fuera del dominio (" + DomainText(Width, Height) + ") en", SourceName);
        polygon.Note = "El contorno de " + QuotedName(SourceName) + " sale del dominio (" + DomainText(Width, Height) +
                       ")";
    }
    polygon.Vertices = ToWorld(ring, Height);
    return polygon;
}

std::unique_ptr<TNerimObjectDefinition> NamedSurveyMaterial(TSurveyMaterial Material, const std::string& Name) {
    std::unique_ptr<TNerimObjectDefinition> definition;
    switch (Material) {
        case TSurveyMaterial::Obstacle:
            definition = std::make_unique<TObstacleDef>();
            break;
        case TSurveyMaterial::Porous: {
            auto porous = std::make_unique<TPorousMediumDef>();
            porous->SetParameters(TPorousMediumDef::DefaultParameters());
            definition = std::move(porous);
            break;
        }
        case TSurveyMaterial::Water:
            definition = std::make_unique<TWaterDef>();
            break;
    }
    definition->Name = Name;
    return definition;
}

std::unique_ptr<TNerimObjectDefinition> NewSurveyMaterial(TSurveyMaterial Material) {
    auto definition = NamedSurveyMaterial(Material, {});
    definition->SetDefaults();
    return definition;
}

TImportedObject ImportProfile(const std::filesystem::path& File, double Width, double Height) {
    TImportedObject object;
    object.Polygon = ProfilePolygon(ReadPointFile(File), Width, Height, File.string());
    object.Definition = NewSurveyMaterial(TSurveyMaterial::Obstacle);
    return object;
}

TImportedObject ImportOutline(const std::filesystem::path& File, double Width, double Height,
                              TSurveyMaterial Material) {
    TImportedObject object;
    object.Polygon = OutlinePolygon(ReadPointFile(File), Width, Height, File.string());
    object.Definition = NewSurveyMaterial(Material);
    return object;
}

}  // namespace nerim

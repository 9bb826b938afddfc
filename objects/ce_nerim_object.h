#pragma once

#include <memory>

#include "canvas/ce_not_container.h"
#include "canvas/geometry/geometry_types.h"
#include "objects/core/object_definition.h"

namespace nerim {

class TextReader;
class TextWriter;

// Base of the domain objects drawn in the domain: an element without children that holds the
// object's material and answers the geometric questions the mesh asks of it.
class TCENerimObject : public TCENotContainer {
public:
    explicit TCENerimObject(TCanvax& Canvax) : TCENotContainer(Canvax) {}

    // The material, owned by the object and freed with it; null until one is given.
    TNerimObjectDefinition* Definition() const { return definition_.get(); }
    // The object takes D and hands back the definition it held before, which the caller now owns
    // (null when there was none). Giving it the definition it holds already changes nothing.
    std::unique_ptr<TNerimObjectDefinition> SetDefinition(std::unique_ptr<TNerimObjectDefinition> D);

    // The object's geometry as text (its material is not part of it).
    virtual void WriteText(TextWriter& F) = 0;
    virtual void ReadText(TextReader& F) = 0;
    // Whether P (world) lies inside the object.
    virtual bool ContainsPoint(const TPoint2D& P) const = 0;
    // The point of the object's boundary met first when walking S from S.P1 towards S.P2; false
    // when the walk meets none.
    virtual bool FirstCrossing(const TSegment2D& S, TPoint2D& Q) const = 0;

protected:
    ~TCENerimObject() override = default;

private:
    std::unique_ptr<TNerimObjectDefinition> definition_;
};

}  // namespace nerim

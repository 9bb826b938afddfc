#pragma once

#include "canvas/canvax_element.h"

namespace nerim {

// Base of every drawable object: an element without children.
class TCENotContainer : public TCanvaxElement {
public:
    explicit TCENotContainer(TCanvax& Canvax) : TCanvaxElement(Canvax) {}

    void BuildRegion() override {}
    // The debug rectangle when the document asks for it; subclasses call this first and then
    // draw themselves.
    void Paint(TCanvaxViewport& View) override;
    bool HitTest(const TRegion& ARegion, const TCanvaxViewport& View) override;
    bool IsContainer() const override { return false; }

protected:
    ~TCENotContainer() override = default;
};

}  // namespace nerim

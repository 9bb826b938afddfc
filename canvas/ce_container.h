#pragma once

#include <vector>

#include "canvas/canvax_element.h"

namespace nerim {

// An element with children, painted in list order after its own debug rectangle.
// The children are not owned, except those that LoadFromText constructed: nobody else holds
// them, so the container frees them with itself.
class TCEContainer : public TCanvaxElement {
public:
    // Deepest nesting of containers that LoadFromText reads.
    static constexpr int kMaxLoadNesting = 1000;

    explicit TCEContainer(TCanvax& Canvax);

    // Redraws every child; a module-wide guard keeps nested containers from recursing, so only
    // the outermost container of a nesting redraws its direct children.
    void BuildRegion() override;
    // The child count, then each child's class name and its own text.
    void SaveToText(TTokenFile& Writer) override;
    // Reads children and adds them after the existing ones; see the class comment for their
    // ownership. An unknown class name raises EListIndexError, and containers nested deeper than
    // kMaxLoadNesting raise EElementException; the children read so far stay.
    void LoadFromText(TTokenFile& Reader) override;
    void Paint(TCanvaxViewport& View) override;
    bool HitTest(const TRegion& ARegion, const TCanvaxViewport& View) override;
    bool IsContainer() const override { return true; }

protected:
    ~TCEContainer() override;

private:
    std::vector<ElementPtr> loadedChildren_;
};

}  // namespace nerim

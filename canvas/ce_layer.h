#pragma once

#include <string>

#include "canvas/ce_container.h"

namespace nerim {

// A container that registers itself as a top-level element of its document.
class TCELayer : public TCEContainer {
public:
    explicit TCELayer(TCanvax& Canvax);
    TCELayer(TCanvax& Canvax, const std::string& Name);

    // At most 63 characters; longer names are cut.
    const std::string& LayerName() const { return layerName_; }
    void SetLayerName(const std::string& Name);
    // The document's top-level list the layer appended itself to (null once the document is gone).
    TElementsList* OwnerList() const { return ownerList_; }

protected:
    ~TCELayer() override = default;
    void DetachFromOwner() override;
    void CanvaxDestroyed() override;

private:
    std::string layerName_;
    TElementsList* ownerList_ = nullptr;
};

}  // namespace nerim

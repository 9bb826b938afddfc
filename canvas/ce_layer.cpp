#include "canvas/ce_layer.h"

#include "canvas/canvax.h"

namespace nerim {

TCELayer::TCELayer(TCanvax& Canvax) : TCEContainer(Canvax) {
    SetBoundsKind(bkUnbounded);
    ownerList_ = &Canvax.Elements();
    ownerList_->Add(this);
}

TCELayer::TCELayer(TCanvax& Canvax, const std::string& Name) : TCELayer(Canvax) { SetLayerName(Name); }

void TCELayer::SetLayerName(const std::string& Name) {
    // At most 63 characters (UTF-8 sequences are kept whole).
    std::size_t bytes = 0;
    int characters = 0;
    while (bytes < Name.size() && characters < 63) {
        ++bytes;
        while (bytes < Name.size() && (static_cast<unsigned char>(Name[bytes]) & 0xC0) == 0x80) ++bytes;
        ++characters;
    }
    layerName_ = Name.substr(0, bytes);
}

void TCELayer::DetachFromOwner() {
    TCEContainer::DetachFromOwner();
    if (ownerList_) ownerList_->Remove(this);
}

void TCELayer::CanvaxDestroyed() {
    TCEContainer::CanvaxDestroyed();
    ownerList_ = nullptr;
}

}  // namespace nerim

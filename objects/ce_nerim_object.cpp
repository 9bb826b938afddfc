#include "objects/ce_nerim_object.h"

#include <utility>

namespace nerim {

std::unique_ptr<TNerimObjectDefinition> TCENerimObject::SetDefinition(std::unique_ptr<TNerimObjectDefinition> D) {
    if (D.get() == definition_.get()) {
        // The same object handed over twice: it stays ours, once.
        (void)D.release();
        return nullptr;
    }
    return std::exchange(definition_, std::move(D));
}

}  // namespace nerim

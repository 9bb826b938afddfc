#include "support/exception.h"

namespace nerim {

EListIndexError::EListIndexError(long long index)
    : Exception("Índice de lista fuera de límites (" + std::to_string(index) + ")") {}

EAbstractError::EAbstractError(const std::string& operation)
    : Exception("Error abstracto: la operación " + operation + " no está disponible para este objeto") {}

void CheckListIndex(long long index, long long count) {
    if (index < 0 || index >= count) throw EListIndexError(index);
}

}  // namespace nerim

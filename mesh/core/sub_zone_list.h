#pragma once

#include <cstdint>
#include <vector>

#include "mesh/core/sub_zone.h"

namespace nerim {

// Editing rules of one axis's sub-zone list. The list is kept in ascending order of Division by
// insertion; `current` is the index of the sub-zone the editor shows (-1 when the list is empty).
// These functions neither discard divisions nor notify anybody: the mesh does that after each
// change that succeeds.

// Message of the EMeshError raised when a new sub-zone's centre is not before its end.
inline constexpr const char* kBadCenterMessage = "El punto central es incorrecto";

// Inserts a copy of `zone` after every sub-zone whose Division is not greater than its own and
// returns the insertion index. The centre must be less than the Division of the sub-zone that
// will follow it, or than `extent` (Width or Height) when it becomes the last one; otherwise
// EMeshError(kBadCenterMessage) is raised and nothing changes. A negative `current` becomes 0;
// otherwise it is left as it was (it does not follow the new sub-zone).
// Nothing else is checked: the centre may lie before Division, counts and MaxSep may be zero or
// negative.
std::int32_t AddSubZone(std::vector<TSubZone>& list, std::int32_t& current, const TSubZone& zone, double extent);

// Removes the sub-zone at `index` (EListIndexError when out of range). If `current` is then past
// the last index it is decreased by one, so it becomes -1 when the list empties.
void DeleteSubZone(std::vector<TSubZone>& list, std::int32_t& current, std::int32_t index);

// A copy of the sub-zone at `index` (EListIndexError when out of range).
TSubZone GetSubZone(const std::vector<TSubZone>& list, std::int32_t index);

// Overwrites the whole record at `index` without validation or re-ordering
// (EListIndexError when out of range).
void SetSubZone(std::vector<TSubZone>& list, std::int32_t index, const TSubZone& zone);

}  // namespace nerim

#include "mesh/core/sub_zone_list.h"

#include "mesh/core/mesh_error.h"
#include "support/exception.h"

namespace nerim {

std::int32_t AddSubZone(std::vector<TSubZone>& list, std::int32_t& current, const TSubZone& zone, double extent) {
    std::size_t index = 0;
    while (index < list.size() && !(list[index].Division > zone.Division)) ++index;

    // Written as "not less" so that a centre that compares with nothing (NaN) is refused too.
    const double end = index < list.size() ? list[index].Division : extent;
    if (!(zone.Center < end)) throw EMeshError(kBadCenterMessage);

    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), zone);
    if (current < 0) current = 0;
    return static_cast<std::int32_t>(index);
}

void DeleteSubZone(std::vector<TSubZone>& list, std::int32_t& current, std::int32_t index) {
    CheckListIndex(index, static_cast<long long>(list.size()));
    list.erase(list.begin() + index);
    if (current > static_cast<long long>(list.size()) - 1) --current;
}

TSubZone GetSubZone(const std::vector<TSubZone>& list, std::int32_t index) {
    CheckListIndex(index, static_cast<long long>(list.size()));
    return list[static_cast<std::size_t>(index)];
}

void SetSubZone(std::vector<TSubZone>& list, std::int32_t index, const TSubZone& zone) {
    CheckListIndex(index, static_cast<long long>(list.size()));
    list[static_cast<std::size_t>(index)] = zone;
}

}  // namespace nerim

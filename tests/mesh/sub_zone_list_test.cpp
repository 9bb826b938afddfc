#include "mesh/core/sub_zone_list.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "mesh/core/mesh_error.h"
#include "support/exception.h"

namespace nerim {
namespace {

TSubZone Zone(double center, double division) { return TSubZone{center, division, 5, 5, 1.0}; }

std::vector<double> Divisions(const std::vector<TSubZone>& list) {
    std::vector<double> result;
    for (const TSubZone& zone : list) result.push_back(zone.Division);
    return result;
}

TEST(SubZoneInsertion, KeepsDivisionOrderAndPutsEqualDivisionsAfter) {
    std::vector<TSubZone> list;
    std::int32_t current = -1;
    EXPECT_EQ(AddSubZone(list, current, Zone(10.0, 0.0), 100.0), 0);
    EXPECT_EQ(AddSubZone(list, current, Zone(60.0, 50.0), 100.0), 1);
    EXPECT_EQ(AddSubZone(list, current, Zone(25.0, 20.0), 100.0), 1);
    // Same Division as an existing one: goes after it, before the first greater one.
    const TSubZone twin{30.0, 20.0, 2, 3, 0.5};
    EXPECT_EQ(AddSubZone(list, current, twin, 100.0), 2);
    EXPECT_EQ(Divisions(list), (std::vector<double>{0.0, 20.0, 20.0, 50.0}));
    EXPECT_EQ(list[2], twin);
    EXPECT_EQ(list[1].Center, 25.0);
    // Before everything.
    EXPECT_EQ(AddSubZone(list, current, Zone(-5.0, -10.0), 100.0), 0);
}

TEST(SubZoneInsertion, CentreMustBeBeforeTheFollowingDivision) {
    std::vector<TSubZone> list{Zone(10.0, 0.0), Zone(60.0, 50.0)};
    std::int32_t current = 1;
    const std::vector<TSubZone> before = list;
    try {
        AddSubZone(list, current, Zone(50.0, 20.0), 100.0);  // equal to the next Division
        FAIL() << "accepted a centre on the next sub-zone";
    } catch (const EMeshError& error) {
        EXPECT_STREQ(error.what(), "El punto central es incorrecto");
    }
    EXPECT_THROW(AddSubZone(list, current, Zone(70.0, 20.0), 100.0), EMeshError);
    EXPECT_EQ(list, before);
    EXPECT_EQ(current, 1);

    EXPECT_EQ(AddSubZone(list, current, Zone(49.9, 20.0), 100.0), 1);
    // Nothing else is checked: a centre before its own Division is taken.
    EXPECT_EQ(AddSubZone(list, current, Zone(1.0, 30.0), 100.0), 2);
}

TEST(SubZoneInsertion, LastCentreMustBeBeforeTheExtent) {
    std::vector<TSubZone> list{Zone(10.0, 0.0)};
    std::int32_t current = 0;
    EXPECT_THROW(AddSubZone(list, current, Zone(100.0, 50.0), 100.0), EMeshError);
    EXPECT_THROW(AddSubZone(list, current, Zone(150.0, 50.0), 100.0), EMeshError);
    EXPECT_THROW(AddSubZone(list, current, Zone(std::numeric_limits<double>::quiet_NaN(), 50.0), 100.0), EMeshError);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(AddSubZone(list, current, Zone(99.0, 50.0), 100.0), 1);

    std::vector<TSubZone> empty;
    std::int32_t none = -1;
    EXPECT_THROW(AddSubZone(empty, none, Zone(10.0, 0.0), 10.0), EMeshError);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(none, -1);  // a refused insertion does not touch the current index
}

TEST(SubZoneInsertion, CurrentIndexIsSetOnlyWhenNegative) {
    std::vector<TSubZone> list;
    std::int32_t current = -1;
    AddSubZone(list, current, Zone(60.0, 50.0), 100.0);
    EXPECT_EQ(current, 0);
    // Inserted in front of the current one: the index stays, so it now names the new sub-zone.
    current = 0;
    EXPECT_EQ(AddSubZone(list, current, Zone(10.0, 0.0), 100.0), 0);
    EXPECT_EQ(current, 0);
    current = 1;
    AddSubZone(list, current, Zone(80.0, 70.0), 100.0);
    EXPECT_EQ(current, 1);
}

TEST(SubZoneDeletion, CurrentIndexStepsBackOnlyWhenPastTheEnd) {
    std::vector<TSubZone> list{Zone(10.0, 0.0), Zone(30.0, 20.0), Zone(60.0, 50.0)};
    std::int32_t current = 1;
    DeleteSubZone(list, current, 0);
    EXPECT_EQ(current, 1);  // still within the list
    EXPECT_EQ(Divisions(list), (std::vector<double>{20.0, 50.0}));

    DeleteSubZone(list, current, 1);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(Divisions(list), std::vector<double>{20.0});

    DeleteSubZone(list, current, 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(current, -1);

    AddSubZone(list, current, Zone(5.0, 0.0), 10.0);
    EXPECT_EQ(current, 0);
}

TEST(SubZoneDeletion, FarOutCurrentIndexIsDecreasedByOneOnly) {
    std::vector<TSubZone> list{Zone(10.0, 0.0), Zone(30.0, 20.0)};
    std::int32_t current = 7;  // the current index is stored without a range check
    DeleteSubZone(list, current, 0);
    EXPECT_EQ(current, 6);
}

TEST(SubZoneDeletion, IndexOutOfRangeRaisesAndKeepsTheList) {
    std::vector<TSubZone> list{Zone(10.0, 0.0)};
    std::int32_t current = 0;
    EXPECT_THROW(DeleteSubZone(list, current, 1), EListIndexError);
    EXPECT_THROW(DeleteSubZone(list, current, -1), EListIndexError);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(current, 0);
}

TEST(SubZoneAccess, GetCopiesAndSetOverwritesWithoutReordering) {
    std::vector<TSubZone> list{Zone(10.0, 0.0), Zone(60.0, 50.0)};
    TSubZone copy = GetSubZone(list, 0);
    copy.Division = 90.0;
    copy.NumDivL = -4;
    EXPECT_EQ(list[0].Division, 0.0);  // a copy, not the record

    SetSubZone(list, 0, copy);
    EXPECT_EQ(Divisions(list), (std::vector<double>{90.0, 50.0}));
    EXPECT_EQ(GetSubZone(list, 0), copy);

    EXPECT_THROW(GetSubZone(list, 2), EListIndexError);
    EXPECT_THROW(GetSubZone(list, -1), EListIndexError);
    EXPECT_THROW(SetSubZone(list, 2, copy), EListIndexError);
    EXPECT_THROW(GetSubZone({}, 0), EListIndexError);
}

}  // namespace
}  // namespace nerim

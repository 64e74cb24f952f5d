#include <gtest/gtest.h>

#include <vector>

#include "source/core/SlotArray.h"

namespace {

struct Item {
  int id;
};

TEST(SlotArray, NullAndUnknownEntriesAreRefused) {
  cSlotArray<Item> array;
  Item a{1};
  Item stranger{9};
  array.Add(nullptr);
  EXPECT_EQ(array.SlotCount(), 0u);
  array.Add(&a);
  EXPECT_FALSE(array.Remove(nullptr));
  EXPECT_FALSE(array.Remove(&stranger));
  EXPECT_EQ(array.LiveCount(), 1u);
}

TEST(SlotArray, RemovalsLeaveHolesUntilHalfTheSlotsAreEmptyThenCompact) {
  cSlotArray<Item> array;
  Item a{1}, b{2}, c{3}, d{4};
  for (Item* item : {&a, &b, &c, &d}) array.Add(item);
  ASSERT_EQ(array.SlotCount(), 4u);

  EXPECT_TRUE(array.Remove(&b));
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{&a, nullptr, &c, &d}));
  EXPECT_EQ(array.LiveCount(), 3u);

  EXPECT_TRUE(array.Remove(&d));  // twice the live count is 4, not below 4: still holes
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{&a, nullptr, &c, nullptr}));
  EXPECT_EQ(array.LiveCount(), 2u);

  EXPECT_TRUE(array.Remove(&a));  // 2 < 4: compacted to the one remaining entry
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{&c}));
  EXPECT_EQ(array.LiveCount(), 1u);

  array.Add(&b);  // the free store was emptied by the compaction: appended
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{&c, &b}));
}

TEST(SlotArray, AnEntryAddedAfterARemovalTakesTheFreedSlot) {
  cSlotArray<Item> array;
  Item a{1}, b{2}, c{3}, d{4}, e{5};
  for (Item* item : {&a, &b, &c, &d}) array.Add(item);
  array.Remove(&c);
  array.Add(&e);
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{&a, &b, &e, &d}));
  EXPECT_EQ(array.LiveCount(), 4u);
}

TEST(SlotArray, TheSlotFreedLastIsReusedFirst) {
  cSlotArray<Item> array;
  Item items[6] = {{0}, {1}, {2}, {3}, {4}, {5}};
  Item x{10}, y{11};
  for (Item& item : items) array.Add(&item);
  array.Remove(&items[1]);
  array.Remove(&items[4]);
  array.Add(&x);
  array.Add(&y);
  EXPECT_EQ(array.At(4), &x);
  EXPECT_EQ(array.At(1), &y);
}

TEST(SlotArray, RemovingTakesTheFirstEqualSlot) {
  cSlotArray<Item> array;
  Item a{1}, b{2};
  array.Add(&a);
  array.Add(&b);
  array.Add(&a);
  EXPECT_TRUE(array.Remove(&a));
  EXPECT_EQ(array.Slots(), (std::vector<Item*>{nullptr, &b, &a}));
}

TEST(SlotArray, RemovingEveryEntryLeavesAnEmptyArray) {
  cSlotArray<Item> array;
  Item a{1}, b{2};
  array.Add(&a);
  array.Add(&b);
  array.Remove(&a);
  array.Remove(&b);
  EXPECT_EQ(array.LiveCount(), 0u);
  EXPECT_EQ(array.SlotCount(), 0u);
}

}  // namespace

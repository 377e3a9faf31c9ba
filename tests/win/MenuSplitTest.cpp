#include "win/MenuSplit.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(MenuSplit, EntriesThatFitLeaveRoomForTheFrameAndAtLeastTwo) {
  EXPECT_EQ(win::EntriesThatFit(768, 24), 31u);
  EXPECT_EQ(win::EntriesThatFit(40, 24), 2u);  // one entry and the one that opens the rest
  EXPECT_EQ(win::EntriesThatFit(768, 0), 2u);
}

TEST(MenuSplit, OverflowGroupsAreThePowerOfFitThatNeedsAtMostFitOfThem) {
  struct Case {
    size_t count, fit, size;
  } const cases[] = {
      {0, 30, 1}, {30, 30, 1}, {31, 30, 30}, {900, 30, 30}, {901, 30, 900}, {5, 2, 4}, {SIZE_MAX, 2, size_t{1} << 63},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " entries, " << c.fit << " fit");
    EXPECT_EQ(win::OverflowGroupSize(c.count, c.fit), c.size);
  }
}

}  // namespace

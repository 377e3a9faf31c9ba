#include "app/Placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Placement, WindowBoundsStopAtTheEndOfTheCoordinateRange) {
  struct Row {
    int left, top;
    RECT bounds;
  };
  const Row rows[] = {
      {100, -50, {100, -50, 305, 68}},
      {INT_MAX - 100, INT_MAX, {INT_MAX - 100, INT_MAX, INT_MAX, INT_MAX}},
  };
  for (const Row& row : rows) {
    const RECT bounds = app::BoundsAt(row.left, row.top, {205, 118});
    EXPECT_TRUE(EqualRect(&bounds, &row.bounds))
        << row.left << ", " << row.top << ": " << bounds.right << ", " << bounds.bottom;
  }
}

}  // namespace

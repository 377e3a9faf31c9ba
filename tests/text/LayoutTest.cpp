#include "text/Layout.h"

#include <gtest/gtest.h>

namespace text {

void PrintTo(const DialogLayout& l, std::ostream* out) {
  for (const Box& b : {l.icon, l.text, l.button})
    *out << b.left << "," << b.top << " " << b.width << "x" << b.height << "; ";
  *out << "client " << l.clientWidth << "x" << l.clientHeight;
}

}  // namespace text

namespace {

struct Case {
  const char* what;
  text::DialogMeasure measure;
  text::DialogLayout layout;
};

TEST(Layout, PlacesTheMessageDialogsPartsFromTheFontMeasure) {
  const Case cases[] = {
      // 10 x 7 / 4 = 17.5 and 50 x 7 / 4 = 87.5 round up; 10 x 13 / 8 = 16.25 rounds down.
      {"odd character width", {7, 13, 200, 52, 14}, {278, 117, {14, 13, 32, 32}, {64, 13, 200, 52}, {95, 81, 88, 23}}},
      // The icon sets the block's height, the caption the button's width, and
      // the button the client width.
      {"short text, wide caption",
       {6, 13, 10, 13, 100},
       {132, 97, {12, 13, 32, 32}, {59, 13, 10, 13}, {12, 61, 108, 23}}},
  };
  for (const auto& [what, measure, layout] : cases) {
    EXPECT_EQ(text::LayOutMessageDialog(measure), layout) << what;
  }
}

}  // namespace

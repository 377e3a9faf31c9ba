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
      {"odd character width",
       {7, 13, 200, 52, 14, 32, 96},
       {278, 117, {14, 13, 32, 32}, {64, 13, 200, 52}, {95, 81, 88, 23}}},
      // The icon sets the block's height, the caption the button's width, and
      // the button the client width.
      {"short text, wide caption",
       {6, 13, 10, 13, 100, 32, 96},
       {132, 97, {12, 13, 32, 32}, {59, 13, 10, 13}, {12, 61, 108, 23}}},
      // At 200 % the icon is the caller's 64 pixels and the caption's margin 16.
      {"wide caption at 200 %",
       {12, 26, 20, 26, 200, 64, 192},
       {264, 195, {24, 26, 64, 64}, {118, 26, 20, 26}, {24, 123, 216, 46}}},
  };
  for (const auto& [what, measure, layout] : cases) {
    EXPECT_EQ(text::LayOutMessageDialog(measure), layout) << what;
  }
}

TEST(Layout, ScalesLengthsAsMulDivDoes) {
  const struct {
    int length, dpi, fromDpi, scaled;
  } cases[] = {
      {16, 120, 96, 20},   {16, 144, 96, 24}, {16, 168, 96, 28},
      {16, 192, 96, 32},   {13, 144, 96, 20},  // 19.5: halves round up
      {-13, 144, 96, -20},                     // and down below zero, as font heights are
      {7, 120, 96, 9},                         // 8.75
      {20, 96, 120, 16},                       // from a system at 125 % back to 100 %
      {10, 100, 96, 10},                       // 10.42
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::ScaleForDpi(c.length, c.dpi, c.fromDpi), c.scaled) << c.length << " " << c.dpi << "/" << c.fromDpi;
  }
}

TEST(Layout, TakesTheLargestMenuArtThatFits) {
  const int cases[][2] = {{12, 16}, {16, 16}, {19, 16}, {20, 20}, {24, 24}, {28, 24}, {32, 32}, {40, 32}};
  for (const auto& [slot, art] : cases) EXPECT_EQ(text::MenuArtSize(slot), art) << slot;
}

}  // namespace

// The scrolling ground with the game's sizes: set-up tables, where the ground
// lands, its perspective, and how the texture scrolls and drifts.
#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

constexpr int kSpan = 2560, kHeight = 200;

class ScrollingGround : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    // A fresh ground for every test: the routine sets itself up on first use.
    for (BITMAP **made : {&bmp2, &bmp3}) {
      if (*made) destroy_bitmap(*made);
      *made = nullptr;
    }
    array = 2, b = 1.0f, immy1 = 0;
    sky_ = makecol(40, 80, 200);
    grey_ = makecol(128, 128, 128);
    target_ = make_filled_bitmap(640, 480, sky_);
    terrain_ = make_filled_bitmap(1280, 200, grey_);
  }

  void draw(int drift = 0, int step = 1, int y = 330, int angle = 0) {
    clear_to_color(target_.get(), sky_);
    livscroll(terrain_.get(), target_.get(), kSpan, kHeight, drift, step, -320, y, angle);
  }
  void mark_columns(int from, int to, int colour) {
    rectfill(terrain_.get(), from, 0, to, kHeight - 1, colour);
  }
  // The destination row where the centre column first shows `colour`.
  int first_row_with(int colour) {
    for (int y = 0; y < 480; y++)
      if (getpixel(target_.get(), 320, y) == colour) return y;
    return -1;
  }
  int colour_changes_along_row(int y) {
    int changes = 0;
    for (int x = 1; x < 640; x++)
      changes += getpixel(target_.get(), x, y) != getpixel(target_.get(), x - 1, y);
    return changes;
  }

  int sky_, grey_;
  BitmapPtr target_, terrain_;
};

TEST_F(ScrollingGround, FirstCallSetsUpAndDrawsAtOnce) {
  draw();
  EXPECT_EQ(array, 0);
  ASSERT_TRUE(bmp2 && bmp3);
  EXPECT_EQ(std::vector<int>({bmp2->w, bmp2->h, bmp3->w, bmp3->h}),
            std::vector<int>({1280, 399, 1280, 199}));
  for (int row = 0; row <= kHeight; row++) {
    EXPECT_EQ(inc[row], 2.0f * row + 3.0f);
    EXPECT_EQ(scorrimentox[row], 2560);
  }
  EXPECT_EQ(getpixel(target_.get(), 320, 400), grey_);
}

TEST_F(ScrollingGround, TopLeftCornerLandsOnTheGivenPoint) {
  for (int y : {330, 340, 321}) {
    draw(0, 1, y);
    for (int x = 0; x < 640; x += 7) {
      EXPECT_EQ(getpixel(target_.get(), x, y - 1), sky_) << "above the ground at y " << y;
      EXPECT_EQ(getpixel(target_.get(), x, y), grey_) << "the far edge at y " << y;
      EXPECT_EQ(getpixel(target_.get(), x, 479), grey_) << "the ground reaches the bottom";
    }
  }
}

TEST_F(ScrollingGround, MiddleOfTheTextureStaysOnTheMiddleColumnAtEveryDepth) {
  const int red = makecol(255, 0, 0);
  mark_columns(636, 644, red);
  draw();
  for (int y = 330; y < 480; y++) EXPECT_EQ(getpixel(target_.get(), 320, y), red) << "row " << y;
  EXPECT_NE(getpixel(target_.get(), 0, 330), red);
  EXPECT_NE(getpixel(target_.get(), 639, 330), red);
}

TEST_F(ScrollingGround, FarRowsShowManyTextureColumnsNearRowsFew) {
  for (int x = 0; x < 1280; x += 16) mark_columns(x, x + 7, makecol(0, 160, 0));
  draw();
  // Row 0 is widened 1.47 times: about 435 texture columns, 54 stripes.
  EXPECT_GT(colour_changes_along_row(330), 45);
  EXPECT_LT(colour_changes_along_row(479), 6);
  EXPECT_GT(colour_changes_along_row(380), colour_changes_along_row(430));
}

TEST_F(ScrollingGround, TextureSlidesDownOneRowPerCallWrappingAndStandsStillOnceAPeriod) {
  const int red = makecol(255, 0, 0), blue = makecol(0, 0, 255);
  rectfill(terrain_.get(), 0, 50, 1279, 50, red);
  rectfill(terrain_.get(), 0, 199, 1279, 199, blue);  // the last row wraps to the top
  std::vector<int> red_rows, blue_rows, offsets_after;
  for (int call = 0; call < 203; call++) {
    draw();
    red_rows.push_back(first_row_with(red));
    blue_rows.push_back(first_row_with(blue));
    offsets_after.push_back(immy1);
  }
  EXPECT_EQ(std::vector<int>(red_rows.begin(), red_rows.begin() + 5),
            (std::vector<int>{380, 380, 381, 382, 383}));
  EXPECT_EQ(std::vector<int>(blue_rows.begin(), blue_rows.begin() + 4),
            (std::vector<int>{-1, -1, 330, 331}));
  // Offsets used: 0, -200, -199, ... -1, 0, -200: a period of 201 calls.
  EXPECT_EQ(offsets_after[0], -200);
  EXPECT_EQ(offsets_after[199], -1);
  EXPECT_EQ(offsets_after[200], 0);
  EXPECT_EQ(offsets_after[201], -200);
  immy1 = -200;
  draw(0, -1);
  EXPECT_EQ(immy1, 0) << "stepping past the top wraps to 0";
  draw(0, 0);
  EXPECT_EQ(immy1, 0) << "step 0 stands still";
}

TEST_F(ScrollingGround, DriftMovesEveryRowAndResetsAfterAWholeSpan) {
  for (int drift : {5, -5}) {
    for (int row = 0; row <= kHeight; row++) scorrimentox[row] = 2560;
    for (int call = 1; call <= 511; call++) draw(drift, 0);
    EXPECT_EQ(scorrimentox[200], 2560 + drift * 511) << "5115, or 5 for drift -5";
    draw(drift, 0);
    EXPECT_EQ(scorrimentox[100], 2560) << "5120 and 0 are a whole span away";
  }
}

// Sizes the ground cannot be made for are refused before anything is set up
// or drawn: a height past the tables' 10000 rows, a span without a column.
TEST_F(ScrollingGround, RefusesSizesItCannotMakeTouchingNothing) {
  const int refused[][2] = {{kSpan, 10000}, {kSpan, 1}, {0, kHeight}, {1, kHeight}, {-4, kHeight}};
  for (const auto &size : refused) {
    livscroll(terrain_.get(), target_.get(), size[0], size[1], 0, 1, -320, 330, 0);
    EXPECT_EQ(array, 2) << size[0] << "x" << size[1];
    EXPECT_EQ(bmp2, nullptr);
    EXPECT_EQ(first_row_with(grey_), -1);
  }
}

}  // namespace

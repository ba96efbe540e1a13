// The datafile writer, judged by what Allegro's own loader makes of its files.
#include "asset_maker.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "test_support.h"

using namespace asset_maker;
using namespace testing_support;

namespace {

// Picture `i` of three shapes, painted with every bit of each channel and a
// magic-pink corner. Painted at 15 bits it is what a load at 15 bits must give.
BitmapPtr sample(int depth, int i) {
  constexpr int sizes[][2] = {{64, 48}, {1, 1}, {37, 5}};
  BitmapPtr bmp(create_bitmap_ex(depth, sizes[i][0], sizes[i][1]));
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++)
      putpixel(
          bmp.get(), x, y,
          makecol_depth(depth, (x * 7 + y * 53) & 255, (x * 29 + 3) & 255, (y * 61 + x) & 255));
  putpixel(bmp.get(), 0, 0, makecol_depth(depth, 255, 0, 255));
  return bmp;
}

class DatafileRoundTrip : public testing::TestWithParam<int> {};

TEST_P(DatafileRoundTrip, LoadsBackEveryPixelAndNameAtTheStoredDepthAndAtFifteenBits) {
  start_headless_allegro(GetParam());
  const BitmapPtr pics[] = {sample(GetParam(), 0), sample(GetParam(), 1), sample(GetParam(), 2)};
  const std::vector<DatafileBitmap> objects{
      {"", pics[0].get()}, {"A", pics[1].get()}, {"B", pics[2].get()}};
  const std::string path = "/tmp/zephyrun_datafile_" + std::to_string(getpid()) + ".dat";
  ASSERT_TRUE(write_datafile(path.c_str(), objects));
  for (int depth : {GetParam(), 15}) {
    set_color_depth(depth);
    std::unique_ptr<DATAFILE, void (*)(DATAFILE *)> data{load_datafile(path.c_str()),
                                                         unload_datafile};
    ASSERT_NE(data, nullptr) << "at depth " << depth;
    for (int i = 0; i < 3; i++) {
      ASSERT_EQ(data.get()[i].type, DAT_BITMAP) << "object " << i;
      BITMAP *loaded = static_cast<BITMAP *>(data.get()[i].dat);
      EXPECT_EQ(first_difference(sample(depth, i).get(), loaded), "") << i << " at depth " << depth;
      EXPECT_STREQ(get_datafile_property(&data.get()[i], DAT_NAME), objects[i].name.c_str());
    }
  }
  std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Depths, DatafileRoundTrip, testing::Values(15, 16, 24, 32));

}  // namespace

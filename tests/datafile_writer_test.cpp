// The datafile writer, judged by what Allegro's own loader makes of its files.
#include "datafile_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "test_support.h"

using testing_support::BitmapPtr;
using testing_support::first_difference;
using testing_support::make_pattern_bitmap;
using testing_support::start_headless_allegro;

namespace {

struct DatafileDeleter {
  void operator()(DATAFILE *data) const { unload_datafile(data); }
};
using DatafilePtr = std::unique_ptr<DATAFILE, DatafileDeleter>;

std::string temp_path(const char *stem) {
  return "/tmp/zephyrun_" + std::string(stem) + "_" + std::to_string(getpid()) + ".dat";
}

// Removes the file when the test ends, however it ends.
struct TempFile {
  std::string path;
  explicit TempFile(const char *stem) : path(temp_path(stem)) {}
  ~TempFile() { std::remove(path.c_str()); }
};

int object_count(DATAFILE *data) {
  int n = 0;
  while (data[n].type != DAT_END) n++;
  return n;
}

// Three pictures of different shapes at the given depth, each with a
// magic-pink corner so the transparent colour is part of every round trip.
std::vector<BitmapPtr> sample_bitmaps(int depth) {
  start_headless_allegro(depth);
  std::vector<BitmapPtr> bitmaps;
  const int sizes[][2] = {{64, 48}, {1, 1}, {37, 5}};
  for (int i = 0; i < 3; i++) {
    bitmaps.push_back(make_pattern_bitmap(sizes[i][0], sizes[i][1], i + 1));
    putpixel(bitmaps.back().get(), 0, 0, makecol(255, 0, 255));
  }
  // The shared pattern uses multiples of 8 only; the last picture uses every
  // bit of each channel, so a writer dropping low bits shows at 24 and 32.
  BITMAP *fine = bitmaps.back().get();
  for (int y = 0; y < fine->h; y++)
    for (int x = 1; x < fine->w; x++)
      putpixel(fine, x, y, makecol((x * 7 + y * 53) & 255, (x * 29 + 3) & 255, (y * 61 + x) & 255));
  return bitmaps;
}

std::vector<DatafileBitmap> as_objects(const std::vector<BitmapPtr> &bitmaps) {
  std::vector<DatafileBitmap> objects;
  for (size_t i = 0; i < bitmaps.size(); i++)
    objects.push_back({"PICTURE_" + std::to_string(i), bitmaps[i].get()});
  return objects;
}

// Each pixel of the original as it looks once reduced to 15 bits.
BitmapPtr reduced_to_15_bits(BITMAP *original) {
  const int depth = bitmap_color_depth(original);
  BitmapPtr reduced(create_bitmap_ex(15, original->w, original->h));
  for (int y = 0; y < original->h; y++)
    for (int x = 0; x < original->w; x++) {
      int c = getpixel(original, x, y);
      putpixel(reduced.get(), x, y,
               makecol15(getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)));
    }
  return reduced;
}

class DatafileRoundTrip : public testing::TestWithParam<int> {};

TEST_P(DatafileRoundTrip, LoadsBackEveryPixelAtTheStoredDepth) {
  const int depth = GetParam();
  std::vector<BitmapPtr> bitmaps = sample_bitmaps(depth);
  TempFile file("round_trip");
  ASSERT_TRUE(write_datafile(file.path.c_str(), as_objects(bitmaps)));

  DatafilePtr data(load_datafile(file.path.c_str()));
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(object_count(data.get()), 3);
  for (int i = 0; i < 3; i++) {
    ASSERT_EQ(data.get()[i].type, DAT_BITMAP) << "object " << i;
    BITMAP *loaded = static_cast<BITMAP *>(data.get()[i].dat);
    EXPECT_EQ(bitmap_color_depth(loaded), depth);
    EXPECT_EQ(first_difference(bitmaps[i].get(), loaded), "") << "object " << i;
    EXPECT_STREQ(get_datafile_property(&data.get()[i], DAT_NAME),
                 ("PICTURE_" + std::to_string(i)).c_str());
  }
}

TEST_P(DatafileRoundTrip, LoadsAtFifteenBitsWithMagicPinkKept) {
  std::vector<BitmapPtr> bitmaps = sample_bitmaps(GetParam());
  TempFile file("at_15");
  ASSERT_TRUE(write_datafile(file.path.c_str(), as_objects(bitmaps)));

  set_color_depth(15);
  DatafilePtr data(load_datafile(file.path.c_str()));
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(object_count(data.get()), 3);
  for (int i = 0; i < 3; i++) {
    BITMAP *loaded = static_cast<BITMAP *>(data.get()[i].dat);
    ASSERT_EQ(bitmap_color_depth(loaded), 15);
    EXPECT_EQ(getpixel(loaded, 0, 0), makecol15(255, 0, 255)) << "object " << i;
    EXPECT_EQ(first_difference(reduced_to_15_bits(bitmaps[i].get()).get(), loaded), "")
        << "object " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, DatafileRoundTrip, testing::Values(15, 16, 24, 32));

TEST(DatafileWriter, UnnamedObjectsLoadWithoutName) {
  std::vector<BitmapPtr> bitmaps = sample_bitmaps(24);
  TempFile file("unnamed");
  ASSERT_TRUE(write_datafile(file.path.c_str(), {{"", bitmaps[0].get()}}));
  DatafilePtr data(load_datafile(file.path.c_str()));
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(object_count(data.get()), 1);
  EXPECT_STREQ(get_datafile_property(&data.get()[0], DAT_NAME), "");
}

TEST(DatafileWriter, ReportsAnUnwritablePath) {
  std::vector<BitmapPtr> bitmaps = sample_bitmaps(24);
  TempFile blocker("blocker");
  std::ofstream(blocker.path) << "a plain file, so nothing can live beneath it";
  const std::string path = blocker.path + "/cor.dat";
  EXPECT_FALSE(write_datafile(path.c_str(), as_objects(bitmaps)));
}

TEST(DatafileWriter, RefusesPalettedBitmapsAndLeavesNoFile) {
  start_headless_allegro(24);
  BitmapPtr paletted(create_bitmap_ex(8, 4, 4));
  BitmapPtr fine = make_pattern_bitmap(4, 4);
  TempFile file("paletted");
  EXPECT_FALSE(write_datafile(file.path.c_str(), {{"OK", fine.get()}, {"BAD", paletted.get()}}));
  EXPECT_FALSE(exists(file.path.c_str()));
}

}  // namespace

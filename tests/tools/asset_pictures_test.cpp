// The asset maker's files, judged as the game loads them (15 bits): the same
// bytes on every run, and a ground that scrolls round without a seam.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "asset_maker.h"
#include "test_support.h"

using testing_support::BitmapPtr;

namespace {

// Summed over pixels and channels.
int row_difference(BITMAP *bmp, int y1, int y2) {
  int sum = 0;
  for (int x = 0; x < bmp->w; x++) {
    const int one = getpixel(bmp, x, y1), other = getpixel(bmp, x, y2);
    sum += std::abs(getr(one) - getr(other)) + std::abs(getg(one) - getg(other)) +
           std::abs(getb(one) - getb(other));
  }
  return sum;
}

TEST(AssetFiles, SameBytesOnEveryRunAndTheGroundWrapsOpaqueWithoutASeam) {
  testing_support::start_headless_allegro(15);
  const std::string here = "/tmp/zephyrun_assets_" + std::to_string(getpid());
  std::string error;
  ASSERT_TRUE(write_asset_files(here, error)) << error;
  const std::string maker = ZEPHYRUN_BINARY_DIR "/zephyrun-assets";
  ASSERT_EQ(std::system((maker + " " + here + "_again").c_str()), 0);
  EXPECT_EQ(std::system(("diff -r " + here + " " + here + "_again").c_str()), 0);

  BitmapPtr ground{load_bitmap((here + "/terreno.tga").c_str(), nullptr)};
  ASSERT_NE(ground, nullptr);
  for (int y = 0; y < ground->h; y++)
    for (int x = 0; x < ground->w; x++)
      ASSERT_NE(getpixel(ground.get(), x, y), makecol(255, 0, 255)) << "hole at " << x << "," << y;
  // Its last row runs on into its first as smoothly as nine neighbouring rows in ten.
  std::vector<int> neighbours;
  for (int y = 0; y + 1 < ground->h; y++)
    neighbours.push_back(row_difference(ground.get(), y, y + 1));
  std::sort(neighbours.begin(), neighbours.end());
  const int seam = row_difference(ground.get(), ground->h - 1, 0);
  EXPECT_LE(seam, neighbours[neighbours.size() * 9 / 10]);
  std::filesystem::remove_all(here);
  std::filesystem::remove_all(here + "_again");
}

}  // namespace

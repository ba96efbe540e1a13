// The asset maker's pictures, judged as the game loads them: 15 bits, magic pink transparent.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "asset_maker.h"
#include "test_support.h"

using testing_support::BitmapPtr;

const std::string here = "/tmp/zephyrun_assets_" + std::to_string(getpid());

bool is_pink(int colour) { return colour == makecol(255, 0, 255); }

template <typename Test> int count(BITMAP *bmp, Test test) {  // pixels passing test(x, y, colour)
  int n = 0;
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) n += test(x, y, getpixel(bmp, x, y));
  return n;
}

int row_difference(BITMAP *bmp, int y1, int y2) {  // summed over pixels and channels
  int sum = 0;
  for (int x = 0, a, b; x < bmp->w; x++) {
    a = getpixel(bmp, x, y1), b = getpixel(bmp, x, y2);
    sum += std::abs(getr(a) - getr(b)) + std::abs(getg(a) - getg(b)) + std::abs(getb(a) - getb(b));
  }
  return sum;
}

struct AssetPictures : testing::Test {
  static void SetUpTestSuite() {
    testing_support::start_headless_allegro(15);
    std::string error;
    ASSERT_TRUE(write_asset_files(here, error)) << error;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(here); }
  static BITMAP *load(const char *name) { return load_bitmap((here + "/" + name).c_str(), nullptr); }
};

// The ground scrolls round and round: its last row must run on into its first
// as smoothly as nine neighbouring rows in ten do.
TEST_F(AssetPictures, GroundIsOpaqueAndWrapsFromItsLastRowToItsFirstWithoutASeam) {
  BitmapPtr ground{load("terreno.tga")};
  ASSERT_NE(ground, nullptr);
  EXPECT_EQ(std::pair(ground->w, ground->h), std::pair(1280, 200));
  EXPECT_EQ(count(ground.get(), [](int, int, int c) { return is_pink(c); }), 0);
  std::vector<int> neighbours;
  for (int y = 0; y + 1 < ground->h; y++) neighbours.push_back(row_difference(ground.get(), y, y + 1));
  std::sort(neighbours.begin(), neighbours.end());
  EXPECT_LE(row_difference(ground.get(), ground->h - 1, 0), neighbours[neighbours.size() * 9 / 10]);
}

TEST_F(AssetPictures, ShipFramesShotAndAsteroidStandOnMagicPinkAndTheFramesDiffer) {
  std::unique_ptr<DATAFILE, void (*)(DATAFILE *)> cors{load_datafile((here + "/cor.dat").c_str()),
                                                       unload_datafile};
  BitmapPtr asteroid{load("asteroide.tga")};
  ASSERT_TRUE(cors && asteroid);
  std::vector<BITMAP *> sprites{asteroid.get()};  // then five ship frames and the shot
  for (int n = 0; n <= 15; n += 3)
    sprites.push_back(cors.get()[n].type == DAT_BITMAP ? static_cast<BITMAP *>(cors.get()[n].dat) : nullptr);
  for (BITMAP *bmp : sprites) {
    ASSERT_NE(bmp, nullptr);
    const int w = bmp->w, h = bmp->h, solid = count(bmp, [](int, int, int c) { return !is_pink(c); });
    auto edge = [&](int x, int y) { return !x || !y || x == w - 1 || y == h - 1; };
    EXPECT_EQ(count(bmp, [&](int x, int y, int c) { return edge(x, y) && !is_pink(c); }), 0) << w << "x" << h;
    EXPECT_TRUE(solid > w * h / 5 && solid < w * h * 85 / 100) << solid << " of " << w * h << " opaque";
  }
  for (int i = 1; i <= 5; i++)
    for (int j = i + 1; j <= 5; j++)
      EXPECT_GT(count(sprites[i], [&](int x, int y, int c) { return c != getpixel(sprites[j], x, y); }),
                sprites[i]->w * sprites[i]->h / 100) << "ship frames " << i << " and " << j;
}

TEST_F(AssetPictures, MakerCommandWritesTheSameBytesOnEveryRun) {
  const std::string again = here + "_again";
  ASSERT_EQ(std::system((ZEPHYRUN_BINARY_DIR "/zephyrun-assets " + again).c_str()), 0);
  EXPECT_EQ(std::system(("diff -r " + here + " " + again).c_str()), 0) << "the files differ between runs";
  std::filesystem::remove_all(again);
}


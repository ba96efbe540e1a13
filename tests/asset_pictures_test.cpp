// The asset maker's pictures, judged as the game loads them: at 15 bits, with
// magic pink as the only transparent colour.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "asset_files.h"
#include "test_support.h"

using testing_support::start_headless_allegro;
namespace fs = std::filesystem;

namespace {

// A fresh directory under /tmp, removed with everything in it at the end.
struct TempDir {
  fs::path path;
  explicit TempDir(const std::string &stem)
      : path(fs::temp_directory_path() / ("zephyrun_" + stem + "_" + std::to_string(getpid()))) {
    fs::remove_all(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

std::string file_bytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool is_pink(BITMAP *bmp, int x, int y) { return getpixel(bmp, x, y) == makecol(255, 0, 255); }

// Mean difference per colour channel (0..255) between two rows.
double row_difference(BITMAP *bmp, int y1, int y2) {
  double sum = 0;
  for (int x = 0; x < bmp->w; x++) {
    int a = getpixel(bmp, x, y1), b = getpixel(bmp, x, y2);
    sum += std::abs(getr(a) - getr(b)) + std::abs(getg(a) - getg(b)) + std::abs(getb(a) - getb(b));
  }
  return sum / (3.0 * bmp->w);
}

class AssetPictures : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    start_headless_allegro(15);
    dir = new TempDir("assets");
    std::string error;
    ASSERT_TRUE(write_asset_files(dir->path.string(), error)) << error;
    auto path = [](const char *name) { return (dir->path / name).string(); };
    cors = load_datafile(path("cor.dat").c_str());
    ground = load_bitmap(path("terreno.tga").c_str(), nullptr);
    sky = load_bitmap(path("cielo.bmp").c_str(), nullptr);
    asteroid = load_bitmap(path("asteroide.tga").c_str(), nullptr);
    title = load_bitmap(path("present.bmp").c_str(), nullptr);
  }
  static void TearDownTestSuite() { delete dir; }  // the process ends right after: no unloading

  BITMAP *object(int n) { return static_cast<BITMAP *>(cors[n].dat); }

  static TempDir *dir;
  static DATAFILE *cors;
  static BITMAP *ground, *sky, *asteroid, *title;
};

TempDir *AssetPictures::dir;
DATAFILE *AssetPictures::cors;
BITMAP *AssetPictures::ground, *AssetPictures::sky, *AssetPictures::asteroid, *AssetPictures::title;

TEST_F(AssetPictures, AllLoadAtFifteenBitsWithTheSizesTheGameDrawsFrom) {
  ASSERT_NE(cors, nullptr);
  ASSERT_NE(ground, nullptr);
  ASSERT_NE(sky, nullptr);
  ASSERT_NE(asteroid, nullptr);
  ASSERT_NE(title, nullptr);
  int count = 0;
  while (cors[count].type != DAT_END) count++;
  EXPECT_GE(count, 16);
  for (int n : {0, 3, 6, 9, 12, 15}) {
    ASSERT_EQ(cors[n].type, DAT_BITMAP) << "object " << n;
    EXPECT_EQ(bitmap_color_depth(object(n)), 15);
  }
  EXPECT_EQ(ground->w, 1280);
  EXPECT_EQ(ground->h, 200);
  EXPECT_EQ(sky->w, 640);
  EXPECT_EQ(sky->h, 480);
  EXPECT_EQ(title->w, 640);
  EXPECT_EQ(title->h, 480);
}

TEST_F(AssetPictures, GroundHasNoTransparentPixel) {
  ASSERT_NE(ground, nullptr);
  for (int y = 0; y < ground->h; y++)
    for (int x = 0; x < ground->w; x++) ASSERT_FALSE(is_pink(ground, x, y)) << x << ", " << y;
}

// The game scrolls the ground round and round: its last row must run on into
// its first as smoothly as neighbouring rows do elsewhere (no rougher than nine
// neighbouring pairs in ten), while unrelated rows differ far more.
TEST_F(AssetPictures, GroundWrapsFromItsLastRowToItsFirstWithoutASeam) {
  ASSERT_NE(ground, nullptr);
  std::vector<double> neighbours;
  for (int y = 0; y + 1 < ground->h; y++) neighbours.push_back(row_difference(ground, y, y + 1));
  std::sort(neighbours.begin(), neighbours.end());
  const double typical = neighbours[neighbours.size() / 2];
  const double rough = neighbours[neighbours.size() * 9 / 10];
  double unrelated = 0;
  for (int k = 0; k < 100; k++) unrelated += row_difference(ground, (k * 37) % 200, (k * 91 + 50) % 200);
  unrelated /= 100;

  EXPECT_LT(typical, unrelated * 0.5) << "the texture should have structure";
  EXPECT_LE(row_difference(ground, 199, 0), rough);
}

TEST_F(AssetPictures, ShipShotAndAsteroidStandOnMagicPink) {
  ASSERT_NE(cors, nullptr);
  ASSERT_NE(asteroid, nullptr);
  for (BITMAP *bmp : {object(0), object(3), object(6), object(9), object(12), object(15), asteroid}) {
    int solid = 0;
    for (int y = 0; y < bmp->h; y++)
      for (int x = 0; x < bmp->w; x++) {
        bool border = x == 0 || y == 0 || x == bmp->w - 1 || y == bmp->h - 1;
        if (border) {
          ASSERT_TRUE(is_pink(bmp, x, y)) << "border pixel " << x << ", " << y;
        }
        solid += !is_pink(bmp, x, y);
      }
    double share = solid / double(bmp->w * bmp->h);
    EXPECT_GT(share, 0.2) << bmp->w << "x" << bmp->h;
    EXPECT_LT(share, 0.85) << bmp->w << "x" << bmp->h;
  }
}

TEST_F(AssetPictures, FiveShipFramesAllLookDifferent) {
  ASSERT_NE(cors, nullptr);
  const int frames[] = {0, 3, 6, 9, 12};
  for (int i = 0; i < 5; i++)
    for (int j = i + 1; j < 5; j++) {
      BITMAP *a = object(frames[i]), *b = object(frames[j]);
      ASSERT_EQ(a->w, b->w);
      ASSERT_EQ(a->h, b->h);
      int differing = 0;
      for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) differing += getpixel(a, x, y) != getpixel(b, x, y);
      EXPECT_GT(differing, a->w * a->h / 100) << "frames " << frames[i] << " and " << frames[j];
    }
}

// The name is written in warm gold, large, across the top of the title.
TEST_F(AssetPictures, TitleShowsTheNameInLargeLettersAcrossTheTop) {
  ASSERT_NE(title, nullptr);
  auto golden = [](int c) { return getr(c) > 200 && getg(c) > 90 && getb(c) < 130; };
  int in_name_band = 0, below = 0;
  for (int y = 64; y < 136; y++)
    for (int x = 0; x < 640; x++) in_name_band += golden(getpixel(title, x, y));
  for (int y = 360; y < 432; y++)
    for (int x = 0; x < 640; x++) below += golden(getpixel(title, x, y));
  EXPECT_GT(in_name_band, 640 * 72 / 8);
  EXPECT_GT(in_name_band, below * 4);
}

std::string assets_command() { return std::string(ZEPHYRUN_BINARY_DIR) + "/zephyrun-assets"; }

TEST(AssetMaker, WritesTheSameBytesOnEveryRun) {
  TempDir first("run_one"), second("run_two");
  ASSERT_EQ(std::system((assets_command() + " " + first.path.string()).c_str()), 0);
  ASSERT_EQ(std::system((assets_command() + " " + second.path.string()).c_str()), 0);
  for (const char *name : asset_file_names) {
    std::string one = file_bytes(first.path / name);
    EXPECT_FALSE(one.empty()) << name;
    EXPECT_TRUE(one == file_bytes(second.path / name)) << name << " differs between runs";
  }
}

TEST(AssetMaker, FailsWithAMessageWhenTheDirectoryCannotBeMade) {
  TempDir scratch("blocked");
  fs::create_directories(scratch.path);
  std::ofstream(scratch.path / "plain_file") << "not a directory";
  const fs::path errors = scratch.path / "stderr.txt";
  const std::string command = assets_command() + " " + (scratch.path / "plain_file" / "assets").string() +
                              " 2>" + errors.string();
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_NE(file_bytes(errors).find("zephyrun-assets: cannot create directory"), std::string::npos)
      << file_bytes(errors);
}

}  // namespace

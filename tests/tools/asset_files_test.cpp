// The asset maker draws the same five files, byte for byte, on every run: the
// packages and every build get the assets the tests saw.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "asset_maker.h"
#include "test_support.h"

TEST(AssetFiles, SameBytesOnEveryRun) {
  testing_support::start_headless_allegro(15);
  const std::string here = "/tmp/zephyrun_assets_" + std::to_string(getpid());
  std::string error;
  ASSERT_TRUE(asset_maker::write_asset_files(here, error)) << error;
  const std::string maker = ZEPHYRUN_BINARY_DIR "/zephyrun-assets";
  ASSERT_EQ(std::system((maker + " " + here + "_again").c_str()), 0);
  EXPECT_EQ(std::system(("diff -r " + here + " " + here + "_again").c_str()), 0);
  std::filesystem::remove_all(here);
  std::filesystem::remove_all(here + "_again");
}

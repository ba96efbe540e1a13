// The settings file: what a save writes and keeps, that only a change
// writes, and that a file the game cannot use costs one line and nothing else.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "controls/controls.h"
#include "settings/settings_file.h"
#include "test_support.h"
#include "window/window.h"

namespace {

std::string read_all(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Permissions do not stop root, and the suite may run as root: the game then
// reads and writes as "nobody", in a folder of that player's own.
constexpr uid_t nobody = 65534;
struct Folder {
  Folder() : dir(mkdtemp(name)), file(dir + "/zephyrun.cfg") {
    if (geteuid() == 0 && chown(name, nobody, nobody) != 0) ADD_FAILURE() << name;
  }
  ~Folder() {
    chmod(name, 0700);
    std::filesystem::remove_all(dir);
  }
  char name[32] = "/tmp/zephyrun-settings-XXXXXX";
  std::string dir, file;
};

// A game that reads every setting as start-up does, maybe changes one, and
// ends with a save.
struct Game {
  Game(const std::string &path, bool with_change) {
    testing_support::start_headless_allegro();
    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    const bool as_nobody = geteuid() == 0 && seteuid(nobody) == 0;
    file.load(path, "zephyrun");
    scale = zephyrun::scale_setting(file);
    zephyrun::read_controls(file);
    if (with_change) file.change("window", "fullscreen", "1");
    saved = file.save();
    if (as_nobody && seteuid(0) != 0) ADD_FAILURE() << "still nobody";
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    said = testing::internal::GetCapturedStderr();
  }
  zephyrun::SettingsFile file;
  int scale;
  bool saved;
  double seconds;
  std::string said;
};

TEST(SettingsFile, EveryEntryComesBackAndWhatTheGameDoesNotKnowStays) {
  Folder folder;
  // By hand, with no blank line between sections: a new [window] entry must
  // not slip into [controls], as the library would put it.
  std::ofstream(folder.file, std::ios::binary)
      << "# mine\n[window]\nscale = 2   # large\nshade = blue\n[controls]\nup = w\n"
         "[sound]\nvolume = 3 # loud\n";
  const char *const entries[][3] = {
      {"window", "scale", "auto"},   {"window", "fullscreen", "1"}, {"controls", "up", "Prior"},
      {"controls", "down", "Next"},  {"controls", "left", "a"},     {"controls", "right", "d"},
      {"controls", "fire", "Alt_L"}, {"controls", "pad_fire", "3"},
  };
  Game game(folder.file, false);
  EXPECT_EQ(game.scale, 2);
  for (const auto &entry : entries) game.file.change(entry[0], entry[1], entry[2]);
  ASSERT_TRUE(game.file.save());
  const Game again(folder.file, false);
  for (const auto &entry : entries) EXPECT_EQ(again.file.value(entry[0], entry[1]), entry[2]);
  const std::string written = read_all(folder.file);
  for (const char *kept : {"# mine\n", "scale = auto  # large\n", "volume = 3 # loud\n"})
    EXPECT_NE(written.find(kept), std::string::npos) << kept << " is gone from:\n" << written;
}

TEST(SettingsFile, OnlyAChangeWritesAndANewFileListsEverySettingWithItsComment) {
  Folder folder;
  const std::string path = folder.dir + "/new/zephyrun.cfg";
  EXPECT_TRUE(Game(path, false).saved);
  EXPECT_FALSE(std::filesystem::exists(folder.dir + "/new"));
  const Game game(path, true);
  EXPECT_EQ(game.said, "");
  const std::string written = read_all(path);
  for (const char *line : {"[window]\nscale = 1  # 1 to 4, or auto\nfullscreen = 1\n",
                           "[controls]\nup = Up  # the key that moves the ship up\n",
                           "fire = space  # ", "pad_fire = 1  # the pad button that fires"})
    EXPECT_NE(written.find(line), std::string::npos) << line << " is not in:\n" << written;
  const auto written_at = std::filesystem::last_write_time(path);
  EXPECT_TRUE(Game(path, false).saved);
  EXPECT_EQ(std::filesystem::last_write_time(path), written_at);
}

// What stands at the path, to compare before and after.
std::string state_of(const std::string &path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0) return "nothing";
  return std::to_string(status.st_mode) + (S_ISREG(status.st_mode) ? " " + read_all(path) : "");
}

TEST(SettingsFile, AFileTheGameCannotUseOrWriteCostsOneLineAndStaysAsItWas) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char &c : noise) c = static_cast<char>(random());
  const std::string three = "[window]\nscale = 3\n";
  const struct {
    std::string bytes;  // for a plain file
    mode_t file_mode, folder_mode;
    int scale;  // read from the file
  } rows[] = {
      {noise, 0644, 0700, 1},
      // The library's parser never returns from these six bytes.
      {three + "shade = \xfd\x82\xb8\xa2\xbd\xad", 0644, 0700, 1},
      {std::string(10 << 20, '#'), 0644, 0700, 1},
      {three, 0, 0700, 1},
      {"", S_IFDIR | 0755, 0700, 1},
      {"", S_IFIFO | 0644, 0700, 1},
      {three, 0644, 0555, 3},
  };
  for (const auto &[bytes, file_mode, folder_mode, scale] : rows) {
    Folder folder;
    if (S_ISDIR(file_mode)) mkdir(folder.file.c_str(), file_mode);
    if (S_ISFIFO(file_mode)) mkfifo(folder.file.c_str(), file_mode);
    if (!S_ISDIR(file_mode) && !S_ISFIFO(file_mode))
      std::ofstream(folder.file, std::ios::binary) << bytes;
    chmod(folder.file.c_str(), file_mode & 0777);
    chmod(folder.name, folder_mode);
    const std::string before = state_of(folder.file);
    const Game game(folder.file, true);
    const std::string row = before.substr(0, 30) + ": " + game.said;
    EXPECT_EQ(game.scale, scale) << row;
    EXPECT_FALSE(game.saved) << row;
    EXPECT_EQ(game.said.find("zephyrun: " + folder.file + ": "), 0u) << row;
    EXPECT_EQ(std::count(game.said.begin(), game.said.end(), '\n'), 1) << row;
    EXPECT_LT(game.seconds, 2.0) << row;
    EXPECT_EQ(state_of(folder.file), before) << row;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.dir), {}), 1) << row;
  }
}

}  // namespace

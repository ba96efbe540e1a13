// Puts the pictures into the files and formats the game reads. Every picture
// is stored at 24 bits; the game converts them to 15 bits as it loads them.
// cor.dat holds, for each of the five ship frames (objects 0, 3, 6, 9, 12), the
// frame, its shadow and a half-size copy, and the shot as object 15.
#include "asset_maker.h"

#include <filesystem>
#include <iterator>
#include <system_error>

namespace asset_maker {

namespace {

// The ship's outline in one dark colour, for a shadow on the ground.
Picture shadow_of(const Picture &ship) {
  Picture shadow(ship.w, ship.h, {}, false);
  for (int y = 0; y < ship.h; y++)
    for (int x = 0; x < ship.w; x++)
      if (ship.is_solid(x, y)) shadow.paint(x, y, {0.08f, 0.09f, 0.12f});
  return shadow;
}

bool write_datafile_of(const std::string &path, const std::vector<Picture> &frames,
                       const Picture &shot) {
  std::vector<BitmapPtr> keep;
  std::vector<DatafileBitmap> objects;
  auto add = [&](const std::string &name, const Picture &picture) {
    keep.emplace_back(picture_to_bitmap(picture));
    objects.push_back({name, keep.back().get()});
  };
  for (size_t f = 0; f < frames.size(); f++) {
    const std::string name = "SHIP_FRAME_" + std::to_string(f);
    add(name, frames[f]);
    add(name + "_SHADOW", shadow_of(frames[f]));
    add(name + "_SMALL", shrink_picture(frames[f], 2));
  }
  add("SHOT", shot);
  return write_datafile(path.c_str(), objects);
}

bool save_picture(const std::string &path, const Picture &picture) {
  BitmapPtr bmp(picture_to_bitmap(picture));
  return bmp && save_bitmap(path.c_str(), bmp.get(), nullptr) == 0;
}

}  // namespace

bool write_asset_files(const std::string &directory, std::string &error) {
  namespace fs = std::filesystem;
  std::error_code code;
  fs::create_directories(directory, code);
  if (code || !fs::is_directory(directory)) {
    error = "cannot create directory " + directory + (code ? ": " + code.message() : "");
    return false;
  }

  std::vector<Picture> frames;
  for (int f = 0; f < ship_frame_count; f++) frames.push_back(draw_ship_frame(f));
  const Picture shot = draw_shot(), ground = draw_ground(), sky = draw_sky(),
                asteroid = draw_asteroid();
  const Picture title = draw_title({sky, ground, frames.back(), asteroid, shot});

  const fs::path dir(directory);
  const std::string dat = (dir / asset_file_names[0]).string();
  if (!write_datafile_of(dat, frames, shot)) {
    error = "cannot write " + dat;
    return false;
  }
  // The files after cor.dat, in the game's loading order.
  const struct {
    const char *name;
    const Picture &picture;
  } pictures[] = {{asset_file_names[1], ground},
                  {asset_file_names[2], sky},
                  {asset_file_names[3], asteroid},
                  {asset_file_names[4], title}};
  static_assert(std::size(pictures) + 1 == std::size(asset_file_names));
  for (const auto &file : pictures) {
    const std::string path = (dir / file.name).string();
    if (!save_picture(path, file.picture)) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace asset_maker

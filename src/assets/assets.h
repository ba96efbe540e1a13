// The game's asset files: their names, the sizes their pictures may have, the
// checks of their bytes before the library reads them (assets/picture_check.cpp,
// assets/datafile_check.cpp) and the checked loading (assets/asset_loading.cpp).
#pragma once

#include "game/game.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zephyrun {

// The five files the game loads from the working directory, in loading order:
// the animation datafile, the ground texture, the sky, the asteroid, the title.
inline constexpr const char *asset_file_names[] = {"cor.dat", "terreno.tga", "cielo.bmp",
                                                   "asteroide.tga", "present.bmp"};

// The sizes a picture may have, each side from least to most. The upper
// bounds keep the library's loader, which sizes a bitmap as width x height x
// bytes a pixel in an int, and every depth it converts to, far from overflow:
// the largest, 4096 x 4096 at 4 bytes, is 64 MB.
struct PictureSize {
  int least_width, most_width, least_height, most_height;
};
// Sky and title are drawn as the whole frame.
inline constexpr PictureSize full_screen_size = {frame_width, frame_width, frame_height,
                                                 frame_height};
// The ground's rows are its depth; it is at least twice the screen wide, and
// wider only costs memory.
inline constexpr PictureSize ground_size = {1280, 16384, 200, 200};
// The actors are stretched to their drawn sizes, so any sane size does.
inline constexpr PictureSize actor_size = {1, 4096, 1, 4096};

// Loads the five files from the working directory into cors, bit, cielo,
// asteroide and prese, at the current colour depth. Returns 0, or prints one
// line on stderr and returns 1: "<program>: cannot load "<file>": " then
// where it was looked for when it is missing, or else what is wrong with it.
// The datafile needs at least 16 objects, 0, 3, 6, 9, 12 and 15 bitmaps; the
// pictures need the sizes above.
int load_assets(const char *program);

// "" when the name is a plain file we may read (assets/plain_file.cpp), else
// "it is not a plain file" or "it cannot be read: <why>". The file checks
// below ask it first.
std::string plain_file_fault(const char *name);

// Checks of untrusted asset bytes before the library reads them: "" when
// sound, else what is wrong, worded to follow "cannot load "<file>": ".
// The structure of an unpacked datafile, from its "ALL." magic on, held
// against its length: properties, object sizes, nested datafiles and the
// sizes inside the objects the library parses.
std::string datafile_fault(const unsigned char *bytes, size_t length);
// The same of a datafile file, packed or not, as the library would unpack it;
// one that unpacks to more than any datafile of ours could need is refused
// unread past that.
std::string datafile_file_fault(const char *name);
// Whether a BMP or TGA picture is of a needed size, judged from its header
// before anything else is read, and then safe for the library to load: a
// palette its tables hold, run-length codes that stay inside their rows and
// the picture, and every pixel its header promises.
std::string picture_fault(const unsigned char *bytes, size_t length, bool tga,
                          const PictureSize &needed);
// The same of a file, BMP or TGA by its name's ending; a file longer than any
// picture of the needed size can be is read only that far.
std::string picture_file_fault(const char *name, const PictureSize &needed);
// "" when width x height is a needed size, else "<w>x<h> where <size> is needed".
std::string picture_size_fault(int64_t width, int64_t height, const PictureSize &needed);

}  // namespace zephyrun

// The checked loading of the game's five asset files: each file must be there,
// be a plain file we can read, and pass its check before the library reads it;
// what the library makes of it is held to what the game needs. The first
// failure is named in one line on stderr, "<program>: cannot load "<file>": ...".
#include "assets/assets.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <iterator>
#include <string>

namespace zephyrun {

// The player's frames are objects 0, 3, 6, 9 and 12, the shot object 15.
constexpr int needed_objects = 16;

static int report_unusable_file(const char *program, const char *name, const std::string &why) {
  std::fprintf(stderr, "%s: cannot load \"%s\": %s\n", program, name, why.c_str());
  return 1;
}

static int report_missing_file(const char *program, const char *name) {
  char directory[PATH_MAX];
  if (!getcwd(directory, sizeof directory)) std::snprintf(directory, sizeof directory, ".");
  return report_unusable_file(program, name,
                              std::string("looked for it in the working directory ") + directory);
}

// Whether the file is there, readable and its bytes pass `fault_of`; if not,
// the one line saying which is already written.
template <typename FaultOf>
static bool file_usable(const char *program, const char *name, FaultOf fault_of) {
  struct stat status;
  if (stat(name, &status) != 0) {
    report_missing_file(program, name);
    return false;
  }
  std::string fault = plain_file_fault(name);
  if (fault.empty() && status.st_size == 0) fault = "it is empty";
  if (fault.empty()) fault = fault_of(name);
  if (fault.empty()) return true;
  report_unusable_file(program, name, fault);
  return false;
}

static int load_datafile_checked(const char *program, const char *name, DATAFILE **loaded) {
  if (!file_usable(program, name, datafile_file_fault)) return 1;
  if (!(*loaded = load_datafile(name)))
    return report_unusable_file(program, name, "the library could not read it");
  int count = 0;
  while ((*loaded)[count].type != DAT_END) count++;
  if (count < needed_objects)
    return report_unusable_file(
        program, name,
        std::to_string(count) + " objects where " + std::to_string(needed_objects) + " are needed");
  for (int object = 0; object < needed_objects; object += 3)
    if ((*loaded)[object].type != DAT_BITMAP)
      return report_unusable_file(program, name,
                                  "object " + std::to_string(object) + " is not a bitmap");
  return 0;
}

static int load_picture_checked(const char *program, const char *name, const PictureSize &size,
                                BITMAP **loaded) {
  const auto fault_of = [&size](const char *file) { return picture_file_fault(file, size); };
  if (!file_usable(program, name, fault_of)) return 1;
  if (!(*loaded = load_bitmap(name, colori)))
    return report_unusable_file(program, name, "the library could not read it");
  // The header said a needed size; the library's reading is held to it too.
  const std::string fault = picture_size_fault((*loaded)->w, (*loaded)->h, size);
  return fault.empty() ? 0 : report_unusable_file(program, name, fault);
}

int load_assets(const char *program) {
  // The pictures after the datafile, in the order of asset_file_names.
  const struct {
    const char *name;
    BITMAP **loaded;
    PictureSize size;
  } pictures[] = {{asset_file_names[1], &bit, ground_size},
                  {asset_file_names[2], &cielo, full_screen_size},
                  {asset_file_names[3], &asteroide, actor_size},
                  {asset_file_names[4], &prese, full_screen_size}};
  static_assert(std::size(pictures) + 1 == std::size(asset_file_names));
  if (load_datafile_checked(program, asset_file_names[0], &cors) != 0) return 1;
  for (const auto &picture : pictures)
    if (load_picture_checked(program, picture.name, picture.size, picture.loaded) != 0) return 1;
  return 0;
}

}  // namespace zephyrun

// What the settings file says of the window: its magnification, whether it
// starts in fullscreen and whether the game rests in the background. The
// command line, read elsewhere, wins over them for the run.
#include "window/window.h"

#include <strings.h>

#include "settings/settings_file.h"

namespace zephyrun {

int scale_setting(SettingsFile &file) {
  file.describe("window", "scale", "1", "1 to 4, or auto");
  const std::string scale = file.value("window", "scale");
  if (scale.empty()) return 1;
  if (strcasecmp(scale.c_str(), "auto") == 0) return 0;
  if (scale.size() == 1 && scale[0] >= '1' && scale[0] <= '4') return scale[0] - '0';
  file.complain("window", "scale", "is not 1 to 4 or auto; the scale stays 1");
  return 1;
}

// A yes-or-no entry, 1 or 0; anything else is said and the default stands.
static bool switch_setting(SettingsFile &file, const char *name, bool default_value,
                           const char *comment) {
  file.describe("window", name, default_value ? "1" : "0", comment);
  const std::string value = file.value("window", name);
  if (value == "0" || value == "1") return value == "1";
  if (!value.empty())
    file.complain("window", name,
                  std::string("is not 0 or 1; it stays ") + (default_value ? "1" : "0"));
  return default_value;
}

bool fullscreen_setting(SettingsFile &file) {
  return switch_setting(file, "fullscreen", false,
                        "1 = start in fullscreen; F11 or Alt+Enter toggles it in the game");
}

bool rest_setting(SettingsFile &file) {
  return switch_setting(file, "rest_in_background", true,
                        "0 = run on while another window has the keyboard");
}

void remember_fullscreen(SettingsFile &file, bool fullscreen) {
  file.change("window", "fullscreen", fullscreen ? "1" : "0");
  file.save();  // now, so a game that ends any other way keeps it too
}

}  // namespace zephyrun

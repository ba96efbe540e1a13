// The window's magnification as the settings file gives it; the command line,
// read elsewhere, wins over it for the run.
#include <strings.h>

#include "settings/settings_file.h"
#include "window/window.h"

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

}  // namespace zephyrun

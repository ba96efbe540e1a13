// The player's settings file, zephyrun.cfg in the XDG config folder: read
// once at start-up, written back only when the player changed something.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zephyrun {

// $XDG_CONFIG_HOME/zephyrun/zephyrun.cfg, or ~/.config/zephyrun/zephyrun.cfg
// when that variable is unset, empty or relative; empty when no home is known.
std::string settings_path();

// Larger files are refused unread: the game writes a few hundred bytes.
constexpr long settings_size_limit = 64 * 1024;

class SettingsFile {
 public:
  // Reads `path` through the library's config routines; the library must be
  // started. A missing file reads as empty. A file that cannot be used (not a
  // plain file, unreadable, over the limit, not text) is said in one line,
  // "<program>: <path>: ...", on stderr; it then reads as empty and is never
  // written. A folder we cannot write in is said in one line too; the file
  // is read all the same, and never written. The library is left reading its
  // own configuration.
  void load(const std::string &path, const char *program);

  // The entry's value without a trailing "# comment"; empty when the file has
  // no such entry or leaves it empty. Names are matched case aside.
  std::string value(const char *section, const char *name) const;
  // Says in one line why an entry is not used and what stands instead:
  // "<program>: <path>: [section] name = 'value' <problem>".
  void complain(const char *section, const char *name, const std::string &problem) const;

  // An entry the game knows: a save adds it, with this value and comment,
  // where the file lacks it, so a written file lists every setting.
  void describe(const char *section, const char *name, const std::string &value,
                const std::string &comment);
  // A setting changed from inside the game; value() gives it from now on.
  void change(const char *section, const char *name, const std::string &value);

  // Writes the changes into the file as it is on disk now, only when change()
  // was called since the last save; every other entry and comment stays. The
  // new file replaces the old one whole, so a failure leaves it byte for byte:
  // that is said in one line. False when the file does not hold the changes.
  bool save();

  struct Entry {
    std::string section, name, value, comment;
  };

 private:
  using Key = std::pair<std::string, std::string>;  // section, name, in lower case
  static Key key_of(const std::string &section, const std::string &name);
  void say(const std::string &what) const;
  bool say_unsaved(const std::string &why) const;
  std::string updated_value(const Entry &entry, const std::map<Key, std::string> &on_disk) const;
  std::vector<Entry> writes(const std::map<Key, std::string> &on_disk) const;

  std::string path_, program_ = "zephyrun";
  bool refused_ = false, unwritable_ = false;
  std::map<Key, std::string> values_;  // as the library reads them, comments and all
  std::vector<Entry> described_, changed_;
};

// Safe reading, shared by load() and save(): the file's bytes, or an empty
// result with `fault` saying why not ("" with no bytes: there is no file).
std::string read_settings_bytes(const std::string &path, std::string &fault);
// Every entry of every section as the library's config routines read `text`,
// keyed by section and name in lower case, the library's raw values.
std::map<std::pair<std::string, std::string>, std::string> library_reading(const std::string &text);
// A raw value without its trailing comment and the spaces before it, and
// that comment alone, from its '#' ("" when there is none).
std::string without_comment(const std::string &raw);
std::string comment_of(const std::string &raw);

// The game's own settings, loaded by start-up.
extern SettingsFile settings;

}  // namespace zephyrun

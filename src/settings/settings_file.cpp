// Finding and reading the settings file. The bytes are read and checked here
// before the library sees them: its config parser never returns on some bytes
// that are not UTF-8, and opening a named pipe would wait for a writer.
#include "settings/settings_file.h"

#include <allegro.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zephyrun {

SettingsFile settings;

std::string settings_path() {
  const char *config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/zephyrun/zephyrun.cfg";
  const char *home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd *user = getpwuid(getuid());
    home = user && user->pw_dir && user->pw_dir[0] == '/' ? user->pw_dir : nullptr;
  }
  return home ? std::string(home) + "/.config/zephyrun/zephyrun.cfg" : std::string();
}

static const char *kind_of(mode_t mode) {
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "something other than a file";
}

// Length of the UTF-8 character at `at`, or 0 where the bytes are no text:
// a malformed sequence, or a control character other than tab and line ends.
static size_t text_character_length(const unsigned char *at, size_t left) {
  const unsigned c = at[0];
  if (c < 0x80) return (c >= 0x20 && c != 0x7f) || c == '\t' || c == '\n' || c == '\r';
  const size_t length = c >= 0xc2 && c <= 0xdf   ? 2
                        : c >= 0xe0 && c <= 0xef ? 3
                        : c >= 0xf0 && c <= 0xf4 ? 4
                                                 : 0;
  if (length == 0 || length > left) return 0;
  for (size_t i = 1; i < length; i++)
    if ((at[i] & 0xc0) != 0x80) return 0;
  // No overlong forms, no surrogates, nothing past U+10FFFF.
  if ((c == 0xe0 && at[1] < 0xa0) || (c == 0xed && at[1] > 0x9f) || (c == 0xf0 && at[1] < 0x90) ||
      (c == 0xf4 && at[1] > 0x8f))
    return 0;
  return length;
}

// The line of the first byte that is not text, or 0 when all of it is.
static int first_line_not_text(const std::string &bytes) {
  const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
  int line = 1;
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = text_character_length(data + at, bytes.size() - at);
    if (length == 0) return line;
    if (data[at] == '\n') line++;
    at += length;
  }
  return 0;
}

static std::string size_fault(long long size) {
  return "is " + std::to_string(size) + " bytes, more than the " +
         std::to_string(settings_size_limit) + " a settings file may have";
}

std::string read_settings_bytes(const std::string &path, std::string &fault) {
  fault.clear();
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file < 0) {
    if (errno != ENOENT) fault = std::string("cannot be opened (") + std::strerror(errno) + ")";
    return {};
  }
  std::string bytes;
  struct stat status;
  if (fstat(file, &status) != 0) {
    fault = std::string("cannot be read (") + std::strerror(errno) + ")";
  } else if (S_ISDIR(status.st_mode)) {
    fault = "is a folder, not a file";
  } else if (!S_ISREG(status.st_mode)) {
    fault = std::string("is ") + kind_of(status.st_mode) + ", not a file";
  } else if (status.st_size > settings_size_limit) {
    fault = size_fault(status.st_size);
  } else {
    char block[4096];
    ssize_t got;
    while ((got = read(file, block, sizeof block)) > 0 &&
           bytes.size() <= static_cast<size_t>(settings_size_limit))
      bytes.append(block, static_cast<size_t>(got));
    if (got < 0) fault = std::string("cannot be read (") + std::strerror(errno) + ")";
    if (bytes.size() > static_cast<size_t>(settings_size_limit)) fault = size_fault(bytes.size());
  }
  close(file);
  if (fault.empty()) {
    if (const int line = first_line_not_text(bytes))
      fault =
          "is not a settings file: line " + std::to_string(line) + " holds bytes that are not text";
  }
  if (!fault.empty()) bytes.clear();
  return bytes;
}

static std::string lower_case(std::string text) {
  for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::map<std::pair<std::string, std::string>, std::string> library_reading(
    const std::string &text) {
  // A byte-order mark would hide the first section's name from the library.
  const size_t start = text.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
  std::map<std::pair<std::string, std::string>, std::string> reading;
  push_config_state();  // the library's own configuration stays underneath
  set_config_data(text.data() + start, static_cast<int>(text.size() - start));
  const char **sections = nullptr, **names = nullptr;
  const int section_count = list_config_sections(&sections);
  for (int s = 0; s < section_count; s++) {
    const std::string bracketed = sections[s];  // listed as "[name]"
    const std::string section = bracketed.substr(1, bracketed.size() - 2);
    const int name_count = list_config_entries(section.c_str(), &names);
    for (int n = 0; n < name_count; n++) {
      // Empty values read as missing, as the library's getters have them.
      if (const char *raw = get_config_string(section.c_str(), names[n], nullptr))
        reading[{lower_case(section), lower_case(names[n])}] = raw;
    }
  }
  free_config_entries(&sections);
  free_config_entries(&names);
  pop_config_state();  // from memory, so nothing is written on the way out
  return reading;
}

// The library keeps "value  # note" whole; a note begins at a '#' that
// starts the value or follows a space.
static size_t comment_start(const std::string &raw) {
  for (size_t at = 0; at < raw.size(); at++)
    if (raw[at] == '#' && (at == 0 || raw[at - 1] == ' ' || raw[at - 1] == '\t')) return at;
  return std::string::npos;
}

std::string without_comment(const std::string &raw) {
  std::string value = raw.substr(0, comment_start(raw));
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  return value;
}

std::string comment_of(const std::string &raw) {
  const size_t start = comment_start(raw);
  return start == std::string::npos ? std::string() : raw.substr(start);
}

SettingsFile::Key SettingsFile::key_of(const std::string &section, const std::string &name) {
  return {lower_case(section), lower_case(name)};
}

void SettingsFile::say(const std::string &what) const {
  std::fprintf(stderr, "%s: %s: %s\n", program_.c_str(), path_.c_str(), what.c_str());
}

// Whether we may write in the file's folder, or, where it is still to be
// made, in the nearest folder above it that exists.
static bool folder_writable(const std::string &path) {
  const size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  struct stat status;
  while (!folder.empty() && stat(folder.c_str(), &status) != 0) {
    const size_t up = folder.rfind('/');
    folder = up == std::string::npos ? "." : folder.substr(0, up);
  }
  if (folder.empty()) folder = "/";
  return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

void SettingsFile::load(const std::string &path, const char *program) {
  *this = SettingsFile();
  path_ = path;
  program_ = program;
  if (path.empty()) return;
  std::string fault;
  const std::string bytes = read_settings_bytes(path, fault);
  if (!fault.empty()) {
    refused_ = true;
    say(fault + "; playing with the default settings, and the file is left as it is");
    return;
  }
  values_ = library_reading(bytes);
  // Said now rather than at the first change, so the player knows before playing.
  if (!folder_writable(path)) {
    unwritable_ = true;
    say("its folder cannot be written, so what is changed in the game will not be kept");
  }
}

std::string SettingsFile::value(const char *section, const char *name) const {
  const auto found = values_.find(key_of(section, name));
  return found == values_.end() ? std::string() : without_comment(found->second);
}

void SettingsFile::complain(const char *section, const char *name,
                            const std::string &problem) const {
  say(std::string("[") + section + "] " + name + " = '" + value(section, name) + "' " + problem);
}

// Later calls for the same entry replace earlier ones.
static void remember(std::vector<SettingsFile::Entry> &entries, SettingsFile::Entry entry) {
  for (auto &kept : entries)
    if (lower_case(kept.section) == lower_case(entry.section) &&
        lower_case(kept.name) == lower_case(entry.name)) {
      kept = std::move(entry);
      return;
    }
  entries.push_back(std::move(entry));
}

void SettingsFile::describe(const char *section, const char *name, const std::string &value,
                            const std::string &comment) {
  remember(described_, {section, name, value, comment});
}

void SettingsFile::change(const char *section, const char *name, const std::string &value) {
  remember(changed_, {section, name, value, ""});
  values_[key_of(section, name)] = value;
}

}  // namespace zephyrun

// Writing the settings back. The library's config routines rewrite a copy
// beside the file, which is checked and then renamed over it, so a failure
// anywhere leaves the old file byte for byte.
#include <allegro.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "settings/settings_file.h"

namespace zephyrun {

bool SettingsFile::say_unsaved(const std::string &why) const {
  say("cannot save the settings: " + why + "; the file is left as it was");
  return false;
}

// The library adds a new entry after the last line of its section's block,
// and that block runs on to the next blank line: through the next section's
// header when no blank line stands before it. One is put there for it, above
// the comments that lead into that section.
static std::string sections_set_apart(const std::string &text) {
  std::vector<std::string> lines;
  const auto first_mark = [](const std::string &line) {
    const size_t at = line.find_first_not_of(" \t\r\n");
    return at == std::string::npos ? '\0' : line[at];
  };
  // A byte-order mark would read as an entry's name.
  for (size_t start = text.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(start, end - start);
    if (line.back() != '\n') line += '\n';
    if (first_mark(line) == '[') {
      size_t above = lines.size();
      while (above > 0 && first_mark(lines[above - 1]) == '#') above--;
      if (above > 0 && first_mark(lines[above - 1]) != '\0')
        lines.insert(lines.begin() + above, "\n");
    }
    lines.push_back(line);
    start = end;
  }
  std::string result;
  for (const std::string &line : lines) result += line;
  return result;
}

static std::string why_not(const char *what) {
  return std::string(what) + " (" + std::strerror(errno) + ")";
}

static bool make_folders(const std::string &folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat status;
  if (stat(folder.c_str(), &status) != 0) return false;
  errno = ENOTDIR;
  return S_ISDIR(status.st_mode);
}

static bool write_whole(int file, const std::string &bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t put = write(file, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

// The new value keeps the note the file had beside the entry, else ours.
std::string SettingsFile::updated_value(const Entry &entry,
                                        const std::map<Key, std::string> &on_disk) const {
  const Key key = key_of(entry.section, entry.name);
  const auto found = on_disk.find(key);
  std::string comment = found == on_disk.end() ? std::string() : comment_of(found->second);
  for (const Entry &known : described_)
    if (comment.empty() && key_of(known.section, known.name) == key && !known.comment.empty())
      comment = "# " + known.comment;
  return comment.empty() ? entry.value : entry.value + "  " + comment;
}

// The file's bytes in a new file beside it, with the old one's permissions;
// its name, or "" with `why` not.
static std::string write_copy(const std::string &folder, const std::string &bytes,
                              const struct stat *old, std::string &why) {
  std::string copy = folder + "/.zephyrun.cfg.XXXXXX";
  const int file = mkstemp(&copy[0]);
  if (file < 0) {
    why = why_not(("cannot write in " + folder).c_str());
    return "";
  }
  const bool written = write_whole(file, sections_set_apart(bytes)) &&
                       (!old || fchmod(file, old->st_mode & 07777) == 0);
  if (!written) why = why_not(("cannot write " + copy).c_str());
  close(file);
  if (written) return copy;
  unlink(copy.c_str());
  return "";
}

// The changes, and the known entries the file lacks: known ones first, in
// the order a new file lists them, then the rest.
std::vector<SettingsFile::Entry> SettingsFile::writes(
    const std::map<Key, std::string> &on_disk) const {
  const auto find = [](const std::vector<Entry> &entries, const Key &key) -> const Entry * {
    for (const Entry &entry : entries)
      if (key_of(entry.section, entry.name) == key) return &entry;
    return nullptr;
  };
  std::vector<Entry> result;
  for (const Entry &known : described_) {
    const Key key = key_of(known.section, known.name);
    const Entry *changed = find(changed_, key);
    if (changed || !on_disk.count(key)) result.push_back(changed ? *changed : known);
  }
  for (const Entry &entry : changed_)
    if (!find(described_, key_of(entry.section, entry.name))) result.push_back(entry);
  return result;
}

// Whether the copy reads as `expected` and has reached the disk.
static bool copy_holds(const std::string &copy,
                       const std::map<std::pair<std::string, std::string>, std::string> &expected) {
  std::string fault;
  const std::string rewritten = read_settings_bytes(copy, fault);
  const int file = open(copy.c_str(), O_RDONLY | O_CLOEXEC);
  const bool held =
      fault.empty() && library_reading(rewritten) == expected && file >= 0 && fsync(file) == 0;
  if (file >= 0) close(file);
  return held;
}

bool SettingsFile::save() {
  if (changed_.empty()) return true;
  if (refused_ || unwritable_ || path_.empty()) return false;  // said at load, or no home
  // Without a system driver the library's set_config_file reads every file as empty.
  if (!system_driver) return say_unsaved("the library is not started");
  std::string target = path_;
  struct stat status;
  if (lstat(path_.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    char resolved[PATH_MAX];
    if (!realpath(path_.c_str(), resolved)) return say_unsaved(why_not("its link leads nowhere"));
    target = resolved;
  }
  // The file as it is now, with whatever was written into it during the game.
  std::string fault;
  const std::string bytes = read_settings_bytes(target, fault);
  if (!fault.empty()) return say_unsaved("it " + fault);
  const bool existed = stat(target.c_str(), &status) == 0;
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  if (!make_folders(folder))
    return say_unsaved(why_not(("cannot make the folder " + folder).c_str()));

  std::string why;
  const std::string copy = write_copy(folder, bytes, existed ? &status : nullptr, why);
  if (copy.empty()) return say_unsaved(why);

  const std::map<Key, std::string> on_disk = library_reading(bytes);
  std::map<Key, std::string> expected = on_disk;
  push_config_state();
  set_config_file(copy.c_str());
  for (const Entry &entry : writes(on_disk)) {
    const std::string raw = updated_value(entry, on_disk);
    set_config_string(entry.section.c_str(), entry.name.c_str(), raw.c_str());
    expected[key_of(entry.section, entry.name)] = raw;
  }
  flush_config_file();
  pop_config_state();

  // The library says nothing when it cannot write: read its copy back.
  const bool kept = copy_holds(copy, expected);
  if (!kept || rename(copy.c_str(), target.c_str()) != 0) {
    why = kept ? why_not(("cannot replace it by " + copy).c_str())
               : "the library's rewrite of " + copy + " lost entries";
    unlink(copy.c_str());
    return say_unsaved(why);
  }
  changed_.clear();
  return true;
}

}  // namespace zephyrun

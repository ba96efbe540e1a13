// Whether an asset's name names a plain file we may read, asked before any
// reader opens it: a folder opens as if it were an empty file, a named pipe
// would keep its reader waiting for a writer, and the library's packfile layer
// calls every failure to open a bad file.
#include "assets/assets.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zephyrun {

std::string plain_file_fault(const char *name) {
  struct stat status;
  if (stat(name, &status) != 0) return std::string("it cannot be read: ") + std::strerror(errno);
  if (!S_ISREG(status.st_mode)) return "it is not a plain file";
  const int file = open(name, O_RDONLY | O_CLOEXEC);
  if (file < 0) return std::string("it cannot be read: ") + std::strerror(errno);
  close(file);
  return "";
}

}  // namespace zephyrun

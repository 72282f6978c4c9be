// The environment and file-existence stand-ins over the C library.
#include "ZYNSystem.h"

#include <cstdlib>
#include <sys/stat.h>

const char *ZYNGetEnv(const char *name) { return std::getenv(name); }

int ZYNFileAccess(const char *path, int /*mode*/) {
  struct stat info;
  return path && stat(path, &info) == 0 ? 0 : -1;
}

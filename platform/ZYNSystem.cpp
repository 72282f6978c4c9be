// The environment and file-existence stand-ins over the C library.
#include "ZYNSystem.h"

#include <cstdlib>
#include <sys/stat.h>

const char *ZYNGetEnv(const char *name) { return std::getenv(name); }

int ZYNFileAccess(const char *path, int /*mode*/) {
  struct stat info;
  return path && stat(path, &info) == 0 ? 0 : -1;
}

ZYNFileKind ZYNGetFileKind(const char *path) {
  if (!path) return ZYNFileKind::Missing;
#if defined(_WIN32)
  struct _stat64 info;  // sizes past 2 GB do not make a file unknown
  if (_stat64(path, &info) != 0) return ZYNFileKind::Missing;
  int type = info.st_mode & _S_IFMT;
  if (type == _S_IFREG) return ZYNFileKind::Regular;
  return type == _S_IFDIR ? ZYNFileKind::Directory : ZYNFileKind::Other;
#else
  struct stat info;
  if (stat(path, &info) != 0) return ZYNFileKind::Missing;
  if (S_ISREG(info.st_mode)) return ZYNFileKind::Regular;
  return S_ISDIR(info.st_mode) ? ZYNFileKind::Directory : ZYNFileKind::Other;
#endif
}

// Files by descriptor over the C library of each platform: POSIX calls, or on Windows the CRT's
// descriptor calls with SetEndOfFile, FlushFileBuffers and MoveFileExA on their handles (narrow
// names, as the library's streams take them).
#if !defined(_WIN32) && !defined(_FILE_OFFSET_BITS)
#define _FILE_OFFSET_BITS 64  // 64-bit lengths on 32-bit POSIX systems too
#endif

#include "ZYNFile.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#if defined(_WIN32)
using Status = struct _stat64;
bool StatusOf(const char *path, Status &status) { return _stat64(path, &status) == 0; }
bool StatusOf(int fd, Status &status) { return _fstat64(fd, &status) == 0; }
bool IsRegularMode(unsigned mode) { return (mode & _S_IFMT) == _S_IFREG; }

int OpenFile(const char *path, int flags) {
  int fd = -1;
  errno_t error = _sopen_s(&fd, path, flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
  if (error == 0) return fd;
  errno = error;
  return -1;
}
bool NameTaken() { return errno == EEXIST; }
constexpr int kRead = _O_RDONLY, kAppend = _O_RDWR | _O_APPEND, kCreateNew = _O_RDWR | _O_CREAT | _O_EXCL;
#else
using Status = struct stat;
bool StatusOf(const char *path, Status &status) { return stat(path, &status) == 0; }
bool StatusOf(int fd, Status &status) { return fstat(fd, &status) == 0; }
bool IsRegularMode(mode_t mode) { return S_ISREG(mode); }

// O_NONBLOCK: opening a FIFO or a device waits for nothing (the kind is tested first; this
// covers a name swapped in between). It changes nothing for a regular file.
int OpenFile(const char *path, int flags) {
  int fd;
  do fd = open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  return fd;
}
bool NameTaken() { return errno == EEXIST; }
constexpr int kRead = O_RDONLY, kAppend = O_RDWR | O_APPEND, kCreateNew = O_RDWR | O_CREAT | O_EXCL;
#endif

}  // namespace

ZYNFileKind ZYNKindOf(const char *path) {
  Status status;
  if (!path) return ZYNFileKind::Other;
  if (!StatusOf(path, status)) return errno == ENOENT ? ZYNFileKind::Missing : ZYNFileKind::Other;
  return IsRegularMode(status.st_mode) ? ZYNFileKind::Regular : ZYNFileKind::Other;
}

bool ZYNFile::OpenForReading(const char *path) {
  Close();
  _Fd = OpenFile(path, kRead);
  return _Fd >= 0;
}

bool ZYNFile::OpenForAppending(const char *path) {
  Close();
  _Fd = OpenFile(path, kAppend);
  return _Fd >= 0;
}

ZYNCreation ZYNFile::CreateNew(const char *path) {
  Close();
  // O_EXCL also refuses a link under the name, even one that points nowhere.
  _Fd = OpenFile(path, kCreateNew);
  if (_Fd >= 0) return ZYNCreation::Created;
  return NameTaken() ? ZYNCreation::NameTaken : ZYNCreation::Failed;
}

bool ZYNFile::IsRegular() const {
  Status status;
  return _Fd >= 0 && StatusOf(_Fd, status) && IsRegularMode(status.st_mode);
}

bool ZYNFile::Length(ZYNFileSize &length) const {
  Status status;
  if (_Fd < 0 || !StatusOf(_Fd, status)) return false;
  length = static_cast<ZYNFileSize>(status.st_size);
  return true;
}

#if defined(_WIN32)

bool ZYNFile::Read(char *buffer, std::size_t size, std::size_t &got) {
  int count = _read(_Fd, buffer, static_cast<unsigned>(size < 0x40000000 ? size : 0x40000000));
  got = count > 0 ? static_cast<std::size_t>(count) : 0;
  return count >= 0;
}

bool ZYNFile::ReadByteAt(ZYNFileSize offset, char &byte) {
  return _lseeki64(_Fd, offset, SEEK_SET) == offset && _read(_Fd, &byte, 1) == 1;
}

bool ZYNFile::Write(const char *data, std::size_t size) {
  while (size > 0) {
    int count = _write(_Fd, data, static_cast<unsigned>(size < 0x40000000 ? size : 0x40000000));
    if (count <= 0) return false;
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

namespace {
// The system's calls on the descriptor's handle: every length is 64-bit, also in a 32-bit process.
HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }
}  // namespace

bool ZYNFile::Truncate(ZYNFileSize length) {
  HANDLE handle = HandleOf(_Fd);
  LARGE_INTEGER end;
  end.QuadPart = length;
  return handle != INVALID_HANDLE_VALUE && SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

bool ZYNFile::Sync() {
  HANDLE handle = HandleOf(_Fd);
  return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

bool ZYNFile::Close() {
  if (_Fd < 0) return true;
  int result = _close(_Fd);
  _Fd = -1;
  return result == 0;
}

bool ZYNRemoveFile(const char *path) { return std::remove(path) == 0; }

bool ZYNReplaceFile(const char *from, const char *to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

#else

bool ZYNFile::Read(char *buffer, std::size_t size, std::size_t &got) {
  ssize_t count;
  do count = read(_Fd, buffer, size);
  while (count < 0 && errno == EINTR);
  got = count > 0 ? static_cast<std::size_t>(count) : 0;
  return count >= 0;
}

bool ZYNFile::ReadByteAt(ZYNFileSize offset, char &byte) {
  ssize_t count;
  do count = pread(_Fd, &byte, 1, static_cast<off_t>(offset));
  while (count < 0 && errno == EINTR);
  return count == 1;
}

bool ZYNFile::Write(const char *data, std::size_t size) {
  while (size > 0) {
    ssize_t count = write(_Fd, data, size);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool ZYNFile::Truncate(ZYNFileSize length) {
  int result;
  do result = ftruncate(_Fd, static_cast<off_t>(length));
  while (result < 0 && errno == EINTR);
  return result == 0;
}

bool ZYNFile::Sync() {
  int result;
  do result = fsync(_Fd);
  while (result < 0 && errno == EINTR);
  return result == 0;
}

bool ZYNFile::Close() {
  if (_Fd < 0) return true;
  // Not retried on EINTR: the descriptor is released whatever close reports.
  int result = close(_Fd);
  _Fd = -1;
  return result == 0;
}

bool ZYNRemoveFile(const char *path) { return unlink(path) == 0; }

bool ZYNReplaceFile(const char *from, const char *to) { return std::rename(from, to) == 0; }

#endif

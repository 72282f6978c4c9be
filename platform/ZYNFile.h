// Files by descriptor, for the changes the library makes all or nothing: the kind of a name
// before it is opened, exclusive creation, cutting a file back to a length, flushing it to the
// disk and renaming over a name. Lengths are 64-bit on every platform.
#ifndef ZYNFile_h
#define ZYNFile_h

#include <cstddef>
#include <cstdint>

using ZYNFileSize = std::int64_t;

// What a name designates, links followed: nothing, a regular file, or anything else (a
// directory, a FIFO, a device, or a name that cannot be looked at).
enum class ZYNFileKind { Missing, Regular, Other };
ZYNFileKind ZYNKindOf(const char *path);

// Outcome of an exclusive creation: the name was already taken (by a file, a directory or a
// link, followed or not), or creation failed for another reason.
enum class ZYNCreation { Created, NameTaken, Failed };

// One open file. No open ever waits: a FIFO or a device is refused or shows as not regular.
class ZYNFile {
 public:
  ZYNFile() = default;
  ~ZYNFile() { Close(); }
  ZYNFile(const ZYNFile &) = delete;
  ZYNFile &operator=(const ZYNFile &) = delete;

  bool OpenForReading(const char *path);
  // An existing file, readable, every write going to its end.
  bool OpenForAppending(const char *path);
  // A new file under path, with the permissions a newly written file gets (0666 less the
  // umask on POSIX), readable and writable.
  ZYNCreation CreateNew(const char *path);

  bool IsOpen() const { return _Fd >= 0; }
  bool IsRegular() const;
  bool Length(ZYNFileSize &length) const;
  // Up to size bytes from the current position; got is 0 at the end of the file.
  bool Read(char *buffer, std::size_t size, std::size_t &got);
  // The byte at offset, the position of later reads and writes aside.
  bool ReadByteAt(ZYNFileSize offset, char &byte);
  // All size bytes, or false.
  bool Write(const char *data, std::size_t size);
  bool Truncate(ZYNFileSize length);
  // Down to the disk, so that a power cut does not take it back.
  bool Sync();
  // False when closing reports an error; the descriptor is released either way.
  bool Close();

 private:
  int _Fd = -1;
};

bool ZYNRemoveFile(const char *path);
// Renames from to to, replacing a file or a link of that name (the link is not followed).
bool ZYNReplaceFile(const char *from, const char *to);

#endif

// UpdatePresent: the append of line files by which a setup program adds a medium's entries to
// the installed catalogue. It is all or nothing: whenever it does not return 0 the target is as
// it was (one it created is removed again), since a catalogue cut in the middle of a line is
// refused whole and the installation then reads as empty.
//   -1  the target cannot be opened for appending, is not a regular file, or cannot take the
//       append (a failed write, flush to the disk or close);
//   -2  the source cannot be opened, is not a regular file, or fails while read.
// When both files hold something and the target's last line has no line end, one '\n' goes
// first, so that the first appended line does not end up inside the last old one. The source
// is copied as long as it was when the call began: appended to itself, a file doubles once.
#include "ZYNFile.h"
#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNSystem.h"

namespace {

constexpr int kTargetFailed = -1;
constexpr int kSourceFailed = -2;

bool RegularOrMissing(ZYNFileKind kind) { return kind == ZYNFileKind::Regular || kind == ZYNFileKind::Missing; }

// The target while it is appended to: its length noted before anything is written, and put
// back to it (or removed, when the call created it) unless the append is kept.
class AppendTarget {
 public:
  explicit AppendTarget(const char *name) : _Name(name) {}
  ~AppendTarget() {
    if (!_Kept) PutBack();
  }
  AppendTarget(const AppendTarget &) = delete;
  AppendTarget &operator=(const AppendTarget &) = delete;

  // Opens the target, created empty when it does not exist. The kind is tested first: a FIFO
  // or a device is refused before it is opened.
  bool Open() {
    if (!_Name || !RegularOrMissing(ZYNGetFileKind(_Name))) return false;
    if (!_File.OpenForAppending(_Name)) {
      if (ZYNGetFileKind(_Name) != ZYNFileKind::Missing || _File.CreateNew(_Name) != ZYNCreation::Created) return false;
      _Created = true;
    }
    return _File.IsRegular() && _File.Length(_Length);
  }

  bool IsEmpty() const { return _Length == 0; }
  bool LastByte(char &last) { return _File.ReadByteAt(_Length - 1, last); }

  bool Append(const char *data, std::size_t size) {
    _Written = true;
    return _File.Write(data, size);
  }

  // Flushes the append to the disk and closes the target; false puts it back.
  bool Keep() {
    if (!_File.Sync() || !_File.Close()) return false;
    _Kept = true;
    return true;
  }

 private:
  // If this fails too, the target keeps its old bytes and part of the appended ones.
  void PutBack() {
    if (_Created) {
      _File.Close();
      ZYNRemoveFile(_Name);
      return;
    }
    if (!_Written) return;  // not even its time stamps change
    if (_File.IsOpen() || _File.OpenForAppending(_Name)) {
      _File.Truncate(_Length);
      _File.Sync();
    }
    _File.Close();
  }

  const char *const _Name;
  ZYNFile _File;
  ZYNFileSize _Length = 0;
  bool _Created = false;
  bool _Written = false;
  bool _Kept = false;
};

bool OpenSource(ZYNFile &source, const char *name, ZYNFileSize &length) {
  return name && ZYNGetFileKind(name) == ZYNFileKind::Regular && source.OpenForReading(name) && source.IsRegular() &&
         source.Length(length);
}

int AppendFile(const char *target, const char *source) {
  AppendTarget out(target);
  if (!out.Open()) return kTargetFailed;
  ZYNFile in;
  ZYNFileSize left = 0;
  if (!OpenSource(in, source, left)) return kSourceFailed;

  if (left > 0 && !out.IsEmpty()) {
    char last = '\0';
    if (!out.LastByte(last)) return kTargetFailed;
    if (last != '\n' && !out.Append("\n", 1)) return kTargetFailed;
  }
  char buffer[16384];
  while (left > 0) {
    std::size_t got = 0;
    std::size_t wanted = left < static_cast<ZYNFileSize>(sizeof buffer) ? static_cast<std::size_t>(left) : sizeof buffer;
    if (!in.Read(buffer, wanted, got)) return kSourceFailed;
    if (got == 0) break;  // the source became shorter meanwhile: what it holds now is copied
    if (!out.Append(buffer, got)) return kTargetFailed;
    left -= static_cast<ZYNFileSize>(got);
  }
  return out.Keep() ? 0 : kTargetFailed;
}

}  // namespace

// A failure the append cannot report itself counts as the target's: the target's guard has put it back.
extern "C" int ZYNTOC_CALL UpdatePresent(char *target, char *source) {
  return ZYNINSGuarded(kTargetFailed, [&] { return AppendFile(target, source); });
}

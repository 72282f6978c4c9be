// What the fuzz targets share: a private working directory, the input cut into parts,
// names and choices taken from it, and the library's diagnostics collected per input.
#ifndef FuzzSupport_h
#define FuzzSupport_h

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Every fuzz target defines this one entry point; libFuzzer and the replay driver call it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace zynfuzz {

// Stops the run with a message when a property every input must keep does not hold.
void Require(bool holds, const char *what);

// The process's private directory, emptied and made the working directory for one input
// (the library writes "prereq", "ifreq" and "to_remove" into the working directory); the
// previous working directory is restored at the end of the input. Removed at exit. It is
// made under the system's temporary folder, never in memory-backed storage, and the first
// one caps every file the process writes at 64 MB (a write beyond fails).
class PrivateWorkDir {
 public:
  PrivateWorkDir();
  ~PrivateWorkDir();
  PrivateWorkDir(const PrivateWorkDir &) = delete;
  PrivateWorkDir &operator=(const PrivateWorkDir &) = delete;
  const std::string &Path() const { return _Path; }

 private:
  const std::string &_Path;
  std::string _Previous;
};

// Writes text to path (relative to the working directory), creating its directory.
void WriteFile(const std::string &path, const std::string &text);

// The input cut at lines holding "%%" alone into `count` parts; parts beyond the
// input are empty, and the last part keeps any further "%%" lines.
std::vector<std::string> SplitParts(const uint8_t *data, size_t size, size_t count);

// The words of text (cut at white space, ':' and '/') that fit a 32-byte name, at most `max`.
std::vector<std::string> NamesIn(const std::string &text, size_t max);

// The names as the library's request arrays take them: 32 bytes each, NUL-padded.
std::unique_ptr<char[][32]> NameArray(const std::vector<std::string> &names);

// Choices read byte by byte from a text; an exhausted reader gives zeros.
class ByteReader {
 public:
  explicit ByteReader(const std::string &bytes) : _Bytes(bytes) {}
  bool Done() const { return _Next >= _Bytes.size(); }
  unsigned Byte() { return Done() ? 0 : static_cast<unsigned char>(_Bytes[_Next++]); }
  // An index around a list of `count` items, a few of them outside it on either side.
  int Index(int count) { return static_cast<int>(Byte() % (count + 4)) - 2; }
  // Up to `max` bytes as a text.
  std::string Text(size_t max);

 private:
  const std::string &_Bytes;
  size_t _Next = 0;
};

// A stream that drops what is written to it (listings would only fill memory).
std::ostream &Discard();

// A new diagnostic collection, as the flat interface starts one before each operation.
void ResetDiagnostics();
// Fetches the diagnostics collected since the reset and reads them through to their end.
void FetchDiagnostics();

}  // namespace zynfuzz

#endif

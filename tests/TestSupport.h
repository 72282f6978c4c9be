// Shared helpers of the test programs.
#ifndef TestSupport_h
#define TestSupport_h

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Runs each test in a fresh temporary directory (the library writes files into the
// working directory) with diagnostics collected into a fresh message buffer and no
// message catalogue on the search path.
class TocTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes text to a file below the temporary directory; returns its path.
  std::string WriteFile(const std::string &name, const std::string &text);
  // The diagnostics collected since the last reset; starts a new collection.
  std::string TakeDiagnostics();
  // Diagnostics from here on use the message catalogue of tests/data/msg/folder.
  void UseMessageCatalogue(const std::string &folder);
  // The directory of the test.
  const std::string &Dir() const { return _Dir; }

 private:
  std::string _Dir;
  std::string _OldCwd;
};

// One TOC line, built field by field; the fields left alone keep neutral values
// (no lists, size 10, a fixed time stamp, OS LNX, GA R1, level 0, label "label of NAME"):
//   TocLine("code", "FIX", "FIXA").Prereqs("BASE ").Size(2)
// A media line carries its prefix: .OnMedia(sequence number[, medium size]).
class TocLine {
 public:
  TocLine(std::string type, std::string pkg, std::string name);
  TocLine &Supersedes(std::string names) { return Set(_Supersedes, std::move(names)); }
  TocLine &Prereqs(std::string names) { return Set(_Prereqs, std::move(names)); }
  TocLine &Ifreqs(std::string pairs) { return Set(_Ifreqs, std::move(pairs)); }
  TocLine &Size(unsigned long long size) { return Set(_Size, std::to_string(size)); }
  TocLine &Timestamp(std::string stamp) { return Set(_Timestamp, std::move(stamp)); }
  TocLine &OS(std::string os) { return Set(_OS, std::move(os)); }
  TocLine &GA(std::string ga) { return Set(_GA, std::move(ga)); }
  TocLine &Level(int level) { return Set(_Level, std::to_string(level)); }
  TocLine &Label(std::string label) { return Set(_Label, std::move(label)); }
  TocLine &OnMedia(int number, unsigned long long mediaSize = 0);
  // The line with its newline.
  std::string Text() const;
  operator std::string() const { return Text(); }

 private:
  TocLine &Set(std::string &field, std::string value) {
    field = std::move(value);
    return *this;
  }
  std::string _Prefix, _Type, _Pkg, _Name, _Supersedes, _Prereqs, _Ifreqs,
      _Size = "10", _Timestamp = "20240101000000", _OS = "LNX", _GA = "R1", _Level = "0", _Label;
};
inline std::string operator+(const std::string &text, const TocLine &line) { return text + line.Text(); }
inline std::string operator+(const TocLine &line, const std::string &text) { return line.Text() + text; }
inline std::string operator+(const TocLine &a, const TocLine &b) { return a.Text() + b.Text(); }

// A name list of count numbered names: "STEM0 STEM1 ... ".
std::string NumberedNames(const std::string &stem, int count);

// Unit names as the library takes them: zero-filled 32-byte fields, with one spare
// field so that the block is never empty.
class NameFields {
 public:
  explicit NameFields(const std::vector<std::string> &names);
  // count copies of one name.
  NameFields(const std::string &name, unsigned int count);
  char (*Fields())[32] { return reinterpret_cast<char(*)[32]>(_Bytes.data()); }
  unsigned int Count() const { return _Count; }

 private:
  std::vector<char> _Bytes;
  unsigned int _Count;
};

// Content of a file, or "<missing>" when it cannot be read.
std::string ReadFile(const std::string &path);
// The names a directory holds, sorted: shows that a call left nothing behind.
std::vector<std::string> NamesIn(const std::string &dir);
// Path of a file kept under tests/data.
std::string DataPath(const std::string &relative);
// The names (without the extension) of the files under tests/data/folder with that
// extension, sorted: a new scenario is a new file.
std::vector<std::string> DataNames(const std::string &folder, const std::string &extension);

// Update mode (see tests/README.md): with ZYNTOC_UPDATE_EXPECTED set, expected results
// are rewritten from the run instead of compared.
bool UpdatingExpected();
// Compares actual with the expected file, or rewrites the file in update mode.
void ExpectFileContent(const std::string &path, const std::string &actual);

// The path the library composes for a file of an installation's control directory.
std::string ControlPath(const std::string &root, const std::string &name);

// The test process's environment. On Windows an empty value removes the variable.
void SetEnv(const std::string &name, const std::string &value);
void UnsetEnv(const std::string &name);
// Separates the directories of a search path such as ZYNTOC_MSGPATH.
#if defined(_WIN32)
constexpr char kPathListSeparator = ';';
#else
constexpr char kPathListSeparator = ':';
#endif

#endif

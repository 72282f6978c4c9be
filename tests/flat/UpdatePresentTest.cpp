// UpdatePresent, the append of line files, is all or nothing: each row puts a target and a
// source in some state and compares the target byte for byte after the call.
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <utility>

#include "ChildProcess.h"
#include "TestSupport.h"
#include "ZYNINSFlat.h"

namespace {

namespace fs = std::filesystem;

// What a name holds before the call.
enum class Holds { Nothing, Bytes, Directory, Fifo, FullDevice, MissingParent, TheTarget };

struct Side {
  Side(Holds h, std::string b = "") : holds(h), bytes(std::move(b)) {}
  Holds holds;
  std::string bytes;
};

struct Row {
  Row(const char *w, Side t, Side s, int r, std::string a = "")
      : what(w), target(std::move(t)), source(std::move(s)), result(r), after(std::move(a)) {}
  const char *what;
  Side target, source;
  int result;
  std::string after;  // the target's bytes after a success; a failure leaves it as it was
};

// CR LF, a Ctrl-Z (end of file to a text-mode reader on Windows) and a NUL are copied unchanged.
const std::string kOddBytes = std::string("any: text\r\n\x1A") + '\0' + "\nnot parsed\n";

const Row kRows[] = {
    {"the source follows the old lines", {Holds::Bytes, "old\n"}, {Holds::Bytes, kOddBytes}, 0, "old\n" + kOddBytes},
    {"a line end goes first when the last line has none", {Holds::Bytes, "old"}, {Holds::Bytes, "new\n"}, 0,
     "old\nnew\n"},
    {"an empty source adds nothing, not even a line end", {Holds::Bytes, "old"}, {Holds::Bytes, ""}, 0, "old"},
    {"an empty target takes the source as it is", {Holds::Bytes, ""}, {Holds::Bytes, "new"}, 0, "new"},
    {"a missing target is created with the source", {Holds::Nothing}, {Holds::Bytes, "new\n"}, 0, "new\n"},
    {"a file appended to itself doubles once", {Holds::Bytes, "old\n"}, {Holds::TheTarget}, 0, "old\nold\n"},
    {"a file appended to itself has its last line ended first", {Holds::Bytes, "old"}, {Holds::TheTarget}, 0,
     "old\nold"},
    {"a missing source leaves the target", {Holds::Bytes, "old"}, {Holds::Nothing}, -2},
    {"a missing source creates no target", {Holds::Nothing}, {Holds::Nothing}, -2},
    {"a directory as source", {Holds::Bytes, "old"}, {Holds::Directory}, -2},
    {"a directory as source creates no target", {Holds::Nothing}, {Holds::Directory}, -2},
    {"a FIFO as source", {Holds::Bytes, "old"}, {Holds::Fifo}, -2},
    {"a target in a missing directory", {Holds::MissingParent}, {Holds::Bytes, "new"}, -1},
    {"a target that cannot be opened comes before a missing source", {Holds::MissingParent}, {Holds::Nothing}, -1},
    {"a directory as target", {Holds::Directory}, {Holds::Bytes, "new"}, -1},
    {"a FIFO as target, refused without waiting for a reader", {Holds::Fifo}, {Holds::Bytes, "new"}, -1},
    {"the full device as target", {Holds::FullDevice}, {Holds::Bytes, "new"}, -1},
};

class UpdatePresentTest : public TocTest {
 protected:
  // Puts name in the state side describes; gives its path, or "" where the platform has no such thing.
  std::string Make(const std::string &name, const Side &side, const std::string &target) {
    std::string path = Dir() + "/" + name;
    switch (side.holds) {
      case Holds::Nothing:
        return path;
      case Holds::Bytes:
        return WriteFile(name, side.bytes);
      case Holds::Directory:
        fs::create_directory(path);
        return path;
      case Holds::MissingParent:
        return Dir() + "/no/such/dir/" + name;
      case Holds::TheTarget:
        return target;
      case Holds::Fifo:
#if defined(_WIN32)
        return "";
#else
        return mkfifo(path.c_str(), 0666) == 0 ? path : "";
#endif
      case Holds::FullDevice:
        return fs::exists("/dev/full") ? "/dev/full" : "";
    }
    return "";
  }
};

// What a name holds, for comparing before and after.
std::string StateOf(const std::string &path) {
  std::error_code error;
  fs::file_status status = fs::symlink_status(path, error);
  if (fs::is_directory(status)) return "<directory>";
  if (fs::is_fifo(status)) return "<fifo>";
  if (fs::is_character_file(status)) return "<device>";
  return ReadFile(path);
}

TEST_F(UpdatePresentTest, EveryFailureLeavesTheTargetAsItWas) {
  int n = 0;
  for (const Row &row : kRows) {
    SCOPED_TRACE(row.what);
    std::string suffix = std::to_string(++n);
    std::string target = Make("target" + suffix, row.target, "");
    std::string source = Make("source" + suffix, row.source, target);
    if (target.empty() || source.empty()) continue;  // no FIFO or full device on this platform
    std::string before = StateOf(target);
    EXPECT_EQ(UpdatePresent(&target[0], &source[0]), row.result);
    EXPECT_EQ(StateOf(target), row.result == 0 ? row.after : before);
  }
  char name[] = "target";
  EXPECT_EQ(UpdatePresent(nullptr, name), -1);
  EXPECT_EQ(UpdatePresent(name, nullptr), -2);
  EXPECT_FALSE(fs::exists(name));
}

TEST_F(UpdatePresentTest, AnAppendCutByTheFileSizeLimitIsTakenBack) {
#if defined(_WIN32)
  GTEST_SKIP() << "a file-size limit is a POSIX resource limit";
#else
  const std::string old = "code:PRD:OLD::::1:20240101000000:lnx:R1:0:last line without its end:";
  std::string lines;
  while (lines.size() < 64 * 1024) lines += "code:PRD:NEW::::1:20240101000000:lnx:R1:0:one more line:\n";
  std::string source = WriteFile("source", lines);
  std::string target = WriteFile("target", old);
  std::string created = Dir() + "/created";
  // The limit stops the append in the middle of the source; the line end put first goes too.
  for (std::string *path : {&target, &created}) {
    std::string before = StateOf(*path);
    EXPECT_EQ(RunInChild([&] {
                LimitFileSize(32 * 1024);
                return UpdatePresent(&(*path)[0], &source[0]);
              }),
              -1);
    std::string after = StateOf(*path);
    EXPECT_TRUE(after == before) << "the target now holds " << after.size() << " bytes";
  }
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(128 * 1024);
              return UpdatePresent(&target[0], &source[0]);
            }),
            0);
  EXPECT_TRUE(ReadFile(target) == old + "\n" + lines);
#endif
}

}  // namespace

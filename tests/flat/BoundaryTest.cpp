// Nothing crosses the library's boundary: no file, shortage of memory or exception thrown by a
// caller's own stream, observer or handler ends the calling program, blocks it or grows it
// without bound. Each gives the operation's failure result.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "FlatTestSupport.h"
#include "MaxScaleCatalogues.h"
#include "ZYNINSExplain.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

namespace {

// What loading makes of a file: the entry count, then the diagnostics.
template <class Toc>
std::string Loaded(const std::string &path) {
  std::string name = path;
  std::unique_ptr<Toc> toc(new Toc(&name[0]));
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  std::string result = std::to_string(toc->GetNbToc()) + " " + (text ? text : "");
  ZYNINSToc::sResetInfoMsg(nullptr);
  return result;
}

unsigned int PlanMedium(const ZYNINSMediaToc &medium, NameFields &&names) {
  unsigned int count = 0;
  char(*list)[32] = nullptr;
  unsigned int size = medium.GetSize(names.Fields(), names.Count(), ZYNINSCode, 0, &count, list, nullptr);
  delete[] list;
  return size;
}

// A catalogue derived by a caller that prepares its table with the stream member Init: the
// entry count it gets.
std::string InitLoaded(const std::string &path) {
  class InitToc : public ZYNINSToc {
   public:
    explicit InitToc(std::string name) {
      std::ifstream file;
      Init(&name[0], file);
    }
  };
  int lines = InitToc(path).GetNbToc();
  ZYNINSToc::sResetInfoMsg(nullptr);
  return std::to_string(lines);
}

// The first finding of the catalogue checks.
std::string FirstFinding(const std::string &path) {
  ZYNINSLintReport report = ZYNINSLintFile(path.c_str(), ZYNINSLintGuess);
  return report.Findings.empty() ? "no finding" : report.Findings.front().Message;
}

std::string OpenError(const std::string &path) { return "ZYNINSToc::Init  unable to open file " + path + "\n\n"; }

// The text the message box was last asked to show.
std::string LastShown() {
  const std::vector<std::wstring> &shown = FlatTestShown();
  return shown.empty() ? "" : std::string(shown.back().begin(), shown.back().end());
}

#if !defined(_WIN32)
// Allows the process the address space it has now and room bytes more, as a 32-bit process
// whose 2 GB are nearly taken would have; false where the process cannot tell its size.
bool LimitAddressSpace(unsigned long long room) {
  std::ifstream statm("/proc/self/statm");
  unsigned long long pages = 0;
  if (!(statm >> pages)) return false;
  rlimit limit;
  limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + room);
  return setrlimit(RLIMIT_AS, &limit) == 0;
}

constexpr unsigned long long kMiB = 1ULL << 20;

// A TOC file whose one line ends in a label of mib MiB zero bytes; sparse, so cheap to make.
std::string WriteHugeLabel(const std::string &path, const std::string &fields, unsigned long long mib) {
  std::ofstream(path, std::ios::binary) << fields;
  std::filesystem::resize_file(path, fields.size() + mib * kMiB);
  return path;
}
#endif

}  // namespace

using BoundaryTest = FlatTest;

TEST_F(BoundaryTest, FilesThatAreNoRegularFilesAreRefusedUnread) {
  // Each of them would block the open (a FIFO), block the first read (the console) or never
  // end (/dev/zero, /dev/urandom), or read as an empty catalogue (/dev/null, NUL). Where there
  // is fork, in a child process, so that a regression cannot take the test program with it;
  // outside the sanitizers its address space is bounded too.
  struct Row {
    std::string path;
    std::string lintReason;  // empty: whatever the system says
  };
#if defined(_WIN32)
  const Row rows[] = {{"NUL", ""}, {"CON", ""}, {Dir(), std::strerror(EISDIR)}};
  auto isolated = [](const std::function<std::string()> &work) { return work(); };
#else
  std::string fifo = Dir() + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Row rows[] = {{"/dev/zero", "not a regular file"},
                      {"/dev/urandom", "not a regular file"},
                      {"/dev/null", "not a regular file"},
                      {fifo, "not a regular file"},
                      {Dir(), std::strerror(EISDIR)}};
  auto isolated = [](const std::function<std::string()> &work) {
    return RunInChild([&] {
      if (!kUnderAddressSanitizer) LimitAddressSpace(512 * kMiB);
      return work();
    });
  };
#endif
  for (const Row &row : rows) {
    const std::string &path = row.path;
    std::string got = isolated([&] {
      std::string got = Loaded<ZYNINSMediaToc>(path) + "|" + Loaded<ZYNINSInstToc>(path) + "|";
      got += InitLoaded(path) + "|" + std::to_string(OpenMedia(path));
      return got + " " + LastShown() + "|" + FirstFinding(path);
    });
    std::size_t lintAt = got.rfind('|') + 1;
    std::string refused = "-1 " + OpenError(path);
    EXPECT_EQ(got.substr(0, lintAt), refused + "|" + refused + "|-1|1 " + OpenError(path) + "|");
    std::string lint = "cannot read the file" + (row.lintReason.empty() ? "" : ": " + row.lintReason);
    EXPECT_EQ(got.substr(lintAt, lint.size()), lint) << path;
  }

#if !defined(_WIN32)
  // A PCFG.list that is no regular file is taken as missing: every product is listed.
  std::string toc =
      WriteFile("medium/TOC", TocLine("code", "PRD", "P1").OnMedia(3) + TocLine("code", "PRD", "P2").OnMedia(4));
  std::string list = Dir() + "/medium/PCFG.list";
  for (const std::string &target : {fifo, std::string("/dev/zero")}) {
    std::filesystem::remove(list);
    std::filesystem::create_symlink(target, list);
    std::string got = isolated([&] {
      std::string name = toc;
      ZYNINSMediaToc medium(&name[0]);
      std::unique_ptr<ZYNINSStockName> products(new ZYNINSStockName);
      medium.GetPackage(ZYNINSPRD, ZYNINSCode, products.get(), 1);
      ZYNINSLintReport report = ZYNINSLintFile(toc.c_str(), ZYNINSLintMedia);
      return std::to_string(medium.GetNbToc()) + " " + std::to_string(products->GetNbName()) + " " +
             (report.Findings.empty() ? "" : report.Findings.back().Message);
    });
    EXPECT_EQ(got, "2 2 not a regular file: catalogues take it as missing") << target;
  }
#endif
}

TEST_F(BoundaryTest, RunningOutOfAddressSpaceIsTheDocumentedFailure) {
#if defined(_WIN32)
  GTEST_SKIP() << "the address space is limited with setrlimit, which Windows does not have";
#else
  if (kUnderAddressSanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory beyond any such limit and aborts "
                    "instead of throwing when an allocation fails";
  // A line with a 300 MB label: the file's text takes 300 MB, the label as many again.
  std::string medium = WriteHugeLabel(Dir() + "/medium.toc", "0A:3:1:code:PRD:BIG::::1:t:LNX:R1:0:", 300);
  std::string installed = WriteHugeLabel(Dir() + "/installed.toc", "code:PRD:BIG::::1:t:LNX:R1:0:", 300);
  auto noRoom = [](const std::string &path) {
    return "ZYNINSToc::Init unable to allocate 1 entries from " + path + "\n\n";
  };
  MaxScaleCatalogues large = WriteMaxScaleCatalogues(Dir(), false);
  std::string emptyLines = WriteFile("empty-lines.toc", std::string(2000000, '\n'));

  struct Row {
    const char *what;
    unsigned long long room;  // beyond what the process has mapped
    std::function<std::string()> run;
    std::string expected;
  } rows[] = {
      {"the text fits, its label does not", 450 * kMiB,
       [&] { return Loaded<ZYNINSMediaToc>(medium) + Loaded<ZYNINSInstToc>(installed); },
       "-1 " + noRoom(medium) + "-1 " + noRoom(installed)},
      {"not even the text fits", 200 * kMiB,
       [&] { return Loaded<ZYNINSMediaToc>(medium) + Loaded<ZYNINSInstToc>(installed); },
       "-1 " + noRoom(medium) + "-1 " + noRoom(installed)},
      {"the flat interface shows the load's diagnostic", 450 * kMiB,
       [&] {
         std::string opened = std::to_string(OpenMedia(medium));
         return opened + " " + LastShown();
       },
       "1 " + noRoom(medium)},
      {"checking the file", 450 * kMiB, [&] { return FirstFinding(medium); }, "not enough memory to check the file"},
      {"checking 2 MB of empty lines keeps no more lines than a catalogue holds", 64 * kMiB,
       [&] { return FirstFinding(emptyLines); }, "the file has 2000000 lines; a catalogue holds at most 4095"},
  };
  for (const Row &row : rows) {
    std::string got = RunInChild([&] { return LimitAddressSpace(row.room) ? row.run() : "no limit"; });
    EXPECT_EQ(got, row.expected) << row.what;
  }

  // Planning at the largest scale, once everything is loaded and selected and no room is left.
  std::string got = RunInChild([&] {
    std::string name = large.mediumToc;
    ZYNINSMediaToc media(&name[0]);
    std::unique_ptr<ZYNINSStockName> products(new ZYNINSStockName);
    media.GetPackage(ZYNINSPRD, ZYNINSCode, products.get(), 0);
    std::vector<std::string> names;
    for (unsigned int i = 0; i < products->GetNbName(); ++i) names.push_back(products->GetName(static_cast<int>(i)));
    NameFields everything(names);
    OpenMedia(large.mediumToc);
    int nbProduct = 0, nbConfig = 0, size = 0;
    GenerateListProduct(&nbProduct, &nbConfig, &size);
    SelectAll();
    char message[1024] = "";
    NameFields again = everything;
    unsigned int unlimited = PlanMedium(media, std::move(again));
    if (!LimitAddressSpace(0)) return std::string("no limit");
    // A plan whose work fits in memory the process already holds may still succeed; it is then
    // the plan it would be without the limit, never a wrong one.
    unsigned int planned = PlanMedium(media, std::move(everything));
    int result = GetSpaceRequired(&size, message);
    std::string plan = planned == 0xFFFFFFFFu ? "failed" : planned == unlimited ? "right" : std::to_string(planned);
    return plan + " " + std::to_string(result) + " " + std::to_string(size);
  });
  EXPECT_TRUE(got == "failed 0 -1" || got == "right 0 -1") << got;
#endif
}

namespace {

// A device that fails every write by throwing, as a caller's stream may.
class ThrowingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { throw std::runtime_error("the caller's device failed"); }
  std::streamsize xsputn(const char *, std::streamsize) override {
    throw std::runtime_error("the caller's device failed");
  }
};

class ThrowingStream : public std::ostream {
 public:
  ThrowingStream() : std::ostream(nullptr) {
    rdbuf(&_Buffer);
    exceptions(std::ios::badbit);
  }

 private:
  ThrowingBuffer _Buffer;
};

// Two ways a caller's stream throws: its device throws, or it fails and its exception mask
// asks for a throw.
std::ostream *NewCallerStream(bool throwingDevice) {
  if (throwingDevice) return new ThrowingStream;
  std::ofstream *closed = new std::ofstream;
  closed->exceptions(std::ios::badbit | std::ios::failbit);
  return closed;
}

class ThrowingObserver : public ZYNINSPlanObserver {
 public:
  void Requested(const char *) override { throw 42; }
  void RemovalRequested(const char *) override { throw 42; }
};

void ThrowingHandler(const wchar_t *) { throw std::runtime_error("the caller's handler failed"); }

}  // namespace

TEST_F(BoundaryTest, ExceptionsOfTheCallersOwnCodeStayInside) {
  std::string mediumPath = DataPath("flat/medium/TOC"), installedPath = DataPath("flat/install/control/PRESENT");
  ZYNINSMediaToc medium(&mediumPath[0]);
  ZYNINSInstToc installed(&installedPath[0]);
  ASSERT_TRUE(medium.GetNbToc() > 0 && installed.GetNbToc() > 0) << TakeDiagnostics();
  std::string missing = Dir() + "/missing";
  NameFields unknown({"UNKNOWN"}), draft({"DRAFT"});
  auto failed = [](unsigned int size) { return size == 0xFFFFFFFFu ? "failed" : "planned " + std::to_string(size); };
  auto state = [](std::ostream &out, int result) { return std::to_string(result) + (out.bad() ? " bad" : " good"); };

  // Operations that write to a caller's stream, or report into one made the diagnostic stream.
  struct StreamRow {
    const char *what;
    bool diagnostics;  // the stream is the diagnostic stream rather than the operation's argument
    std::function<std::string(std::ostream &)> run;
    std::string expected;
  } streamRows[] = {
      {"loading a medium", true, [&](std::ostream &) { return Loaded<ZYNINSMediaToc>(missing); }, "-1 "},
      {"loading an installation", true, [&](std::ostream &) { return Loaded<ZYNINSInstToc>(missing); }, "-1 "},
      {"installation planning", true,
       [&](std::ostream &) { return failed(PlanMedium(medium, NameFields({"UNKNOWN"}))); }, "failed"},
      {"removal planning", true, [&](std::ostream &) { return failed(installed.GetSize(unknown.Fields(), 1)); },
       "failed"},
      {"the product lists", true,
       [&](std::ostream &) {
         // Code products planned as zarn units are reported as not found on the medium.
         int nbProduct = 0, nbConfig = 0, size = -1;
         int result = GenerateListProductZARN(&nbProduct, &nbConfig, &size);
         return std::to_string(result) + " " + std::to_string(nbProduct) + " " + std::to_string(size);
       },
       "0 5 0"},
      {"listing", false, [&](std::ostream &out) { return state(out, medium.ListContent(ZYNINSListFull, out)); },
       "0 bad"},
      {"installed listing", false,
       [&](std::ostream &out) { return state(out, installed.ListContent(ZYNINSListByType, out)); }, "0 bad"},
      {"writing a catalogue", false, [&](std::ostream &out) { return state(out << medium, 0); }, "0 bad"},
      {"level report", false,
       [&](std::ostream &out) {
         installed.GetMaxSPKLevel(out);
         return state(out, 0);
       },
       "0 bad"},
      {"integrity check", false,
       [&](std::ostream &out) { return state(out, installed.CheckIntegrity(out, &missing[0])); }, "0 bad"},
  };
  ASSERT_EQ(OpenMedia(mediumPath), 0);
  for (bool throwingDevice : {true, false}) {
    for (const StreamRow &row : streamRows) {
      SCOPED_TRACE(std::string(row.what) + (throwingDevice ? ", throwing device" : ", exception mask"));
      std::unique_ptr<std::ostream> own(NewCallerStream(throwingDevice));
      std::ostream &stream = *own;
      // The library owns a diagnostic stream it is given, until the next reset.
      if (row.diagnostics) ZYNINSToc::sResetInfoMsg(own.release());
      std::string got;
      EXPECT_NO_THROW(got = row.run(stream));
      EXPECT_EQ(got, row.expected);
      ZYNINSToc::sResetInfoMsg(nullptr);
    }
  }

  // A planning observer that throws, even what is no std::exception.
  std::unique_ptr<ZYNINSStockName> removed(new ZYNINSStockName);
  auto planDraft = [&] {
    return failed(PlanMedium(medium, NameFields({"DRAFT"}))) + ", " +
           failed(installed.GetSize(draft.Fields(), 1, ZYNINSCode, 0, removed.get()));
  };
  EXPECT_EQ(planDraft(), "planned 4400, planned 4000");
  ThrowingObserver observer;
  ZYNINSPlanObserver *previous = ZYNINSSetPlanObserver(&observer);
  ASSERT_EQ(OpenInstalled(installedPath, 1), 0);
  int nbProduct = 0, nbConfig = 0, size = 0;
  std::string got;
  EXPECT_NO_THROW(got = planDraft());
  EXPECT_EQ(got, "failed, failed");
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  SelectAll();
  char message[1024] = "untouched";
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);  // a failure without a text
  EXPECT_EQ(size, -1);
  ZYNINSSetPlanObserver(previous);

  // A message-box handler that throws: the diagnostics were there to show.
  ZYNSetMessageBoxHandler(ThrowingHandler);
  EXPECT_EQ(OpenMedia(missing), 1);

  // The standard error stream, which the installed-level functions write to, set to throw.
  UnsetEnv("ZYNInstallPath");
  ThrowingBuffer throwing;
  std::streambuf *kept = std::cerr.rdbuf(&throwing);
  std::ios::iostate mask = std::cerr.exceptions();
  std::cerr.exceptions(std::ios::badbit);
  const char *level = "unset";
  int spkLevel = 0;
  EXPECT_NO_THROW(level = ZYNGetGALevel());
  EXPECT_NO_THROW(spkLevel = ZYNGetSPKLevel());
  std::cerr.exceptions(std::ios::goodbit);
  std::cerr.rdbuf(kept);
  std::cerr.clear();
  std::cerr.exceptions(mask);
  EXPECT_EQ(level, nullptr);
  EXPECT_EQ(spkLevel, -1);
}

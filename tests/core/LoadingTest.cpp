// Tests of loading a TOC file into the base catalogue.
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "Probes.h"
#include "TestSupport.h"

namespace {
std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += TocLine("code", "PRD", "P" + std::to_string(i));
  return text;
}
}  // namespace

using LoadingTest = TocTest;

TEST_F(LoadingTest, MissingFileIsReportedByName) {
  TocProbe catalog(Dir() + "/absent.toc");
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init  unable to open file " + Dir() + "/absent.toc\n\n");
}

TEST_F(LoadingTest, DirectoryIsNoTocFile) {
  TocProbe catalog(Dir());
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init  unable to open file " + Dir() + "\n\n");
}

TEST_F(LoadingTest, EmptyFileGivesAnEmptyUsableCatalogue) {
  TocProbe catalog(WriteFile("empty.toc", ""));
  EXPECT_EQ(catalog.GetNbToc(), 0);
  EXPECT_STREQ(catalog.GetOS(), "");
  EXPECT_EQ(catalog.GetSPKLevel(1), 0);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LoadingTest, UnterminatedLastLineIsCountedAndRead) {
  std::string text = Lines(3);
  EXPECT_EQ(TocProbe(WriteFile("full.toc", text)).GetNbToc(), 3);
  text.pop_back();
  TocProbe catalog(WriteFile("cut.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 3);
  EXPECT_STREQ(catalog.Entry(2).GetName(), "P2");
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LoadingTest, AtMost4095Lines) {
  EXPECT_EQ(TocProbe(WriteFile("max.toc", Lines(4095))).GetNbToc(), 4095);
  EXPECT_EQ(TakeDiagnostics(), "");
  EXPECT_EQ(TocProbe(WriteFile("over.toc", Lines(4096))).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init Internal error _NbToc = 4096\n\n");
  // Reading stops at the first line too many, so a longer file shows that count too.
  EXPECT_EQ(TocProbe(WriteFile("far-over.toc", Lines(5000))).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init Internal error _NbToc = 4096\n\n");
}

TEST_F(LoadingTest, LongLinesCountOnce) {
  std::string label(250000, 'x');
  std::string text = TocLine("code", "PRD", "P").Label(label) + TocLine("code", "PRD", "Q");
  TocProbe catalog(WriteFile("long.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 2);
  EXPECT_EQ(std::string(catalog.Entry(0).GetLabel()), label);
}

TEST_F(LoadingTest, PCFGListIsLookedForBesideTheTocFile) {
  WriteFile("medium/PCFG.list", "P1\n");
  EXPECT_TRUE(TocProbe(WriteFile("medium/TOC", Lines(2))).HasPCFGList());
  EXPECT_FALSE(TocProbe(WriteFile("other/TOC", Lines(2))).HasPCFGList());
  WriteFile("PCFG.list", "P1\n");
  EXPECT_TRUE(TocProbe("TOC.local").GetNbToc() == -1);
  WriteFile("TOC.local", Lines(1));
  EXPECT_TRUE(TocProbe("TOC.local").HasPCFGList());
}

TEST_F(LoadingTest, BackslashEndsTheTocFilesDirectoryToo) {
  // On POSIX "medium\\TOC" is one file name; its directory part still ends at the backslash.
  WriteFile("PCFG.list", "P1\n");
  std::string path = WriteFile("medium\\TOC", Lines(2));
  EXPECT_FALSE(TocProbe(path).HasPCFGList());
  WriteFile("medium\\PCFG.list", "P1\n");
  EXPECT_TRUE(TocProbe(path).HasPCFGList());
}

TEST_F(LoadingTest, OperatingSystemMustAgreeForCodeEntries) {
  std::string text =
      TocLine("zarn", "PRD", "Z1").OS("ANY") + TocLine("zarn", "PRD", "Z2").OS("OTHER") + TocLine("code", "PRD", "C1");
  std::string path = WriteFile("os.toc", text);
  TocProbe catalog(path);
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetOS: Operating system mismatch on line number 3 from file " + path +
                                   ":\nANY operating system expected, and LNX operating system found\n\n");
}

TEST_F(LoadingTest, GALevelMustAgreeForEveryEntry) {
  std::string text = TocLine("code", "PRD", "C1").GA("GA1") + TocLine("zarn", "PRD", "Z1").GA("GA2").OS("ANY");
  std::string path = WriteFile("ga.toc", text);
  EXPECT_EQ(TocProbe(path).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetGALevel:GA level mismatch on line number 2 from file " + path +
                                   ":\nGA1 GA level expected, and GA2 GA level found\n\n");
}

TEST_F(LoadingTest, TagsAgreeAsTextsUpToTheirEnd) {
  // A tag that only begins like another one differs; tags of the full width agree.
  std::string path =
      WriteFile("prefix.toc", TocLine("code", "PRD", "C1").GA("GA1") + TocLine("code", "PRD", "C2").GA("GA12"));
  EXPECT_EQ(TocProbe(path).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetGALevel:GA level mismatch on line number 2 from file " + path +
                                   ":\nGA1 GA level expected, and GA12 GA level found\n\n");
  class LevelToc : public TocProbe {
   public:
    using TocProbe::TocProbe;
    using ZYNINSToc::SetOS;
  };
  LevelToc full(
      WriteFile("full.toc", TocLine("code", "PRD", "C1").OS("SEVEN77") + TocLine("code", "PRD", "C2").OS("SEVEN77")));
  ASSERT_EQ(full.GetNbToc(), 2);
  EXPECT_STREQ(full.GetOS(), "SEVEN77");
  // What follows a tag's NUL in its field is no part of it.
  strcpy(full.MutableEntry(1).GetOS(), "LONGER");
  strcpy(full.MutableEntry(1).GetOS(), "SEVEN");
  strcpy(full.MutableEntry(0).GetOS(), "SEVEN");
  EXPECT_EQ(full.SetOS(), 1);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LoadingTest, ServicePackLevelsFollowTheRunningMaximum) {
  struct Case {
    std::vector<int> levels;
    int current, previous;
  } cases[] = {{{1, 2, 3}, 3, 2}, {{5, 3, 4}, 5, 0}, {{2, 5, 4}, 5, 2}, {{2, 2}, 2, 0}, {{}, 0, 0}};
  for (const Case &c : cases) {
    // Fixes and framework service packs never count, whatever their level.
    std::string text = TocLine("code", "FSP", "CORE.SP9").Prereqs("CORE ").Level(9) +
                       TocLine("code", "FIX", "FX").Prereqs("CORE ").Level(8);
    for (size_t i = 0; i < c.levels.size(); ++i)
      text += TocLine("code", "SPK", "SP" + std::to_string(i)).Level(c.levels[i]);
    TocProbe catalog(WriteFile("spk.toc", text));
    ASSERT_GE(catalog.GetNbToc(), 2) << TakeDiagnostics();
    EXPECT_EQ(catalog.GetSPKLevel(1), c.current);
    EXPECT_EQ(catalog.GetSPKLevel(0), c.previous);
  }
}

TEST_F(LoadingTest, RejectedLineLeavesTheTableReleasable) {
  std::string text = TocLine("code", "PRD", "A") + "code:PRD:B:X Y :Z ::1:t:o:g:0\n" + TocLine("code", "PRD", "C");
  TocProbe catalog(WriteFile("bad.toc", text));
  EXPECT_EQ(catalog.GetNbToc(), -1);
}

TEST_F(LoadingTest, CrLfLineEndsReadAsNewlines) {
  std::string lf = Lines(2) + "code:PRD:Q::::1:t:LNX:R1:0:label without its colon\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  TocProbe plain(WriteFile("lf.toc", lf));
  TocProbe windows(WriteFile("crlf.toc", crlf));
  ASSERT_EQ(windows.GetNbToc(), 3);
  EXPECT_EQ(Written(windows), Written(plain));
  EXPECT_STREQ(windows.Entry(2).GetLabel(), "label without its colon");
}

TEST_F(LoadingTest, NulBytesAndHugeLinesStayWithinTheirLine) {
  // A NUL in a name refuses its line; a 10 MB label is one line like any other.
  std::string text = TocLine("code", "PRD", "P").Label(std::string(10 << 20, 'x'));
  TocProbe catalog(WriteFile("huge.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 1);
  EXPECT_EQ(strlen(catalog.Entry(0).GetLabel()), size_t{10} << 20);
  EXPECT_EQ(TocProbe(WriteFile("nul-byte.toc", std::string("code:PRD:A\0B::::1:t:LNX:R1:0:l:\n", 32))).GetNbToc(), -1);
  TakeDiagnostics();

  // The refused type is shown up to its NUL, as a text always was.
  std::string path = WriteFile("refused.toc", Lines(2) + std::string("co\0de:PRD:Q::::1:t:LNX:GA1:0:l:\n", 32));
  TakeDiagnostics();
  EXPECT_EQ(TocProbe(path).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown type: co\nTocProbe: line number 3 from " + path + " refused\n\n");
}

TEST_F(LoadingTest, ListsOfAnyLengthKeepEveryItemInOrder) {
  // Short lists, lists just around 32 items and long ones, with runs of spaces between items.
  std::string text;
  for (int count : {1, 31, 32, 33, 200})
    text += TocLine("code", "FIX", "F" + std::to_string(count)).Prereqs("  " + NumberedNames("PRE", count) + "  ");
  text += TocLine("code", "PRD", "LAST").Supersedes(NumberedNames(std::string(28, 'S'), 40)).Label("at the end");
  text.pop_back();  // the label runs to the end of the file
  TocProbe catalog(WriteFile("lists.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 6);
  int k = 0;
  for (int count : {1, 31, 32, 33, 200}) {
    const ZYNINSUnitToc &entry = catalog.Entry(k++);
    ASSERT_EQ(entry.GetNbPrereq(), count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(entry.GetPrereq(i), "PRE" + std::to_string(i));
  }
  const ZYNINSUnitToc &last = catalog.Entry(5);
  ASSERT_EQ(last.GetNbSupersede(), 40);
  EXPECT_EQ(last.GetSupersede(39), std::string(28, 'S') + "39");
  EXPECT_STREQ(last.GetLabel(), "at the end");
  EXPECT_EQ(TakeDiagnostics(), "");
}

// A catalogue derived by a caller may still load itself with Init, the stream line reader and
// the level setters, and reads what the library's own loading reads.
TEST_F(LoadingTest, DerivedCatalogueLoadsThroughTheStreamMembers) {
  class StreamToc : public ZYNINSToc {
   public:
    explicit StreamToc(std::string name) {
      std::ifstream file;
      Init(&name[0], file);
      std::string line;
      for (int k = 0; k < _NbToc && std::getline(file, line); ++k) {
        std::istringstream fields(line);
        if (!(fields >> _Entries[k])) _NbToc = -1;
      }
      if (_NbToc != -1 && SetOS() && SetGALevel()) SetSPKLevel();
    }
  };
  std::string path = WriteFile("stream.toc", Lines(3) + TocLine("code", "SPK", "SP1").Level(4).Text());
  StreamToc derived(path);
  ASSERT_EQ(derived.GetNbToc(), 4);
  EXPECT_EQ(derived.GetSPKLevel(1), 4);
  EXPECT_EQ(Written(derived), Written(*std::make_unique<TocProbe>(path)));
  EXPECT_EQ(StreamToc(WriteFile("bad.toc", "code:PRD:P::::1x:t:LNX:GA1:0::\n")).GetNbToc(), -1);
}

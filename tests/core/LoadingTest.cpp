// Tests of loading a TOC file into the base catalogue.
#include "TestSupport.h"
#include "TestToc.h"

namespace {
std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += TocLine("code", "PRD", "P" + std::to_string(i));
  return text;
}
}  // namespace

using LoadingTest = TocTest;

TEST_F(LoadingTest, MissingFileIsReportedByName) {
  TestToc catalog(Dir() + "/absent.toc");
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init  unable to open file " + Dir() + "/absent.toc\n\n");
}

TEST_F(LoadingTest, DirectoryIsNoTocFile) {
  TestToc catalog(Dir());
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init  unable to open file " + Dir() + "\n\n");
}

TEST_F(LoadingTest, EmptyFileGivesAnEmptyUsableCatalogue) {
  TestToc catalog(WriteFile("empty.toc", ""));
  EXPECT_EQ(catalog.GetNbToc(), 0);
  EXPECT_STREQ(catalog.GetOS(), "");
  EXPECT_EQ(catalog.GetSPKLevel(1), 0);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LoadingTest, UnterminatedLastLineIsCountedAndRead) {
  std::string text = Lines(3);
  EXPECT_EQ(TestToc(WriteFile("full.toc", text)).GetNbToc(), 3);
  text.pop_back();
  TestToc catalog(WriteFile("cut.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 3);
  EXPECT_STREQ(catalog.Entry(2).GetName(), "P2");
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LoadingTest, AtMost4095Lines) {
  EXPECT_EQ(TestToc(WriteFile("max.toc", Lines(4095))).GetNbToc(), 4095);
  EXPECT_EQ(TakeDiagnostics(), "");
  EXPECT_EQ(TestToc(WriteFile("over.toc", Lines(4096))).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Init Internal error _NbToc = 4096\n\n");
}

TEST_F(LoadingTest, LongLinesCountOnce) {
  std::string label(250000, 'x');
  std::string text = TocLine("code", "PRD", "P").Label(label) + TocLine("code", "PRD", "Q");
  TestToc catalog(WriteFile("long.toc", text));
  ASSERT_EQ(catalog.GetNbToc(), 2);
  EXPECT_EQ(std::string(catalog.Entry(0).GetLabel()), label);
}

TEST_F(LoadingTest, PCFGListIsLookedForBesideTheTocFile) {
  WriteFile("medium/PCFG.list", "P1\n");
  EXPECT_TRUE(TestToc(WriteFile("medium/TOC", Lines(2))).HasPCFGList());
  EXPECT_FALSE(TestToc(WriteFile("other/TOC", Lines(2))).HasPCFGList());
  WriteFile("PCFG.list", "P1\n");
  EXPECT_TRUE(TestToc("TOC.local").GetNbToc() == -1);
  WriteFile("TOC.local", Lines(1));
  EXPECT_TRUE(TestToc("TOC.local").HasPCFGList());
}

TEST_F(LoadingTest, BackslashEndsTheTocFilesDirectoryToo) {
  // On POSIX "medium\\TOC" is one file name; its directory part still ends at the backslash.
  WriteFile("PCFG.list", "P1\n");
  std::string path = WriteFile("medium\\TOC", Lines(2));
  EXPECT_FALSE(TestToc(path).HasPCFGList());
  WriteFile("medium\\PCFG.list", "P1\n");
  EXPECT_TRUE(TestToc(path).HasPCFGList());
}

TEST_F(LoadingTest, OperatingSystemMustAgreeForCodeEntries) {
  std::string text =
      TocLine("zarn", "PRD", "Z1").OS("ANY") + TocLine("zarn", "PRD", "Z2").OS("OTHER") + TocLine("code", "PRD", "C1");
  std::string path = WriteFile("os.toc", text);
  TestToc catalog(path);
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetOS: Operating system mismatch on line number 3 from file " + path +
                                   ":\nANY operating system expected, and LNX operating system found\n\n");
}

TEST_F(LoadingTest, GALevelMustAgreeForEveryEntry) {
  std::string text = TocLine("code", "PRD", "C1").GA("GA1") + TocLine("zarn", "PRD", "Z1").GA("GA2").OS("ANY");
  std::string path = WriteFile("ga.toc", text);
  EXPECT_EQ(TestToc(path).GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetGALevel:GA level mismatch on line number 2 from file " + path +
                                   ":\nGA1 GA level expected, and GA2 GA level found\n\n");
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
    TestToc catalog(WriteFile("spk.toc", text));
    ASSERT_GE(catalog.GetNbToc(), 2) << TakeDiagnostics();
    EXPECT_EQ(catalog.GetSPKLevel(1), c.current);
    EXPECT_EQ(catalog.GetSPKLevel(0), c.previous);
  }
}

TEST_F(LoadingTest, RejectedLineLeavesTheTableReleasable) {
  std::string text = TocLine("code", "PRD", "A") + "code:PRD:B:X Y :Z ::1:t:o:g:0\n" + TocLine("code", "PRD", "C");
  TestToc catalog(WriteFile("bad.toc", text));
  EXPECT_EQ(catalog.GetNbToc(), -1);
}

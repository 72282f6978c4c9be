// Tests of loading a TOC file into the base catalogue.
#include "TestToc.h"
#include "TestSupport.h"

namespace {
std::string Line(const char *type, const char *pkg, const char *name, int spk = 0, const char *os = "LNX",
                 const char *ga = "GA1") {
  return std::string(type) + ":" + pkg + ":" + name + "::::10:20240101000000:" + os + ":" + ga + ":" +
         std::to_string(spk) + ":label of " + name + ":\n";
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += Line("code", "PRD", ("P" + std::to_string(i)).c_str());
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
  std::string text = "code:PRD:P::::1:t:LNX:GA1:0:" + label + ":\n" + Line("code", "PRD", "Q");
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

TEST_F(LoadingTest, OperatingSystemMustAgreeForCodeEntries) {
  std::string text = Line("zarn", "PRD", "Z1", 0, "ANY") + Line("zarn", "PRD", "Z2", 0, "OTHER") +
                     Line("code", "PRD", "C1", 0, "LNX");
  std::string path = WriteFile("os.toc", text);
  TestToc catalog(path);
  EXPECT_EQ(catalog.GetNbToc(), -1);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::SetOS: Operating system mismatch on line number 3 from file " + path +
                                   ":\nANY operating system expected, and LNX operating system found\n\n");
}

TEST_F(LoadingTest, GALevelMustAgreeForEveryEntry) {
  std::string text = Line("code", "PRD", "C1") + Line("zarn", "PRD", "Z1", 0, "ANY", "GA2");
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
    std::string text = "code:FSP:CORE.SP9::CORE ::1:t:LNX:GA1:9::\ncode:FIX:FX::CORE ::1:t:LNX:GA1:8::\n";
    for (size_t i = 0; i < c.levels.size(); ++i)
      text += Line("code", "SPK", ("SP" + std::to_string(i)).c_str(), c.levels[i]);
    TestToc catalog(WriteFile("spk.toc", text));
    ASSERT_GE(catalog.GetNbToc(), 2) << TakeDiagnostics();
    EXPECT_EQ(catalog.GetSPKLevel(1), c.current);
    EXPECT_EQ(catalog.GetSPKLevel(0), c.previous);
  }
}

TEST_F(LoadingTest, RejectedLineLeavesTheTableReleasable) {
  std::string text = Line("code", "PRD", "A") + "code:PRD:B:X Y :Z ::1:t:o:g:0\n" + Line("code", "PRD", "C");
  TestToc catalog(WriteFile("bad.toc", text));
  EXPECT_EQ(catalog.GetNbToc(), -1);
}

// Editing operations: the tsort input files, the time stamp and entry removal.
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <ctime>
#include <filesystem>

#include "QueryTestSupport.h"

namespace {
const std::string kUnit =
    "code:PRD:Unit:S1 S2 :R1 :X1/Y1 X2/Y2 :10:20240105101010:lnx64:R21:0:Unit:\n";

std::string Field(const std::string &line, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) start = line.find(':', start) + 1;
  return line.substr(start, line.find(':', start) - start);
}

std::string LocalStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);  // the tests run on one thread
  char text[15];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}
}  // namespace

TEST_F(QueryTest, BuildTsortWritesSupersedesThenPrereqsAndThePairs) {
  WriteFile("prereq", "an older and much longer file\nwith\nmany\nlines\n");
  auto unit = Load(kUnit);
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 1);
  EXPECT_EQ(ReadFile("prereq"), "S1\nS2\nR1\n");
  EXPECT_EQ(ReadFile("ifreq"), "X1\nY1\nX2\nY2\n");

  auto bare = Load("code:FWK:Bare::::0:20240105101010:lnx64:R21:0:Bare:\n", kNoPCFG, "bare");
  EXPECT_EQ(bare->Tsort("Bare", ZYNINSCode), 1);
  EXPECT_EQ(ReadFile("prereq"), "");
  EXPECT_EQ(ReadFile("ifreq"), "");
}

TEST_F(QueryTest, BuildTsortRefusesAnythingButItsOneUnit) {
  auto unit = Load(kUnit);
  auto two = Load(kUnit + QueryLine("code", "PRD", "Other", "other"), kNoPCFG, "two");
  EXPECT_EQ(two->Tsort("Unit", ZYNINSCode), 0);
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSZarn), 0);
  EXPECT_EQ(unit->Tsort("Uni", ZYNINSCode), 0);
  EXPECT_EQ(unit->Tsort("Unit2", ZYNINSCode), 0);
  EXPECT_FALSE(std::filesystem::exists("prereq"));
  EXPECT_FALSE(std::filesystem::exists("ifreq"));
  EXPECT_EQ(Load("")->Tsort("", ZYNINSCode), 0);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(QueryTest, BuildTsortFailsWhenAFileCannotBeWritten) {
  auto unit = Load(kUnit);
  // A directory in the way cannot be opened as a file, whoever runs the test.
  std::filesystem::create_directory("ifreq");
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 0);
  EXPECT_EQ(ReadFile("prereq"), "S1\nS2\nR1\n");
  EXPECT_EQ(NamesIn("."), (std::vector<std::string>{"cat", "ifreq", "prereq"}));  // no new file left behind
  std::filesystem::remove("ifreq");
  std::filesystem::remove("prereq");
  std::filesystem::create_directory("prereq");
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 0);
  EXPECT_FALSE(std::filesystem::exists("ifreq"));
}

TEST_F(QueryTest, BuildTsortFailsInAReadOnlyDirectory) {
#if defined(_WIN32)
  GTEST_SKIP() << "a read-only attribute on a directory does not stop file creation on Windows";
#else
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  auto unit = Load(kUnit);
  std::filesystem::create_directory("locked");
  ASSERT_EQ(chdir("locked"), 0);
  chmod(".", 0555);
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 0);
  chmod(".", 0755);
  EXPECT_FALSE(std::filesystem::exists("prereq"));
  // A writable file of that name does not help: the file is replaced, never written in place.
  WriteFile("locked/prereq", "older\n");
  chmod(".", 0555);
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 0);
  chmod(".", 0755);
  EXPECT_EQ(ReadFile("prereq"), "older\n");
  EXPECT_EQ(NamesIn("."), std::vector<std::string>{"prereq"});
#endif
}

TEST_F(QueryTest, BuildTsortReplacesLinksPlantedUnderItsNames) {
#if defined(_WIN32)
  GTEST_SKIP() << "making a symbolic link takes a privilege on Windows";
#else
  auto unit = Load(kUnit);
  std::string victim = WriteFile("elsewhere/victim", "not to be touched\n");
  std::filesystem::create_symlink(victim, "prereq");
  std::filesystem::create_symlink(Dir() + "/elsewhere/not-yet", "ifreq");  // pointing nowhere
  EXPECT_EQ(unit->Tsort("Unit", ZYNINSCode), 1);
  EXPECT_EQ(ReadFile(victim), "not to be touched\n");
  EXPECT_EQ(NamesIn("elsewhere"), std::vector<std::string>{"victim"});
  for (const char *name : {"prereq", "ifreq"})
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(name))) << name;
  EXPECT_EQ(ReadFile("prereq"), "S1\nS2\nR1\n");
  EXPECT_EQ(ReadFile("ifreq"), "X1\nY1\nX2\nY2\n");
  EXPECT_EQ(NamesIn("."), (std::vector<std::string>{"cat", "elsewhere", "ifreq", "prereq"}));
#endif
}

TEST_F(QueryTest, SetTimestampStampsTheFirstEntryWithLocalTime) {
  auto catalogue = Load(kUnit + QueryLine("code", "PRD", "Second", "second"));
  std::string before = LocalStamp();
  catalogue->SetTimestamp();
  std::string after = LocalStamp();

  std::string written = Written(*catalogue);
  std::string first = written.substr(0, written.find('\n'));
  std::string stamp = Field(first, 7);
  ASSERT_EQ(stamp.size(), 14u);
  EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_LE(before, stamp);
  EXPECT_GE(after, stamp);
  // Nothing but the stamp changes.
  EXPECT_EQ(written, Field(kUnit, 0) + ":PRD:Unit:S1 S2 :R1 :X1/Y1 X2/Y2 :10:" + stamp +
                         ":lnx64:R21:0:Unit:\n" + QueryLine("code", "PRD", "Second", "second"));

  auto empty = Load("", kNoPCFG, "empty");
  empty->SetTimestamp();
  EXPECT_EQ(Written(*empty), "");
  TocProbe missing(Dir() + "/nowhere/TOC");
  missing.SetTimestamp();
  EXPECT_EQ(missing.GetNbToc(), -1);
  TakeDiagnostics();
}

namespace {
const std::string kThree = QueryLine("code", "PRD", "First", "first") +
                           QueryLine("code", "PRD", "Middle", "middle") +
                           QueryLine("code", "PRD", "Last", "last");
}

TEST_F(QueryTest, RemoveClosesTheGapAtFirstMiddleAndLast) {
  const std::vector<std::pair<std::string, std::string>> entries{
      {"First", "first"}, {"Middle", "middle"}, {"Last", "last"}};
  for (const auto &removed : entries) {
    const std::string &name = removed.first;
    auto catalogue = Load(kThree, kNoPCFG, name);
    auto listedBefore = Package(*catalogue, ZYNINSPRD, ZYNINSCode);
    ASSERT_EQ(catalogue->RemoveName(name, ZYNINSCode), 1) << name;
    EXPECT_EQ(catalogue->GetNbToc(), 2);
    EXPECT_EQ(catalogue->Index(name, ZYNINSCode), -1);

    std::string expected;
    int position = 0;
    for (const auto &kept : entries) {
      if (kept.first == name) continue;
      expected += QueryLine("code", "PRD", kept.first, kept.second);
      // Later entries moved down one place, and lookups follow them.
      EXPECT_EQ(catalogue->Index(kept.first, ZYNINSCode), position++) << name << " " << kept.first;
    }
    EXPECT_EQ(Written(*catalogue), expected) << name;

    // Labels listed before the removal still point at the kept entries' texts.
    for (unsigned int i = 0; i < listedBefore->GetNbName(); ++i) {
      std::string listed = listedBefore->GetName(static_cast<int>(i));
      if (listed == name) continue;
      std::string label = listed;
      label[0] = static_cast<char>(tolower(label[0]));
      EXPECT_EQ(listedBefore->GetLabel(static_cast<int>(i)), label);
    }
  }
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(QueryTest, RemoveOfTheOnlyEntryLeavesAnEmptyCatalogue) {
  auto catalogue = Load(kUnit);
  ASSERT_EQ(catalogue->RemoveName("Unit", ZYNINSCode), 1);
  EXPECT_EQ(catalogue->GetNbToc(), 0);
  EXPECT_EQ(Written(*catalogue), "");
  EXPECT_EQ(Listed(*catalogue, ZYNINSListProducts), "\n");
  EXPECT_EQ(catalogue->RemoveName("Unit", ZYNINSCode), 0);
  TakeDiagnostics();
}

TEST_F(QueryTest, RemoveTakesTheFirstOfTwinsAndReportsWhatIsMissing) {
  auto catalogue = Load(QueryLine("code", "PRD", "Twin", "one") + QueryLine("zarn", "PRD", "Twin", "light") +
                        QueryLine("code", "PRD", "Twin", "two"));
  std::string path = Dir() + "/cat/TOC";
  ASSERT_EQ(catalogue->RemoveName("Twin", ZYNINSCode), 1);
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSPRD, ZYNINSCode)),
            (std::vector<std::pair<std::string, std::string>>{{"Twin", "two"}}));
  ASSERT_EQ(catalogue->RemoveName("Twin", ZYNINSCode), 1);
  EXPECT_EQ(catalogue->RemoveName("Twin", ZYNINSCode), 0);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Remove: Twin code: not found in " + path + "\n\n");
  EXPECT_EQ(catalogue->RemoveName("Twin", ZYNINSUnknownQ), 0);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::Remove: Twin unknownQ: not found in " + path + "\n\n");
  EXPECT_EQ(Written(*catalogue), QueryLine("zarn", "PRD", "Twin", "light"));
  EXPECT_EQ(catalogue->RemoveName("Twin", ZYNINSZarn), 1);
  EXPECT_EQ(catalogue->GetNbToc(), 0);
}

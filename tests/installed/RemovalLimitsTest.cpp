// Removal planning at its limits: the to_remove file, refused requests, bounded lists,
// large and pathological catalogues.
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSPlanLists.h"

namespace {

class RemovalLimitsTest : public TocTest {
 protected:
  std::unique_ptr<ZYNINSInstToc> Load(const std::string &path) {
    std::string copy = path;
    auto toc = std::make_unique<ZYNINSInstToc>(copy.data());
    _LoadReport = TakeDiagnostics();
    return toc;
  }
  std::unique_ptr<ZYNINSInstToc> LoadText(const std::string &text) { return Load(WriteFile("PRESENT", text)); }
  std::unique_ptr<ZYNINSInstToc> LoadSample() { return Load(DataPath("installed/removal/installed.toc")); }

  unsigned int Fixes(ZYNINSInstToc &toc, const std::vector<std::string> &names) {
    NameFields request(names);
    return toc.GetSize(request.Fields(), request.Count());
  }
  unsigned int Products(ZYNINSInstToc &toc, const std::vector<std::string> &names, int closure, ZYNINSStockName *list,
                        ZYNINSType type = ZYNINSCode) {
    NameFields request(names);
    return toc.GetSize(request.Fields(), request.Count(), type, closure, list);
  }
  // A list holding one recognisable name, to tell a list left alone from a reset one.
  static std::unique_ptr<ZYNINSStockName> MarkedList() {
    auto list = std::make_unique<ZYNINSStockName>();
    strcpy((*list->Reset())[0], "MARK");
    (*list->GetTabLabel())[0] = nullptr;
    *list->GetNbNameAddress() = 1;
    return list;
  }

  std::string _LoadReport;
};

TEST_F(RemovalLimitsTest, ToRemoveThatCannotBeCreatedFailsTheCall) {
  auto toc = LoadSample();
  std::filesystem::create_directory("to_remove");
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: unable to build to_remove file\n\n");
}

TEST_F(RemovalLimitsTest, ToRemoveReplacesALinkPlantedUnderItsName) {
#if defined(_WIN32)
  GTEST_SKIP() << "making a symbolic link takes a privilege on Windows";
#else
  auto toc = LoadSample();
  std::string victim = WriteFile("elsewhere/victim", "not to be touched\n");
  std::filesystem::create_symlink(victim, "to_remove");
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), 90u);
  EXPECT_EQ(ReadFile(victim), "not to be touched\n");
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status("to_remove")));
  EXPECT_EQ(ReadFile("to_remove"), "FIXALONE Standalone fix\n");
  // A link to a full device is replaced as well: nothing is written to the device.
  if (std::filesystem::exists("/dev/full")) {
    std::filesystem::remove("to_remove");
    std::filesystem::create_symlink("/dev/full", "to_remove");
    EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), 90u);
    EXPECT_EQ(ReadFile("to_remove"), "FIXALONE Standalone fix\n");
  }
  EXPECT_EQ(TakeDiagnostics(), "");
#endif
}

TEST_F(RemovalLimitsTest, ToRemoveThatCannotBeWrittenKeepsTheOldFile) {
#if defined(_WIN32)
  GTEST_SKIP() << "a file-size limit is a POSIX resource limit";
#else
  auto toc = LoadSample();
  WriteFile("to_remove", "kept\n");
  std::vector<std::string> before = NamesIn(".");
  // The new file cannot take the line: the call fails with its message and the old file stays.
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(10);
              bool failed = Fixes(*toc, {"FIXALONE"}) == ZYNINSFailed;
              return failed && TakeDiagnostics() == "ZYNINSInstToc::GetSize: unable to build to_remove file\n\n" ? "failed"
                                                                                                          : "wrong";
            }),
            "failed");
  EXPECT_EQ(ReadFile("to_remove"), "kept\n");
  EXPECT_EQ(NamesIn("."), before);
#endif
}

TEST_F(RemovalLimitsTest, ToRemoveFailsInAReadOnlyDirectoryEvenWhenWritable) {
#if defined(_WIN32)
  GTEST_SKIP() << "a read-only attribute on a directory does not stop file creation on Windows";
#else
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  auto toc = LoadSample();
  WriteFile("locked/to_remove", "kept\n");
  ASSERT_EQ(chdir("locked"), 0);
  chmod(".", 0555);
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), ZYNINSFailed);
  chmod(".", 0755);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: unable to build to_remove file\n\n");
  EXPECT_EQ(ReadFile("to_remove"), "kept\n");
#endif
}

TEST_F(RemovalLimitsTest, ToRemoveIsReplacedNotAppended) {
  auto toc = LoadSample();
  WriteFile("to_remove", "FIXOLD from an earlier plan\nFIXOLDER from an earlier plan\n");
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), 90u);
  EXPECT_EQ(ReadFile("to_remove"), "FIXALONE Standalone fix\n");
}

TEST_F(RemovalLimitsTest, RequestOverTheScanListIsRefused) {
  auto toc = LoadSample();
  NameFields tooMany("FIXALONE", 4097);
  EXPECT_EQ(toc->GetSize(tooMany.Fields(), tooMany.Count()), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: too many names requested: 4097\n\n");
  EXPECT_EQ(ReadFile("to_remove"), "<missing>");

  auto list = MarkedList();
  EXPECT_EQ(toc->GetSize(tooMany.Fields(), tooMany.Count(), ZYNINSCode, 1, list.get()), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:too many names requested: 4097\n\n");
  EXPECT_EQ(list->GetNbName(), 1u);
  EXPECT_STREQ(list->GetName(0), "MARK");

  // The full capacity is still accepted; repeated names count once.
  NameFields full("FIXALONE", 4096);
  EXPECT_EQ(toc->GetSize(full.Fields(), full.Count()), 90u);
  NameFields products("VIEWER", 4096);
  EXPECT_EQ(toc->GetSize(products.Fields(), products.Count(), ZYNINSCode, 0, list.get()), 6110u);
  EXPECT_EQ(list->GetNbName(), 4u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(RemovalLimitsTest, TypeOtherThanCodeOrZarnIsRefused) {
  auto toc = LoadSample();
  auto list = MarkedList();
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), ZYNINSUnknownM), ZYNINSFailed);
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), ZYNINSUnknownQ), ZYNINSFailed);
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), static_cast<ZYNINSType>(-7)), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(),
            "ZYNINSInstToc::GetSize:invalid type 2\n\n"
            "ZYNINSInstToc::GetSize:invalid type 3\n\n"
            "ZYNINSInstToc::GetSize:invalid type -7\n\n");
  EXPECT_EQ(list->GetNbName(), 1u);
  EXPECT_STREQ(list->GetName(0), "MARK");
}

TEST_F(RemovalLimitsTest, FailedCatalogueIsPlannedAsAnEmptyOne) {
  auto toc = Load(Dir() + "/no/such/PRESENT");
  ASSERT_EQ(toc->GetNbToc(), -1);
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), 0u);
  EXPECT_EQ(ReadFile("to_remove"), "");
  auto list = MarkedList();
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get()), 0u);
  EXPECT_EQ(list->GetNbName(), 0u);
  EXPECT_EQ(TakeDiagnostics(), "FIXALONE is not found\n\nVIEWER code is not found\n\n");

  // Refused after its lines were read: the entry table exists but must not be used.
  auto duplicate =
      LoadText(TocLine("code", "FWK", "BASE").Size(1) + TocLine("code", "FIX", "FIXA").Prereqs("BASE ").Size(2) +
               TocLine("code", "FIX", "FIXA").Prereqs("BASE ").Size(3));
  ASSERT_EQ(duplicate->GetNbToc(), -1);
  EXPECT_EQ(Fixes(*duplicate, {"FIXA"}), 0u);
  EXPECT_EQ(Products(*duplicate, {"BASE"}, 0, list.get()), 0u);
  EXPECT_EQ(TakeDiagnostics(), "FIXA is not found\n\nBASE code is not found\n\n");
}

TEST_F(RemovalLimitsTest, NameFilling32BytesIsNeverReadPast) {
  auto toc = LoadSample();
  NameFields request({"", "FIXALONE"});
  memset(request.Fields()[0], 'A', 32);  // no NUL in the field
  EXPECT_EQ(toc->GetSize(request.Fields(), request.Count()), 90u);
  auto list = std::make_unique<ZYNINSStockName>();
  EXPECT_EQ(toc->GetSize(request.Fields(), request.Count(), ZYNINSCode, 1, list.get()), 0u);
  std::string name(32, 'A');
  EXPECT_EQ(TakeDiagnostics(),
            name + " is not found\n\n" + name + " code is not found\n\n" + "FIXALONE code is not of correct type\n\n");
}

TEST_F(RemovalLimitsTest, ProductListLabelsPointIntoTheCatalogue) {
  auto toc = LoadSample();
  auto first = std::make_unique<ZYNINSStockName>();
  auto second = std::make_unique<ZYNINSStockName>();
  Products(*toc, {"VIEWER"}, 0, first.get());
  Products(*toc, {"VIEWER"}, 1, second.get());
  ASSERT_EQ(first->GetNbName(), 4u);
  EXPECT_STREQ(first->GetLabel(2), "Viewer");
  EXPECT_EQ(first->GetLabel(2), second->GetLabel(3));
  // Without a list the size is still given.
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 0, nullptr), 6110u);
}

// Sums saturate one below the failure value instead of wrapping.
TEST_F(RemovalLimitsTest, TotalsSaturateBelowTheFailureValue) {
  auto toc = LoadText(TocLine("code", "FWK", "BASE").Size(1) +
                      TocLine("code", "FIX", "FIXBIG").Prereqs("BASE ").Size(4294967294) +
                      TocLine("code", "FIX", "FIXONE").Prereqs("BASE ").Size(1) +
                      TocLine("code", "FIX", "FIXTWO").Prereqs("BASE ").Size(2) +
                      TocLine("code", "FIX", "FIXMAX").Prereqs("BASE ").Size(4294967295));
  ASSERT_EQ(toc->GetNbToc(), 5) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG", "FIXONE"}), 0xFFFFFFFEu);  // a real all-ones total
  EXPECT_EQ(Fixes(*toc, {"FIXONE", "FIXMAX"}), 0xFFFFFFFEu);
  EXPECT_EQ(Fixes(*toc, {"FIXTWO", "FIXMAX", "FIXBIG"}), 0xFFFFFFFEu);
  EXPECT_EQ(TakeDiagnostics(), "");
}

// One fix supersedes many names that nothing installs; each name is the prerequisite
// of a fix of its own.
std::string OrphanCatalogue(int ghosts, int dependents, bool keeper) {
  std::string text =
      TocLine("code", "FWK", "BASE").Size(1) +
      TocLine("code", "FIX", "FIXBIG").Supersedes(NumberedNames("GHOST", ghosts)).Prereqs("BASE ").Size(10);
  if (keeper)
    text += TocLine("code", "FIX", "FIXKEEP").Supersedes(NumberedNames("GHOST", ghosts)).Prereqs("BASE ").Size(20);
  for (int i = 0; i < dependents; ++i)
    text += TocLine("code", "FIX", "FIXDEP" + std::to_string(i)).Prereqs("GHOST" + std::to_string(i) + " ").Size(1);
  return text;
}

TEST_F(RemovalLimitsTest, ThousandsOfOrphanCandidates) {
  auto toc = LoadText(OrphanCatalogue(2000, 2000, false));
  ASSERT_EQ(toc->GetNbToc(), 2002) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), 2010u);
  // Each candidate is tested once, not once per pass.
  EXPECT_LE(ZYNINSLastPlanWork().steps, 10000u);
  std::string file = ReadFile("to_remove");
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2001);
  const std::string last = "FIXBIG label of FIXBIG\n";
  EXPECT_EQ(file.rfind(last), file.size() - last.size());

  // Held by another supersessor, none is followed until that one goes too.
  toc = LoadText(OrphanCatalogue(2000, 2000, true));
  ASSERT_EQ(toc->GetNbToc(), 2003) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), 10u);
  EXPECT_EQ(Fixes(*toc, {"FIXBIG", "FIXKEEP"}), 2030u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

// Deferred candidates wait through a long chain of passes: they must not be tested in each.
TEST_F(RemovalLimitsTest, LongChainWithManyDeferredCandidates) {
  std::string text =
      TocLine("code", "FWK", "BASE").Size(1) +
      TocLine("code", "FIX", "FIXKEEP").Supersedes(NumberedNames("GHOST", 2000)).Prereqs("BASE ").Size(5) +
      TocLine("code", "FIX", "LINK0").Supersedes(NumberedNames("GHOST", 2000)).Prereqs("BASE ").Size(1);
  for (int i = 1; i < 2000; ++i)
    text += TocLine("code", "FIX", "LINK" + std::to_string(i)).Prereqs("LINK" + std::to_string(i - 1) + " ").Size(1);
  auto toc = LoadText(text);
  ASSERT_EQ(toc->GetNbToc(), 2002) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"LINK0"}), 2000u);
  // 2000 passes; the held candidates are not tested again in each of them.
  EXPECT_EQ(ZYNINSLastPlanWork().passes, 2000u);
  EXPECT_LE(ZYNINSLastPlanWork().steps, 10000u);
}

// Frameworks needed by thousands of units, most of them removed, one staying.
TEST_F(RemovalLimitsTest, FrameworkNeededByThousandsOfUnits) {
  std::string text = TocLine("code", "FWK", "BASE").Size(1) + TocLine("code", "PRD", "ROOT").Prereqs("BASE ").Size(1) +
                     TocLine("code", "PRD", "OTHER").Prereqs("BASE ").Size(1);
  for (int i = 0; i < 4000; ++i) text += TocLine("code", "PRD", "P" + std::to_string(i)).Prereqs("BASE ROOT ").Size(1);
  auto toc = LoadText(text);
  ASSERT_EQ(toc->GetNbToc(), 4003) << _LoadReport;
  auto list = std::make_unique<ZYNINSStockName>();
  EXPECT_EQ(Products(*toc, {"ROOT"}, 1, list.get()), 4001u);
  // The user found staying answers for the framework: its users are not scanned per member.
  EXPECT_LE(ZYNINSLastPlanWork().steps, 10000u);
  // With the other user gone as well, the framework goes too.
  EXPECT_EQ(Products(*toc, {"ROOT", "OTHER"}, 1, list.get()), 4003u);
  EXPECT_STREQ(list->GetName(list->GetNbName() - 1), "BASE");
}

// Internal errors: the call stops, reports the key's exact text and writes nothing.
TEST_F(RemovalLimitsTest, FullNextPassListInTheCandidateStep) {
  // 200 dependents of the fix and 4000 released candidates do not fit one pass.
  std::string text = OrphanCatalogue(4000, 0, false);
  for (int i = 0; i < 200; ++i)
    text += TocLine("code", "FIX", "FIXUSER" + std::to_string(i)).Prereqs("FIXBIG ").Size(1);
  auto toc = LoadText(text);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  WriteFile("to_remove", "kept\n");
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: internal error nbtoscanafter\n\n");
  EXPECT_EQ(ReadFile("to_remove"), "kept\n");
}

TEST_F(RemovalLimitsTest, FullScannedList) {
  // 1 request, then 3000 names, then 1100 dependents: more than 4096 names scanned.
  auto toc = LoadText(OrphanCatalogue(3000, 1100, false));
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: internal error nbscanned\n");
  EXPECT_EQ(ReadFile("to_remove"), "<missing>");
}

TEST_F(RemovalLimitsTest, FullListsOfTheProductOperation) {
  std::string scanned = TocLine("code", "FWK", "BASE").Size(1) +
                        TocLine("code", "PRD", "BIG").Supersedes(NumberedNames("GHOST", 3000)).Prereqs("BASE ").Size(1);
  for (int i = 0; i < 1100; ++i)
    scanned += TocLine("code", "PRD", "DEP" + std::to_string(i)).Prereqs("GHOST" + std::to_string(i) + " ").Size(1);
  auto toc = LoadText(scanned);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  auto list = MarkedList();
  EXPECT_EQ(Products(*toc, {"BIG"}, 1, list.get()), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:internal error nbtscanned2\n\n");
  EXPECT_STREQ(list->GetName(0), "MARK");
  // Without closure no list grows: the product and the framework only it needs.
  EXPECT_EQ(Products(*toc, {"BIG"}, 0, list.get()), 2u);

  std::string next = TocLine("code", "FWK", "BASE").Size(1) +
                     TocLine("code", "PRD", "BIG").Supersedes(NumberedNames("GHOST", 4000)).Prereqs("BASE ").Size(1);
  for (int i = 0; i < 200; ++i) next += TocLine("code", "PRD", "USER" + std::to_string(i)).Prereqs("BIG ").Size(1);
  toc = LoadText(next);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  list = MarkedList();
  EXPECT_EQ(Products(*toc, {"BIG"}, 1, list.get()), ZYNINSFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:internal error nbtoscanafter2\n\n");
  EXPECT_STREQ(list->GetName(0), "MARK");
}

}  // namespace

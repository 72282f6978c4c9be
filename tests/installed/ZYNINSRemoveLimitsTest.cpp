// Removal planning at its limits: the to_remove file, refused requests, bounded lists,
// large and pathological catalogues.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSInstToc.h"

namespace {

const unsigned int kFailed = 0xFFFFFFFFu;

std::string Line(const char *type, const char *pkg, const std::string &name, const std::string &supersede,
                 const std::string &prereq, unsigned long long size) {
  return std::string(type) + ":" + pkg + ":" + name + ":" + supersede + ":" + prereq + "::" + std::to_string(size) +
         ":20250312094500:LNX64:R21:0:" + name + " label:\n";
}

std::string Ghosts(const std::string &stem, int count) {
  std::string list;
  for (int i = 0; i < count; ++i) list += stem + std::to_string(i) + " ";
  return list;
}

// A request of names, each in a zero-filled 32-byte field.
class Request {
 public:
  explicit Request(const std::vector<std::string> &names) : _Names(new char[names.size() + 1][32]()), _Count(0) {
    for (const std::string &name : names) strncpy(_Names[_Count++], name.c_str(), 32);
  }
  Request(const std::string &name, unsigned int count) : _Names(new char[count + 1][32]()), _Count(count) {
    for (unsigned int i = 0; i < count; ++i) strncpy(_Names[i], name.c_str(), 32);
  }
  char (*Names())[32] { return _Names.get(); }
  unsigned int Count() const { return _Count; }

 private:
  std::unique_ptr<char[][32]> _Names;
  unsigned int _Count;
};

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
    Request request(names);
    return toc.GetSize(request.Names(), request.Count());
  }
  unsigned int Products(ZYNINSInstToc &toc, const std::vector<std::string> &names, int closure,
                        ZYNINSStockName *list, ZYNINSType type = ZYNINSCode) {
    Request request(names);
    return toc.GetSize(request.Names(), request.Count(), type, closure, list);
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
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: unable to build to_remove file\n\n");
}

TEST_F(RemovalLimitsTest, ToRemoveOnAFullDeviceFailsTheCall) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no full device";
  auto toc = LoadSample();
  std::filesystem::create_symlink("/dev/full", "to_remove");
  EXPECT_EQ(Fixes(*toc, {"FIXVIEW1"}), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: unable to build to_remove file\n\n");
}

TEST_F(RemovalLimitsTest, ToRemoveIsReplacedNotAppended) {
  auto toc = LoadSample();
  WriteFile("to_remove", "FIXOLD from an earlier plan\nFIXOLDER from an earlier plan\n");
  EXPECT_EQ(Fixes(*toc, {"FIXALONE"}), 90u);
  EXPECT_EQ(ReadFile("to_remove"), "FIXALONE Standalone fix\n");
}

TEST_F(RemovalLimitsTest, RequestOverTheScanListIsRefused) {
  auto toc = LoadSample();
  Request tooMany("FIXALONE", 4097);
  EXPECT_EQ(toc->GetSize(tooMany.Names(), tooMany.Count()), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: too many names requested: 4097\n\n");
  EXPECT_EQ(ReadFile("to_remove"), "<missing>");

  auto list = MarkedList();
  EXPECT_EQ(toc->GetSize(tooMany.Names(), tooMany.Count(), ZYNINSCode, 1, list.get()), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:too many names requested: 4097\n\n");
  EXPECT_EQ(list->GetNbName(), 1u);
  EXPECT_STREQ(list->GetName(0), "MARK");

  // The full capacity is still accepted; repeated names count once.
  Request full("FIXALONE", 4096);
  EXPECT_EQ(toc->GetSize(full.Names(), full.Count()), 90u);
  Request products("VIEWER", 4096);
  EXPECT_EQ(toc->GetSize(products.Names(), products.Count(), ZYNINSCode, 0, list.get()), 6110u);
  EXPECT_EQ(list->GetNbName(), 4u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(RemovalLimitsTest, TypeOtherThanCodeOrZarnIsRefused) {
  auto toc = LoadSample();
  auto list = MarkedList();
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), ZYNINSUnknownM), kFailed);
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), ZYNINSUnknownQ), kFailed);
  EXPECT_EQ(Products(*toc, {"VIEWER"}, 1, list.get(), static_cast<ZYNINSType>(-7)), kFailed);
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
  auto duplicate = LoadText(Line("code", "FWK", "BASE", "", "", 1) + Line("code", "FIX", "FIXA", "", "BASE ", 2) +
                            Line("code", "FIX", "FIXA", "", "BASE ", 3));
  ASSERT_EQ(duplicate->GetNbToc(), -1);
  EXPECT_EQ(Fixes(*duplicate, {"FIXA"}), 0u);
  EXPECT_EQ(Products(*duplicate, {"BASE"}, 0, list.get()), 0u);
  EXPECT_EQ(TakeDiagnostics(), "FIXA is not found\n\nBASE code is not found\n\n");
}

TEST_F(RemovalLimitsTest, NameFilling32BytesIsNeverReadPast) {
  auto toc = LoadSample();
  Request request({"", "FIXALONE"});
  memset(request.Names()[0], 'A', 32);  // no NUL in the field
  EXPECT_EQ(toc->GetSize(request.Names(), request.Count()), 90u);
  auto list = std::make_unique<ZYNINSStockName>();
  EXPECT_EQ(toc->GetSize(request.Names(), request.Count(), ZYNINSCode, 1, list.get()), 0u);
  std::string name(32, 'A');
  EXPECT_EQ(TakeDiagnostics(), name + " is not found\n\n" + name + " code is not found\n\n" +
                                   "FIXALONE code is not of correct type\n\n");
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

TEST_F(RemovalLimitsTest, TotalNeverShowsTheFailureValue) {
  auto toc = LoadText(Line("code", "FWK", "BASE", "", "", 1) + Line("code", "FIX", "FIXBIG", "", "BASE ", 4294967294) +
                      Line("code", "FIX", "FIXONE", "", "BASE ", 1) + Line("code", "FIX", "FIXTWO", "", "BASE ", 2) +
                      Line("code", "FIX", "FIXMAX", "", "BASE ", 4294967295));
  ASSERT_EQ(toc->GetNbToc(), 5) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG", "FIXONE"}), 0xFFFFFFFEu);  // a real all-ones total
  EXPECT_EQ(Fixes(*toc, {"FIXONE", "FIXMAX"}), 0u);           // sums wrap at 32 bits
  EXPECT_EQ(Fixes(*toc, {"FIXTWO", "FIXMAX"}), 1u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

// One fix supersedes many names that nothing installs; each name is the prerequisite
// of a fix of its own.
std::string OrphanCatalogue(int ghosts, int dependents, bool keeper) {
  std::string text = Line("code", "FWK", "BASE", "", "", 1) +
                     Line("code", "FIX", "FIXBIG", Ghosts("GHOST", ghosts), "BASE ", 10);
  if (keeper) text += Line("code", "FIX", "FIXKEEP", Ghosts("GHOST", ghosts), "BASE ", 20);
  for (int i = 0; i < dependents; ++i)
    text += Line("code", "FIX", "FIXDEP" + std::to_string(i), "", "GHOST" + std::to_string(i) + " ", 1);
  return text;
}

TEST_F(RemovalLimitsTest, ThousandsOfOrphanCandidates) {
  auto toc = LoadText(OrphanCatalogue(2000, 2000, false));
  ASSERT_EQ(toc->GetNbToc(), 2002) << _LoadReport;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), 2010u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  std::string file = ReadFile("to_remove");
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2001);
  EXPECT_EQ(file.rfind("FIXBIG FIXBIG label\n"), file.size() - 20);

  // Held by another supersessor, none is followed until that one goes too.
  toc = LoadText(OrphanCatalogue(2000, 2000, true));
  ASSERT_EQ(toc->GetNbToc(), 2003) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), 10u);
  EXPECT_EQ(Fixes(*toc, {"FIXBIG", "FIXKEEP"}), 2030u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

// Deferred candidates are tested again in every pass: a long chain of passes with
// thousands of them waiting must stay cheap.
TEST_F(RemovalLimitsTest, LongChainWithManyDeferredCandidates) {
  std::string text = Line("code", "FWK", "BASE", "", "", 1) +
                     Line("code", "FIX", "FIXKEEP", Ghosts("GHOST", 2000), "BASE ", 5) +
                     Line("code", "FIX", "LINK0", Ghosts("GHOST", 2000), "BASE ", 1);
  for (int i = 1; i < 2000; ++i)
    text += Line("code", "FIX", "LINK" + std::to_string(i), "", "LINK" + std::to_string(i - 1) + " ", 1);
  auto toc = LoadText(text);
  ASSERT_EQ(toc->GetNbToc(), 2002) << _LoadReport;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Fixes(*toc, {"LINK0"}), 2000u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Frameworks needed by thousands of units, most of them removed, one staying.
TEST_F(RemovalLimitsTest, FrameworkNeededByThousandsOfUnits) {
  std::string text = Line("code", "FWK", "BASE", "", "", 1) + Line("code", "PRD", "ROOT", "", "BASE ", 1) +
                     Line("code", "PRD", "OTHER", "", "BASE ", 1);
  for (int i = 0; i < 4000; ++i) text += Line("code", "PRD", "P" + std::to_string(i), "", "BASE ROOT ", 1);
  auto toc = LoadText(text);
  ASSERT_EQ(toc->GetNbToc(), 4003) << _LoadReport;
  auto list = std::make_unique<ZYNINSStockName>();
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Products(*toc, {"ROOT"}, 1, list.get()), 4001u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  // With the other user gone as well, the framework goes too.
  EXPECT_EQ(Products(*toc, {"ROOT", "OTHER"}, 1, list.get()), 4003u);
  EXPECT_STREQ(list->GetName(list->GetNbName() - 1), "BASE");
}

// Internal errors: the call stops, reports the key's exact text and writes nothing.
TEST_F(RemovalLimitsTest, FullNextPassListInTheCandidateStep) {
  // 200 dependents of the fix and 4000 released candidates do not fit one pass.
  std::string text = OrphanCatalogue(4000, 0, false);
  for (int i = 0; i < 200; ++i) text += Line("code", "FIX", "FIXUSER" + std::to_string(i), "", "FIXBIG ", 1);
  auto toc = LoadText(text);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  WriteFile("to_remove", "kept\n");
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: internal error nbtoscanafter\n\n");
  EXPECT_EQ(ReadFile("to_remove"), "kept\n");
}

TEST_F(RemovalLimitsTest, FullScannedList) {
  // 1 request, then 3000 names, then 1100 dependents: more than 4096 names scanned.
  auto toc = LoadText(OrphanCatalogue(3000, 1100, false));
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  EXPECT_EQ(Fixes(*toc, {"FIXBIG"}), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize: internal error nbscanned\n");
  EXPECT_EQ(ReadFile("to_remove"), "<missing>");
}

TEST_F(RemovalLimitsTest, FullListsOfTheProductOperation) {
  std::string scanned =
      Line("code", "FWK", "BASE", "", "", 1) + Line("code", "PRD", "BIG", Ghosts("GHOST", 3000), "BASE ", 1);
  for (int i = 0; i < 1100; ++i)
    scanned += Line("code", "PRD", "DEP" + std::to_string(i), "", "GHOST" + std::to_string(i) + " ", 1);
  auto toc = LoadText(scanned);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  auto list = MarkedList();
  EXPECT_EQ(Products(*toc, {"BIG"}, 1, list.get()), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:internal error nbtscanned2\n\n");
  EXPECT_STREQ(list->GetName(0), "MARK");
  // Without closure no list grows: the product and the framework only it needs.
  EXPECT_EQ(Products(*toc, {"BIG"}, 0, list.get()), 2u);

  std::string next =
      Line("code", "FWK", "BASE", "", "", 1) + Line("code", "PRD", "BIG", Ghosts("GHOST", 4000), "BASE ", 1);
  for (int i = 0; i < 200; ++i) next += Line("code", "PRD", "USER" + std::to_string(i), "", "BIG ", 1);
  toc = LoadText(next);
  ASSERT_GT(toc->GetNbToc(), 0) << _LoadReport;
  list = MarkedList();
  EXPECT_EQ(Products(*toc, {"BIG"}, 1, list.get()), kFailed);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc::GetSize:internal error nbtoscanafter2\n\n");
  EXPECT_STREQ(list->GetName(0), "MARK");
}

}  // namespace

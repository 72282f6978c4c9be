// Tests of loading an installed catalogue and its name lists.
#include <sstream>
#include <string>
#include <vector>

#include "Probes.h"
#include "TestSupport.h"

namespace {

using Names = std::vector<std::string>;

class InstTocLoadTest : public TocTest {};

// A line superseding count distinct names S0, S1, ...
std::string SupersedingLine(int count) { return TocLine("code", "PRD", "BIG").Supersedes(NumberedNames("S", count)); }

TEST_F(InstTocLoadTest, IndexesNamesPerTypeAndSortsCodeSupersededLongerFirst) {
  auto toc = LoadInstToc(DataPath("installed/load/installed.toc"));
  EXPECT_EQ(TakeDiagnostics(), "");
  ASSERT_EQ(toc->GetNbToc(), 12);
  // The same name as code and as zarn is no duplicate.
  EXPECT_EQ(toc->Installed(ZYNINSCode),
            (Names{"ABC", "ABC.2", "ABC.7", "DEF", "DEF.1", "GR", "GR.1", "P0", "P2"}));
  EXPECT_EQ(toc->Installed(ZYNINSZarn), (Names{"ZF", "ABC", "ZF.1"}));
  EXPECT_EQ(toc->Superseded(ZYNINSCode), (Names{"P0", "P1"}));
  EXPECT_EQ(toc->Superseded(ZYNINSZarn), Names{});
}

TEST_F(InstTocLoadTest, IsInstalledAnswersPerType) {
  auto toc = LoadInstToc(DataPath("installed/load/installed.toc"));
  EXPECT_EQ(toc->IsInstalled("P0", ZYNINSCode), 0);  // installed, though P2 supersedes it
  EXPECT_EQ(toc->IsInstalled("P1", ZYNINSCode), 1);
  EXPECT_EQ(toc->IsInstalled("P1", ZYNINSZarn), -1);
  EXPECT_EQ(toc->IsInstalled("ABC", ZYNINSZarn), 0);
  EXPECT_EQ(toc->IsInstalled("ZF.1", ZYNINSCode), -1);
  EXPECT_EQ(toc->IsInstalled("NOPE", ZYNINSCode), -1);
  EXPECT_EQ(toc->IsInstalled("ABC", ZYNINSUnknownQ), -1);
  EXPECT_EQ(toc->IsInstalled("ABC.2.longer.than.thirty.one.characters", ZYNINSCode), -1);
}

TEST_F(InstTocLoadTest, FrameworksTakeTheHighestLevelOfTheirPacks) {
  auto toc = LoadInstToc(DataPath("installed/load/installed.toc"));
  char abc[] = "ABC", def[] = "DEF", gr[] = "GR", zf[] = "ZF", none[] = "NOPE";
  EXPECT_EQ(toc->GetMaxSPKLevel(abc), 3);
  EXPECT_EQ(toc->GetMaxSPKLevel(def), 0);  // a negative pack level never lowers it
  EXPECT_EQ(toc->GetMaxSPKLevel(gr), 8);   // any package kind takes the level; "08" read in decimal
  EXPECT_EQ(toc->GetMaxSPKLevel(zf), 0);   // asked for code entries only
  EXPECT_EQ(toc->GetMaxSPKLevel(none), 0);
  EXPECT_EQ(toc->Entry(8).GetSize(), 10u);  // "010" read in decimal
}

TEST_F(InstTocLoadTest, LevelReportListsEveryFrameworkInTableOrder) {
  auto toc = LoadInstToc(DataPath("installed/load/installed.toc"));
  std::ostringstream out;
  toc->GetMaxSPKLevel(out);
  ExpectFileContent(DataPath("installed/load/levels.out"), out.str());
}

TEST_F(InstTocLoadTest, DuplicateIsRefusedAndTheCatalogueAnswersAsEmpty) {
  std::string path = DataPath("installed/load/duplicate.toc");
  auto toc = LoadInstToc(path);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc:Duplicate entry in " + path + "\n\n");
  EXPECT_EQ(toc->GetNbToc(), -1);
  EXPECT_EQ(toc->Installed(ZYNINSCode), (Names{"ABC", "P1"}));
  EXPECT_EQ(toc->Superseded(ZYNINSCode), Names{});

  char abc[] = "ABC";
  std::ostringstream out;
  EXPECT_EQ(toc->IsInstalled("ABC", ZYNINSCode), -1);
  EXPECT_EQ(toc->GetMaxSPKLevel(abc), 0);
  toc->GetMaxSPKLevel(out);
  EXPECT_EQ(toc->CheckIntegrity(out, nullptr), 0);
  EXPECT_EQ(out.str(), "");
}

TEST_F(InstTocLoadTest, PackWithoutFrameworkStopsTheWalkThere) {
  auto toc = LoadInstToc(DataPath("installed/load/no_framework.toc"));
  // B exists as zarn only, so the code pack B.1 has no framework.
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInsToc: Np Framework associated with B.1\n\n");
  EXPECT_EQ(toc->GetNbToc(), -1);
  EXPECT_EQ(toc->Entry(0).GetMaxSPKLevel(), 4);  // A.2 (level 9) comes after B.1
  EXPECT_EQ(toc->IsInstalled("A", ZYNINSCode), -1);
  // The walk looked frameworks up before it gave up: the refused entries stay out of reach.
  char a[] = "A";
  EXPECT_EQ(toc->Remove(a, ZYNINSCode), 0);
  EXPECT_EQ(toc->GetNbToc(), -1);
}

TEST_F(InstTocLoadTest, RejectedLineIsReportedByNumber) {
  std::string empty = DataPath("installed/load/empty_line.toc");
  auto first = LoadInstToc(empty);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown type: \n\nZYNINSInstToc: Init of line number 2 from " +
                                   empty + " failed\n\n");
  EXPECT_EQ(first->GetNbToc(), -1);
  EXPECT_EQ(first->IsInstalled("A", ZYNINSCode), -1);

  std::string third = DataPath("installed/load/bad_third_line.toc");
  auto second = LoadInstToc(third);
  std::string diagnostics = TakeDiagnostics();
  EXPECT_NE(diagnostics.find("unknown type: Code"), std::string::npos) << diagnostics;
  EXPECT_NE(diagnostics.find("Init of line number 3 from " + third + " failed"), std::string::npos)
      << diagnostics;
  EXPECT_EQ(second->GetNbToc(), -1);
}

TEST_F(InstTocLoadTest, MissingFileAnswersAsEmpty) {
  auto toc = LoadInstToc(Dir() + "/absent.toc");
  EXPECT_EQ(toc->GetNbToc(), -1);
  char abc[] = "ABC";
  std::ostringstream out;
  EXPECT_EQ(toc->IsInstalled("ABC", ZYNINSZarn), -1);
  EXPECT_EQ(toc->GetMaxSPKLevel(abc), 0);
  toc->GetMaxSPKLevel(out);
  EXPECT_EQ(toc->CheckIntegrity(out, const_cast<char *>("/")), 0);
  EXPECT_EQ(out.str(), "");
}

TEST_F(InstTocLoadTest, SupersededNamesBeyondTheListAreRefused) {
  auto full = LoadInstToc(WriteFile("full.toc", SupersedingLine(4096)));
  EXPECT_EQ(TakeDiagnostics(), "");
  ASSERT_EQ(full->GetNbToc(), 1);
  EXPECT_EQ(full->Superseded(ZYNINSCode).size(), 4096u);
  EXPECT_EQ(full->IsInstalled("S4095", ZYNINSCode), 1);

  std::string path = WriteFile("over.toc", SupersedingLine(4097));
  auto over = LoadInstToc(path);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSInstToc: more than 4096 code names superseded in " + path + "\n\n");
  EXPECT_EQ(over->GetNbToc(), -1);
  EXPECT_EQ(over->Superseded(ZYNINSCode).size(), 0u);
  EXPECT_EQ(over->IsInstalled("S0", ZYNINSCode), -1);
}

TEST_F(InstTocLoadTest, SelfReferencesAndCyclesLoad) {
  auto toc = LoadInstToc(DataPath("installed/load/odd_relations.toc"));
  EXPECT_EQ(TakeDiagnostics(), "");
  ASSERT_EQ(toc->GetNbToc(), 4);
  EXPECT_EQ(toc->IsInstalled("SELF", ZYNINSCode), 0);
  EXPECT_EQ(toc->IsInstalled("CY1", ZYNINSCode), 0);
  char cy1[] = "CY1";
  EXPECT_EQ(toc->GetMaxSPKLevel(cy1), 3);

  std::ostringstream out;
  EXPECT_EQ(toc->CheckIntegrity(out, nullptr), 0);
  EXPECT_EQ(out.str(),
            "CY1.1 :alone FSP (no SPK prereqs it)\n\n"
            "NOWHERE is a prerequisite of CY2, but is not installed\n\n");
}

}  // namespace

// Listing by package kind: distinct names, byte order, labels, PCFG.list visibility.
#include <cstring>

#include "QueryTestSupport.h"

using Items = std::vector<std::pair<std::string, std::string>>;
using NameList = std::vector<std::string>;

TEST_F(QueryTest, NamesSortInByteOrderAndFixesDescend) {
  std::string toc;
  // "\xc3\xa9" starts above every ASCII byte: a signed comparison would put it first.
  for (const char *name : {"beta", "Alpha", "FIX10", "\xc3\xa9t\xc3\xa9", "alpha", "FIX09", "Beta", "FIX11"}) {
    toc += QueryLine("code", "PRD", name, std::string("product ") + name);
    toc += QueryLine("code", "FIX", name, std::string("fix ") + name);
  }
  auto catalogue = Load(toc);
  ASSERT_EQ(catalogue->GetNbToc(), 16);

  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSCode)),
            (NameList{"Alpha", "Beta", "FIX09", "FIX10", "FIX11", "alpha", "beta", "\xc3\xa9t\xc3\xa9"}));
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSFIX, ZYNINSCode)),
            (NameList{"\xc3\xa9t\xc3\xa9", "beta", "alpha", "FIX11", "FIX10", "FIX09", "Beta", "Alpha"}));
  // Sorting carries each label with its own name; the label comes from the first entry of
  // that name, whatever its package kind, here the product.
  for (const auto &item : Labelled(*Package(*catalogue, ZYNINSFIX, ZYNINSCode)))
    EXPECT_EQ(item.second, "product " + item.first);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(QueryTest, SharedNamesAreListedOnceWithTheLabelOfTheirFirstEntry) {
  auto catalogue = Load(QueryLine("zarn", "PRD", "Shared", "shared zarn") +      //
                        QueryLine("code", "PRD", "Shared", "shared code") +      //
                        QueryLine("code", "PRD", "Shared", "shared code again") + //
                        QueryLine("zarn", "PRD", "Viewer", "viewer zarn") +      //
                        QueryLine("code", "FWK", "Viewer", "viewer framework") +  //
                        QueryLine("zarn", "PRD", "Light", "light only") +        //
                        QueryLine("code", "SLT", "Config", "config code") +      //
                        QueryLine("zarn", "GRP", "Config", "config group zarn"));

  // Either type: the code entry wins, whatever its package kind or position.
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSPRD, ZYNINSUnknownQ)),
            (Items{{"Light", "light only"}, {"Shared", "shared code"}, {"Viewer", "viewer framework"}}));
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSPRD, ZYNINSCode)), (Items{{"Shared", "shared code"}}));
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSPRD, ZYNINSZarn)),
            (Items{{"Light", "light only"}, {"Shared", "shared zarn"}, {"Viewer", "viewer zarn"}}));
  // A zarn listing takes the zarn label even when the zarn entry is of another package kind.
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSGRP, ZYNINSZarn)), (Items{{"Config", "config group zarn"}}));
  EXPECT_EQ(Labelled(*Package(*catalogue, ZYNINSGRP, ZYNINSUnknownQ)), (Items{{"Config", "config code"}}));
  // The label is the entry's own text, not a copy.
  auto list = Package(*catalogue, ZYNINSSLT, ZYNINSCode);
  EXPECT_EQ(list->GetLabel(0), catalogue->Entry(6).GetLabel());
  EXPECT_TRUE(Names(*Package(*catalogue, ZYNINSSPK, ZYNINSUnknownQ)).empty());
  EXPECT_TRUE(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSUnknownM)).empty());
}

TEST_F(QueryTest, EmptyAndFailedCataloguesListNothing) {
  auto empty = Load("");
  ASSERT_EQ(empty->GetNbToc(), 0);
  EXPECT_EQ(Package(*empty, ZYNINSPRD, ZYNINSUnknownQ, 1)->GetNbName(), 0u);
  EXPECT_EQ(empty->Index("Anything", ZYNINSCode), -1);

  TocProbe missing(Dir() + "/nowhere/TOC");
  ASSERT_EQ(missing.GetNbToc(), -1);
  EXPECT_EQ(Package(missing, ZYNINSPRD, ZYNINSUnknownQ)->GetNbName(), 0u);
  TakeDiagnostics();
}

TEST_F(QueryTest, ListsAreResetBeforeTheyAreFilled) {
  auto catalogue = Load(QueryLine("code", "PRD", "One", "one") + QueryLine("code", "SLT", "Two", "two"));
  std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
  catalogue->GetPackage(ZYNINSPRD, ZYNINSCode, list.get(), 0);
  catalogue->GetPackage(ZYNINSSLT, ZYNINSCode, list.get(), 0);
  EXPECT_EQ(Names(*list), (NameList{"Two"}));
  catalogue->GetPackage(ZYNINSFIX, ZYNINSCode, list.get(), 0);
  EXPECT_EQ(list->GetNbName(), 0u);
}

// The visibility cases on the realistic catalogue: which products and configurations remain.
struct VisibilityCase {
  const char *title;
  const char *pcfg;  // null: no PCFG.list
  NameList products;
  NameList configurations;
};

void PrintTo(const VisibilityCase &c, std::ostream *out) { *out << c.title; }

class VisibilityTest : public QueryTest, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(VisibilityTest, KeepsWhatPCFGListNames) {
  const VisibilityCase &c = GetParam();
  auto catalogue = LoadCatalogue(c.pcfg ? c.pcfg : kNoPCFG);
  ASSERT_EQ(catalogue->GetNbToc(), 22);
  ASSERT_EQ(catalogue->HasPCFGList(), c.pcfg != nullptr);
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSUnknownQ, 1)), c.products);
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSSLT, ZYNINSUnknownQ, 1)), c.configurations);
  // Any switch other than 1 ignores the list.
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSUnknownQ, 2)).size(), 6u);
  EXPECT_EQ(TakeDiagnostics(), "");
}

const NameList kAllProducts{"Assembly", "Kinematics", "PartDesign", "Surfacing", "ZYNViewer", "drafting"};
const NameList kAllConfigurations{"AnalysisConfig", "DesignConfig", "MechanicalConfig"};
const std::string kLongWord(40, 'P');

INSTANTIATE_TEST_SUITE_P(
    PCFGList, VisibilityTest,
    ::testing::Values(
        VisibilityCase{"missing", nullptr, kAllProducts, kAllConfigurations},
        VisibilityCase{"empty", "", {}, {}},
        VisibilityCase{"blanks_only", " \n\t\n", {}, {}},
        VisibilityCase{"one_per_line", "Assembly\nMechanicalConfig\ndrafting\n", {"Assembly", "drafting"},
                       {"MechanicalConfig"}},
        VisibilityCase{"crlf_line_ends", "Assembly\r\nMechanicalConfig\r\ndrafting\r\n", {"Assembly", "drafting"},
                       {"MechanicalConfig"}},
        VisibilityCase{"one_line_no_newline", "drafting MechanicalConfig\tAssembly", {"Assembly", "drafting"},
                       {"MechanicalConfig"}},
        // Case matters, and a word that merely starts with a name is another word.
        VisibilityCase{"exact_words", "assembly Assembly2 PartDesignX Kinematics", {"Kinematics"}, {}},
        VisibilityCase{"long_words", "PartDesignPartDesignPartDesignPartDesign Surfacing", {"Surfacing"}, {}}),
    [](const ::testing::TestParamInfo<VisibilityCase> &info) { return std::string(info.param.title); });

TEST_F(QueryTest, WordsBeyondANameWidthNeverMatch) {
  std::string name31(31, 'N');
  std::string name32 = name31 + "N";
  auto catalogue = Load(QueryLine("code", "PRD", name31, "widest") + QueryLine("code", "PRD", "Other", "other"),
                        name32 + " " + std::string(100000, 'x') + "\nOther");
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSCode, 1)), (NameList{"Other"}));
  EXPECT_EQ(catalogue->Visible(name31), 0);
  EXPECT_EQ(catalogue->Visible("Other"), 1);

  auto exact = Load(QueryLine("code", "PRD", name31, "widest"), name31 + "\n", "exact");
  EXPECT_EQ(Names(*Package(*exact, ZYNINSPRD, ZYNINSCode, 1)), (NameList{name31}));
}

TEST_F(QueryTest, IsVisibleRereadsTheListOnEveryCall) {
  auto catalogue = Load(QueryLine("code", "PRD", "A", "a"), "C B\nA");
  EXPECT_EQ(catalogue->Visible("A"), 1);
  EXPECT_EQ(catalogue->Visible("B"), 1);
  EXPECT_EQ(catalogue->Visible("A"), 1);  // after reaching the end of the file once
  EXPECT_EQ(catalogue->Visible("D"), 0);
  EXPECT_EQ(catalogue->Visible(""), 0);
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSCode, 1)), (NameList{"A"}));
  EXPECT_EQ(catalogue->Visible("C"), 1);
}

namespace {
// Entries read from a file carry only code or zarn; the internal error needs another value,
// which only a record changed in memory can hold. The type is the first field after the
// record's virtual table pointer.
bool ForceType(ZYNINSUnitToc &entry, int type) {
  int *field = reinterpret_cast<int *>(reinterpret_cast<char *>(&entry) + sizeof(void *));
  if (field[0] != entry.GetType() || field[1] != entry.GetPkg()) return false;
  field[0] = type;
  return entry.GetType() == type;
}
}  // namespace

TEST_F(QueryTest, AnEntryWithoutLookupEmptiesTheListAndReports) {
  auto catalogue = Load(QueryLine("code", "PRD", "Good", "good") + QueryLine("code", "PRD", "Odd", "odd"));
  ASSERT_TRUE(ForceType(catalogue->MutableEntry(1), ZYNINSUnknownM));

  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSUnknownM)), NameList{});
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::GetPackage: internal error on Odd for type unknownM\n\n");
  EXPECT_EQ(Package(*catalogue, ZYNINSPRD, ZYNINSUnknownQ)->GetNbName(), 0u);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::GetPackage: internal error on Odd for type unknownQ\n\n");
  EXPECT_EQ(Names(*Package(*catalogue, ZYNINSPRD, ZYNINSCode)), (NameList{"Good"}));
  EXPECT_EQ(TakeDiagnostics(), "");

  // The listing keeps its headings and empty lines and prints the message once.
  EXPECT_EQ(Listed(*catalogue, ZYNINSListAllTypes), "\n\n");
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSToc::GetPackage: internal error on Odd for type unknownQ\n\n");
  ASSERT_TRUE(ForceType(catalogue->MutableEntry(1), ZYNINSCode));
}

// A full catalogue filtered by a long PCFG.list (its speed is the benchmark's business).
TEST_F(QueryTest, LargeFilteredListingKeepsEveryVisibleProduct) {
  std::string toc, pcfg;
  for (int i = 0; i < 4095; ++i) {
    std::string name = "Product" + std::to_string(4095 - i);
    toc += QueryLine(i % 2 ? "zarn" : "code", i % 3 ? "PRD" : "FIX", name, "label " + name);
    if (i % 5) pcfg += name + "\n";
  }
  auto catalogue = Load(toc, pcfg);
  ASSERT_EQ(catalogue->GetNbToc(), 4095);
  auto list = Package(*catalogue, ZYNINSPRD, ZYNINSUnknownQ, 1);
  EXPECT_EQ(list->GetNbName(), 2184u);
}

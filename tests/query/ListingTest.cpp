// The inventory listing by selector, and the catalogue written back in its own format.
#include "QueryTestSupport.h"

struct GoldenCase {
  ZYNINSListType which;
  const char *expected;
};

void PrintTo(const GoldenCase &c, std::ostream *out) { *out << c.expected; }

class GoldenListingTest : public QueryTest, public ::testing::WithParamInterface<GoldenCase> {};

// The catalogue is read in place, so the PCFG.list beside it applies.
TEST_P(GoldenListingTest, MatchesExpectedOutput) {
  TocProbe catalogue(DataPath("query/catalogue/TOC"));
  ASSERT_EQ(catalogue.GetNbToc(), 22);
  std::ostringstream out;
  EXPECT_EQ(catalogue.ListContent(GetParam().which, out), 1);
  ExpectFileContent(DataPath(std::string("query/expected/") + GetParam().expected), out.str());
  EXPECT_EQ(TakeDiagnostics(), "");
}

INSTANTIATE_TEST_SUITE_P(Selectors, GoldenListingTest,
                         ::testing::Values(GoldenCase{ZYNINSListFixes, "fixes.txt"},
                                           GoldenCase{ZYNINSListProducts, "products.txt"},
                                           GoldenCase{ZYNINSListAllTypes, "all_types.txt"},
                                           GoldenCase{ZYNINSListByType, "by_type.txt"},
                                           GoldenCase{ZYNINSListFull, "full.txt"},
                                           GoldenCase{ZYNINSListVisible, "visible.txt"}),
                         [](const ::testing::TestParamInfo<GoldenCase> &info) {
                           std::string name = info.param.expected;
                           return name.substr(0, name.find('.'));
                         });

TEST_F(QueryTest, VisibleListingWithoutPCFGListShowsEveryProductAndConfiguration) {
  auto catalogue = LoadCatalogue(kNoPCFG);
  // The same groups as the merged product section, without its empty line.
  std::string merged = ReadFile(DataPath("query/expected/all_types.txt"));
  EXPECT_EQ(Listed(*catalogue, ZYNINSListVisible), merged.substr(0, merged.find("\n\n") + 1));
}

TEST_F(QueryTest, SectionsOfAnEmptyCatalogueKeepTheirHeadingsAndEmptyLines) {
  auto empty = Load("");
  EXPECT_EQ(Listed(*empty, ZYNINSListFixes), "\n");
  EXPECT_EQ(Listed(*empty, ZYNINSListProducts), "\n");
  EXPECT_EQ(Listed(*empty, ZYNINSListByType), "\n\n");
  EXPECT_EQ(Listed(*empty, ZYNINSListFull), "\n\n# INTERNAL SOFTWARE PRODUCTS:\n#===========================\n\n");
  EXPECT_EQ(Listed(*empty, ZYNINSListVisible), "");
  EXPECT_EQ(Written(*empty), "");

  TocProbe missing(Dir() + "/nowhere/TOC");
  EXPECT_EQ(Listed(missing, ZYNINSListFixes), "\n");
  EXPECT_EQ(Written(missing), "");
  TakeDiagnostics();
}

TEST_F(QueryTest, ProductsOnlyAndFixesOnlyStayApart) {
  auto catalogue = Load(QueryLine("code", "FIX", "FIX01", "fix") + QueryLine("zarn", "PRD", "Light", "light") +
                        QueryLine("code", "SPK", "SP01", "pack") + QueryLine("code", "FSP", "Base.SP1", "fsp"));
  EXPECT_EQ(Listed(*catalogue, ZYNINSListProducts), "\n");
  EXPECT_EQ(Listed(*catalogue, ZYNINSListFixes), "# FIXES:\n#======\nFIX01 fix\n\n");
  EXPECT_EQ(Listed(*catalogue, ZYNINSListByType), "Light light (ZARN)\n\n# FIXES:\n#======\nFIX01 fix\n\n");
}

TEST_F(QueryTest, WrittenCatalogueReadsBackEntryForEntry) {
  // The data file is in the writer's own form, so writing it gives it back byte for byte.
  std::string original = ReadFile(DataPath("query/catalogue/TOC"));
  auto catalogue = LoadCatalogue(kNoPCFG);
  std::string written = Written(*catalogue);
  EXPECT_EQ(written, original);

  auto again = Load(written, kNoPCFG, "again");
  ASSERT_EQ(again->GetNbToc(), catalogue->GetNbToc());
  for (int i = 0; i < again->GetNbToc(); ++i) {
    const ZYNINSUnitToc &a = catalogue->Entry(i), &b = again->Entry(i);
    EXPECT_EQ(a.GetType(), b.GetType());
    EXPECT_EQ(a.GetPkg(), b.GetPkg());
    EXPECT_STREQ(a.GetName(), b.GetName());
    EXPECT_EQ(a.GetNbSupersede(), b.GetNbSupersede());
    EXPECT_EQ(a.GetNbPrereq(), b.GetNbPrereq());
    EXPECT_EQ(a.GetNbIfreq(), b.GetNbIfreq());
    EXPECT_EQ(a.GetSize(), b.GetSize());
    EXPECT_STREQ(a.GetLabel(), b.GetLabel());
  }
  EXPECT_STREQ(again->GetOS(), "lnx64");
  EXPECT_EQ(again->GetSPKLevel(1), 2);
  EXPECT_EQ(Written(*again), written);
}

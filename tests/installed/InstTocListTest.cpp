// Tests of the installed inventory listing.
#include <sstream>
#include <string>

#include "Probes.h"
#include "TestSupport.h"

namespace {

class InstTocListTest : public TocTest {
 protected:
  static std::string List(ZYNINSInstToc &toc, ZYNINSListType which) {
    std::ostringstream out;
    EXPECT_EQ(toc.ListContent(which, out), 1);
    return out.str();
  }
  static std::string ListAsBase(ZYNINSInstToc &toc, ZYNINSListType which) {
    std::ostringstream out;
    EXPECT_EQ(toc.ZYNINSToc::ListContent(which, out), 1);
    return out.str();
  }
};

TEST_F(InstTocListTest, DetailedListingsEndWithTheSupersededSection) {
  auto toc = LoadInstToc(DataPath("installed/listing/superseding.toc"));
  ASSERT_EQ(toc->GetNbToc(), 7);
  // Longer names first, then byte order; V1 is named by its first superseding entry.
  ExpectFileContent(DataPath("installed/listing/by_type.out"), List(*toc, ZYNINSListByType));
  ExpectFileContent(DataPath("installed/listing/full.out"), List(*toc, ZYNINSListFull));
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(InstTocListTest, OtherListingsAreTheBaseOnes) {
  auto toc = LoadInstToc(DataPath("installed/listing/superseding.toc"));
  for (ZYNINSListType which : {ZYNINSListFixes, ZYNINSListProducts, ZYNINSListAllTypes, ZYNINSListVisible})
    EXPECT_EQ(List(*toc, which), ListAsBase(*toc, which)) << which;

  // Only code names that are superseded get the section.
  auto zarnOnly = LoadInstToc(DataPath("installed/listing/zarn_only.toc"));
  ASSERT_EQ(zarnOnly->GetNbToc(), 2);
  EXPECT_EQ(List(*zarnOnly, ZYNINSListByType), ListAsBase(*zarnOnly, ZYNINSListByType));
}

TEST_F(InstTocListTest, FailedLoadListsNoSupersededSection) {
  // The load gives up on the pack without framework, after the names were indexed.
  auto toc = LoadInstToc(WriteFile("toc", "code:PRD:P:OLD:::1:20240101000000:lnx:R1:0:P:\n"
                                          "code:FSP:X.1::P::1:20240101000000:lnx:R1:1:X:\n"));
  ASSERT_EQ(toc->GetNbToc(), -1);
  EXPECT_EQ(List(*toc, ZYNINSListFull), ListAsBase(*toc, ZYNINSListFull));
}

TEST_F(InstTocListTest, SelfSupersedingUnitNamesItself) {
  auto toc = LoadInstToc(DataPath("installed/load/odd_relations.toc"));
  std::string out = List(*toc, ZYNINSListByType);
  EXPECT_NE(out.find("# SUPERSEDED:\n#===========\nCY1.1 superseded by CY1.1\nSELF superseded by SELF\n"
                     "CY1 superseded by CY2\n"),
            std::string::npos)
      << out;
}

}  // namespace

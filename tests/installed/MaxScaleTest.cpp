// Catalogues at the format's maximum: they write back and read again unchanged, and every
// answer of the name indexes is the one a scan of the table gives.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MaxScaleCatalogues.h"
#include "Probes.h"
#include "TestSupport.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSStockIndex.h"

namespace {

const char *const kRelations[] = {"supersede", "prereq", "ifreq"};

// The relation queries of the installed catalogue, and what one scan of the table finds.
class ScannedInstToc : public InstTocProbe {
 public:
  using InstTocProbe::InstTocProbe;

  std::vector<int> Indexed(int relation, const std::string &name, ZYNINSType type) const {
    ZYNINSStockIndex list;
    if (relation == 0) GetSuperseding(name.c_str(), type, &list);
    if (relation == 1) GetPrerequing(name.c_str(), type, &list);
    if (relation == 2) GetIfrequing(name.c_str(), type, &list);
    std::vector<int> positions;
    for (unsigned int k = 0; k < list.GetNbIndex(); ++k) positions.push_back(list.GetIndex(k));
    return positions;
  }
  int IndexedFirst(std::string name, ZYNINSType type) const { return GetIndex(&name[0], type); }

  // Per type: the first position of each name, and the ascending positions whose lists name it.
  struct Scan {
    std::map<std::string, int> first;
    std::map<std::string, std::vector<int>> related[3];
  };
  Scan Scanned(ZYNINSType type) const {
    Scan scan;
    for (int i = 0; i < _NbToc; ++i) {
      const ZYNINSUnitToc &e = _Entries[i];
      if (e.GetType() != type) continue;
      scan.first.emplace(e.GetName(), i);
      for (int k = 0; k < e.GetNbSupersede(); ++k) Note(scan.related[0][e.GetSupersede(k)], i);
      for (int k = 0; k < e.GetNbPrereq(); ++k) Note(scan.related[1][e.GetPrereq(k)], i);
      for (int k = 0; k < e.GetNbIfreq(); ++k) Note(scan.related[2][e.GetIfreq(k)->GetReqName()], i);
    }
    return scan;
  }

 private:
  static void Note(std::vector<int> &positions, int i) {
    if (positions.empty() || positions.back() != i) positions.push_back(i);
  }
};

class MaxScaleTest : public TocTest {
 protected:
  void SetUp() override {
    TocTest::SetUp();
    files = WriteMaxScaleCatalogues(Dir(), false);
  }
  MaxScaleCatalogues files;
};

}  // namespace

TEST_F(MaxScaleTest, CataloguesWriteBackAndReadAgainUnchanged) {
  InstTocProbe installed(files.installedToc);
  ASSERT_EQ(installed.GetNbToc(), files.installedLines) << TakeDiagnostics();
  EXPECT_EQ(Written(installed), ReadFile(files.installedToc));

  std::vector<char> mediumPath(files.mediumToc.begin(), files.mediumToc.end() + 1);
  ZYNINSMediaToc medium(mediumPath.data());
  ASSERT_EQ(medium.GetNbToc(), 4095) << TakeDiagnostics();
  std::string entries = Written(medium);
  TocProbe again(WriteFile("again/TOC", entries));
  ASSERT_EQ(again.GetNbToc(), 4095);
  EXPECT_EQ(Written(again), entries);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(MaxScaleTest, IndexesAnswerAsScansDo) {
  ScannedInstToc toc(files.installedToc);
  ASSERT_EQ(toc.GetNbToc(), files.installedLines) << TakeDiagnostics();
  // Every name the table holds, as a unit or in a list, and one it does not.
  std::vector<std::string> names = {"NO_SUCH_UNIT"};
  for (int i = 0; i < toc.GetNbToc(); ++i) {
    const ZYNINSUnitToc &e = toc.Entry(i);
    names.push_back(e.GetName());
    for (int k = 0; k < e.GetNbSupersede(); ++k) names.push_back(e.GetSupersede(k));
    for (int k = 0; k < e.GetNbIfreq(); ++k) names.push_back(e.GetIfreq(k)->GetCondName());
  }
  int compared = 0;
  for (ZYNINSType type : {ZYNINSCode, ZYNINSZarn}) {
    ScannedInstToc::Scan scan = toc.Scanned(type);
    for (const std::string &name : names) {
      auto first = scan.first.find(name);
      ASSERT_EQ(toc.IndexedFirst(name, type), first == scan.first.end() ? -1 : first->second) << name;
      for (int relation = 0; relation < 3; ++relation) {
        auto related = scan.related[relation].find(name);
        ASSERT_EQ(toc.Indexed(relation, name, type),
                  related == scan.related[relation].end() ? std::vector<int>() : related->second)
            << kRelations[relation] << " " << name;
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 7000);
}

// Removal on the whole installation: every product with its closure takes every product,
// configuration and fix, and no framework, since their service packs stay; every fix goes alone.
TEST_F(MaxScaleTest, RemovalsCoverTheWholeInstallation) {
  InstTocProbe toc(files.installedToc);
  ASSERT_EQ(toc.GetNbToc(), files.installedLines);
  std::vector<char> names(files.installedProducts.size() * 32);
  for (size_t i = 0; i < files.installedProducts.size(); ++i)
    strncpy(&names[i * 32], files.installedProducts[i].c_str(), 31);
  auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  unsigned int size = toc.GetSize(reinterpret_cast<char (*)[32]>(names.data()),
                                  static_cast<unsigned int>(files.installedProducts.size()), ZYNINSCode, 1, list);
  std::vector<std::string> expected, removed;
  unsigned long long expectedSize = 0;  // saturates one below the failure value
  for (int i = toc.GetNbToc() - 1; i >= 0; --i) {
    const ZYNINSUnitToc &e = toc.Entry(i);
    if (e.GetPkg() != ZYNINSPRD && e.GetPkg() != ZYNINSSLT && e.GetPkg() != ZYNINSFIX) continue;
    expected.push_back(e.GetName());
    expectedSize += e.GetSize();
  }
  for (unsigned int k = 0; k < list->GetNbName(); ++k) removed.push_back(list->GetName(k));
  EXPECT_EQ(removed, expected);
  EXPECT_EQ(size, std::min(expectedSize, 0xFFFFFFFEull));
  operator delete(list);

  std::vector<char> fixes(files.installedFixes.size() * 32);
  for (size_t i = 0; i < files.installedFixes.size(); ++i)
    strncpy(&fixes[i * 32], files.installedFixes[i].c_str(), 31);
  toc.GetSize(reinterpret_cast<char (*)[32]>(fixes.data()), static_cast<unsigned int>(files.installedFixes.size()));
  std::istringstream written(ReadFile("to_remove"));
  int lines = 0;
  for (std::string line; std::getline(written, line);) ++lines;
  EXPECT_EQ(lines, static_cast<int>(files.installedFixes.size()));
  EXPECT_EQ(TakeDiagnostics(), "");
}

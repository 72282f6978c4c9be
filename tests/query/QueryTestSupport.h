// Fixture of the query tests: catalogues written into the test's directory and loaded there.
#ifndef QueryTestSupport_h
#define QueryTestSupport_h

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Probes.h"
#include "TestSupport.h"

class QueryTest : public TocTest {
 protected:
  static constexpr const char *kNoPCFG = "\x01no PCFG.list";

  // Writes the TOC text (and PCFG.list beside it unless kNoPCFG) into dir and loads it.
  std::unique_ptr<TocProbe> Load(const std::string &toc, const std::string &pcfg = kNoPCFG,
                                const std::string &dir = "cat") {
    std::string path = WriteFile(dir + "/TOC", toc);
    if (pcfg != kNoPCFG) WriteFile(dir + "/PCFG.list", pcfg);
    return std::make_unique<TocProbe>(path);
  }

  // The realistic catalogue of the data folder, copied so that its PCFG.list can be swapped.
  std::unique_ptr<TocProbe> LoadCatalogue(const std::string &pcfg) {
    return Load(ReadFile(DataPath("query/catalogue/TOC")), pcfg);
  }

  static std::vector<std::string> Names(ZYNINSStockName &list) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < list.GetNbName(); ++i) names.push_back(list.GetName(static_cast<int>(i)));
    return names;
  }

  static std::vector<std::pair<std::string, std::string>> Labelled(ZYNINSStockName &list) {
    std::vector<std::pair<std::string, std::string>> items;
    for (unsigned int i = 0; i < list.GetNbName(); ++i)
      items.emplace_back(list.GetName(static_cast<int>(i)), list.GetLabel(static_cast<int>(i)));
    return items;
  }

  // A list on the heap (it is too large for comfort on the stack), filled by GetPackage.
  std::unique_ptr<ZYNINSStockName> Package(const ZYNINSToc &toc, ZYNINSPkg pkg, ZYNINSType type,
                                           int visible = 0) {
    std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
    toc.GetPackage(pkg, type, list.get(), visible);
    return list;
  }
};

// A line of the query tests: a unit on Base, in the OS and GA level of their catalogues.
inline std::string QueryLine(const std::string &type, const std::string &pkg, const std::string &name,
                             const std::string &label) {
  return TocLine(type, pkg, name).Prereqs("Base ").Timestamp("20240105101010").OS("lnx64").GA("R21").Label(label);
}

#endif

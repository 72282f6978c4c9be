// A whole media catalogue with its prefixes, and the PCFG.list beside it, loaded from
// the input; then its package lists with and without the filter, the catalogue written
// back, and installation planning (the only user of the sequence-number lookup).
// Input: the TOC, "%%", the PCFG.list (none without the "%%"), "%%", the names to plan.
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZYNINSMediaToc.h"

namespace {

void ListPackages(const ZYNINSMediaToc &medium) {
  std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
  for (int pkg = ZYNINSFWK; pkg <= ZYNINSSPK; ++pkg)
    for (ZYNINSType type : {ZYNINSCode, ZYNINSZarn, ZYNINSUnknownQ})
      for (int visible = 0; visible <= 1; ++visible) {
        medium.GetPackage(static_cast<ZYNINSPkg>(pkg), type, list.get(), visible);
        zynfuzz::Require(list->GetNbName() <= 4096, "a package list longer than its room");
        for (unsigned int i = 0; i < list->GetNbName(); ++i)
          zynfuzz::Discard() << list->GetName(i) << (list->GetLabel(i) ? list->GetLabel(i) : "");
      }
}

void Plan(const ZYNINSMediaToc &medium, const std::vector<std::string> &names) {
  std::unique_ptr<char[][32]> requests = zynfuzz::NameArray(names);
  for (ZYNINSType type : {ZYNINSCode, ZYNINSZarn})
    for (int mediaSwitch = 0; mediaSwitch <= 1; ++mediaSwitch) {
      unsigned int count = 0;
      char(*list)[32] = nullptr;
      unsigned int size = medium.GetSize(requests.get(), static_cast<unsigned int>(names.size()), type,
                                         mediaSwitch, &count, list, nullptr);
      if (size == static_cast<unsigned int>(-1)) continue;
      for (unsigned int i = 0; i < count; ++i) zynfuzz::Discard() << list[i];
      delete[] list;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> parts = zynfuzz::SplitParts(data, size, 3);
  zynfuzz::PrivateWorkDir work;
  std::string dir = work.Path() + "/medium";
  std::string path = dir + "/TOC";
  zynfuzz::WriteFile(path, parts[0]);
  if (std::string(reinterpret_cast<const char *>(data), size).find("%%") != std::string::npos)
    zynfuzz::WriteFile(dir + "/PCFG.list", parts[1]);

  zynfuzz::ResetDiagnostics();
  auto medium = std::make_unique<ZYNINSMediaToc>(&path[0]);
  ListPackages(*medium);
  zynfuzz::Discard() << *medium;
  std::vector<std::string> names = zynfuzz::NamesIn(parts[2], 16);
  if (names.empty()) names = zynfuzz::NamesIn(parts[0], 16);
  Plan(*medium, names);
  zynfuzz::FetchDiagnostics();
  return 0;
}

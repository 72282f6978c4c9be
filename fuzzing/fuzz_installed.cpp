// A whole installed catalogue loaded from the input, then every query on it.
// Input: the catalogue, "%%", the names of the control files the installation holds.
// A refused catalogue must answer as an empty one; a loaded one, written back, must load
// again into the same lines.
#include <memory>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "ZYNINSInstToc.h"

namespace {

void Query(ZYNINSInstToc &installed, std::vector<std::string> names) {
  for (std::string &name : names) {
    for (ZYNINSType type : {ZYNINSCode, ZYNINSZarn, ZYNINSUnknownQ}) installed.IsInstalled(name.c_str(), type);
    installed.GetMaxSPKLevel(&name[0]);
  }
}

void CheckAnswersAsEmpty(ZYNINSInstToc &installed, std::vector<std::string> names, std::string root) {
  for (std::string &name : names) {
    for (ZYNINSType type : {ZYNINSCode, ZYNINSZarn})
      zynfuzz::Require(installed.IsInstalled(name.c_str(), type) == -1, "a refused catalogue knows a unit");
    zynfuzz::Require(installed.GetMaxSPKLevel(&name[0]) == 0, "a refused catalogue has a level");
  }
  std::ostringstream report;
  zynfuzz::Require(installed.CheckIntegrity(report, &root[0]) == 0 && report.str().empty(),
                   "a refused catalogue shows its integrity");
}

std::string Written(ZYNINSInstToc &installed) {
  std::ostringstream out;
  out << installed;
  return out.str();
}

void CheckWrittenCatalogueReloads(ZYNINSInstToc &installed, const std::string &dir) {
  std::string path = dir + "/written/PRESENT";
  std::string written = Written(installed);
  zynfuzz::WriteFile(path, written);
  auto again = std::make_unique<ZYNINSInstToc>(&path[0]);
  zynfuzz::Require(again->GetNbToc() == installed.GetNbToc(), "a written catalogue does not load again");
  zynfuzz::Require(Written(*again) == written, "a written catalogue loads into other lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> parts = zynfuzz::SplitParts(data, size, 2);
  zynfuzz::PrivateWorkDir work;
  std::string root = work.Path() + "/install";
  std::string path = root + "/control/PRESENT";
  zynfuzz::WriteFile(path, parts[0]);
  for (const std::string &name : zynfuzz::NamesIn(parts[1], 64))
    if (name != "." && name != "..") zynfuzz::WriteFile(root + "/control/" + name, "");

  zynfuzz::ResetDiagnostics();
  auto installed = std::make_unique<ZYNINSInstToc>(&path[0]);
  std::ostream &out = zynfuzz::Discard();
  for (int which = ZYNINSListFixes; which <= ZYNINSListVisible; ++which)
    installed->ListContent(static_cast<ZYNINSListType>(which), out);
  out << installed->GetOS() << installed->GetGALevel() << installed->GetSPKLevel(0)
      << installed->GetSPKLevel(1);
  installed->GetMaxSPKLevel(out);
  installed->CheckIntegrity(out, &root[0]);
  std::vector<std::string> names = zynfuzz::NamesIn(parts[0], 64);
  Query(*installed, names);
  if (installed->GetNbToc() == -1)
    CheckAnswersAsEmpty(*installed, names, root);
  else
    CheckWrittenCatalogueReloads(*installed, work.Path());

  // Editing: order a unit's requisites, drop units, and ask again about what is left.
  std::vector<std::string> edited = zynfuzz::NamesIn(parts[1], 4);
  for (std::string name : edited) installed->BuildTsort(&name[0], ZYNINSCode);
  for (std::string name : edited) installed->Remove(&name[0], ZYNINSCode);
  Query(*installed, names);
  out << *installed;
  zynfuzz::FetchDiagnostics();
  return 0;
}

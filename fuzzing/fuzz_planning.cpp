// Installation planning and both removal plannings on a media and an installed
// catalogue split from one input. Input: the media TOC, "%%", the installed catalogue,
// "%%", the requests: a first line whose first byte chooses the modes (bit 0 zarn,
// bit 1 media switch, bit 2 removal closure, bit 3 no installed catalogue given to
// installation planning; '0' to '9' read well), then the requested names.
#include <cstring>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

namespace {

constexpr unsigned int kFailed = static_cast<unsigned int>(-1);

void PlanInstallation(const ZYNINSMediaToc &medium, ZYNINSInstToc *installed, char (*requests)[32],
                      unsigned int n, ZYNINSType type, int mediaSwitch) {
  unsigned int count = 0;
  char(*list)[32] = nullptr;
  if (medium.GetSize(requests, n, type, mediaSwitch, &count, list, installed) == kFailed) return;
  zynfuzz::Require(list != nullptr, "a planned install list is missing");
  for (unsigned int i = 0; i < count; ++i)
    zynfuzz::Require(memchr(list[i], '\0', 32) != nullptr, "an install list name without its NUL");
  delete[] list;
}

void PlanRemoval(ZYNINSInstToc &installed, char (*requests)[32], unsigned int n, ZYNINSType type,
                 int closure) {
  installed.GetSize(requests, n);
  std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
  list->Reset();
  if (installed.GetSize(requests, n, type, closure, list.get()) == kFailed) return;
  zynfuzz::Require(list->GetNbName() <= 4096, "a removal list longer than its room");
  for (unsigned int i = 0; i < list->GetNbName(); ++i) zynfuzz::Discard() << list->GetName(i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> parts = zynfuzz::SplitParts(data, size, 3);
  zynfuzz::PrivateWorkDir work;
  std::string dir = work.Path();
  std::string mediaPath = dir + "/medium/TOC";
  std::string installedPath = dir + "/install/control/PRESENT";
  zynfuzz::WriteFile(mediaPath, parts[0]);
  zynfuzz::WriteFile(installedPath, parts[1]);
  unsigned modes = parts[2].empty() ? 0 : static_cast<unsigned char>(parts[2][0]);
  ZYNINSType type = modes & 1 ? ZYNINSZarn : ZYNINSCode;
  size_t modeLineEnd = parts[2].find('\n');
  std::vector<std::string> names =
      zynfuzz::NamesIn(modeLineEnd == std::string::npos ? "" : parts[2].substr(modeLineEnd + 1), 64);
  std::unique_ptr<char[][32]> requests = zynfuzz::NameArray(names);
  unsigned int n = static_cast<unsigned int>(names.size());

  zynfuzz::ResetDiagnostics();
  auto medium = std::make_unique<ZYNINSMediaToc>(&mediaPath[0]);
  auto installed = std::make_unique<ZYNINSInstToc>(&installedPath[0]);
  PlanInstallation(*medium, modes & 8 ? nullptr : installed.get(), requests.get(), n, type, modes & 2 ? 1 : 0);
  PlanRemoval(*installed, requests.get(), n, type, modes & 4 ? 1 : 0);
  zynfuzz::FetchDiagnostics();
  return 0;
}

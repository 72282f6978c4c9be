// Space of the selection, the install list it gives, and whether a medium is fully installed.
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNameTable.h"
#include "ZYNINSSetupState.h"

namespace {

// Appends to the selected names those of the offered units whose label is a selected label:
// labels in selection order, then units in offered order.
void NamesOfSelection(char **selected, int nbSelected, ZYNINSStockName *list, const int *offered, int nbOffered,
                      ZYNINSNameTable &taken, char (*names)[ZYNINSNameWidth], unsigned int *n) {
  // The offered units of each label, chained in offered order; the labels stay in the catalogue
  // for the call.
  std::unordered_map<std::string_view, int> firstOfLabel(static_cast<std::size_t>(nbOffered));
  std::vector<int> nextOfLabel(static_cast<std::size_t>(nbOffered), -1);
  std::vector<int> lastOfLabel(static_cast<std::size_t>(nbOffered), -1);
  for (int i = 0; i < nbOffered; ++i) {
    const char *label = list->GetLabel(offered[i]);
    auto inserted = firstOfLabel.emplace(label ? label : "", i);
    int &last = lastOfLabel[static_cast<std::size_t>(inserted.first->second)];
    if (!inserted.second) nextOfLabel[static_cast<std::size_t>(last)] = i;
    last = i;
  }
  for (int s = 0; s < nbSelected; ++s) {
    auto found = firstOfLabel.find(selected[s]);
    if (found == firstOfLabel.end()) continue;
    for (int i = found->second; i >= 0; i = nextOfLabel[static_cast<std::size_t>(i)]) {
      // A label selected twice adds nothing: the names always fit the room of the offered count.
      const char *name = list->GetName(offered[i]);
      bool added = false;
      taken.Intern(name, ZYNINSNameWidth, &added);
      if (added) memcpy(names[(*n)++], name, ZYNINSNameWidth);
    }
  }
}

int GetSpaceRequiredIn(const ZYNINSFlatMode &mode, int *size, char *message) {
  ZYNINSSetupState &s = ZYNINSSetup;
  if (!s.SetupMediaToc) {
    if (size) *size = 0;
    return 0;
  }
  unsigned int n = 0;
  if (s.SelectedNames) {
    ZYNINSNameTable taken;
    NamesOfSelection(s.ConfigSelect, s.NbConfigSelect, s.ConfigList, s.AvailConfig, s.NbAvailConfig, taken,
                     s.SelectedNames, &n);
    NamesOfSelection(s.ProdSelect, s.NbProdSelect, s.ProductList, s.AvailProduct, s.NbAvailProduct, taken,
                     s.SelectedNames, &n);
  }

  char noName[1][ZYNINSNameWidth] = {{0}};
  ZYNINSToc::sResetInfoMsg(nullptr);
  unsigned int planned = ZYNINSSetupPlan(s.SelectedNames ? s.SelectedNames : noName, n, mode.PlanType);
  if (planned == ZYNINSFailed) {
    char *text = nullptr;
    ZYNINSToc::sGetInfoMsg(text);
    if (size) *size = -1;
    if (!text || !*text) return 0;
    // A text of the buffer's size or more fills it without a NUL.
    if (message) strncpy(message, text, ZYNINSMessageRoom);
    return -1;
  }
  if (size) *size = ZYNINSSetupKiB(planned);
  return 0;
}

// Whether the open installation holds, or supersedes, every listed unit of one kind on the medium.
bool AllInstalled(ZYNINSPkg pkg, const ZYNINSFlatMode &mode, ZYNINSStockName *list) {
  list->Reset();
  ZYNINSSetup.SetupMediaToc->GetPackage(pkg, mode.ListType, list, 1);
  for (unsigned int i = 0; i < list->GetNbName(); ++i)
    if (ZYNINSSetup.SetupInstToc->IsInstalled(list->GetName(i), mode.InstalledType) == -1) return false;
  return true;
}

// What fails in the flat code itself (no room for the selection's names) fails like planning
// without a text: size -1, result 0.
int GuardedSpaceRequired(const ZYNINSFlatMode &mode, int *size, char *message) {
  int result = 0;
  if (ZYNINSRunGuarded([&] { result = GetSpaceRequiredIn(mode, size, message); }) == ZYNINSThrown::Nothing)
    return result;
  if (size) *size = -1;
  return 0;
}

int CheckUnloadProductIn(const ZYNINSFlatMode &mode) {
  if (!ZYNINSSetup.SetupMediaToc || !ZYNINSSetup.SetupInstToc) return 0;
  ZYNINSStockName *list = ZYNINSNewNameList();
  if (!list) return 0;
  bool unloaded = AllInstalled(ZYNINSPRD, mode, list) && AllInstalled(ZYNINSSLT, mode, list);
  ZYNINSFreeNameList(list);
  return unloaded ? 1 : 0;
}


}  // namespace

// Each exported function runs guarded (ZYNINSGuard.h), with the failure result it documents.
extern "C" {

int ZYNTOC_CALL GetSpaceRequired(int *size, char *message) { return GuardedSpaceRequired(ZYNINSCodeMode, size, message); }

int ZYNTOC_CALL GetSpaceRequiredZARN(int *size, char *message) { return GuardedSpaceRequired(ZYNINSZarnMode, size, message); }

int ZYNTOC_CALL GetnbCAF(int *count) {
  return ZYNINSGuarded(0, [&] {
    if (count) *count = static_cast<int>(ZYNINSSetup.NbCAF);
    return 0;
  });
}

int ZYNTOC_CALL GetiemeCAF(int i, char *name) {
  return ZYNINSGuarded(0, [&] {
    const ZYNINSSetupState &s = ZYNINSSetup;
    if (!name) return 0;
    if (i >= 0 && static_cast<unsigned int>(i) < s.NbCAF)
      memcpy(name, s.CAFList[i], ZYNINSNameWidth);
    else
      name[0] = '\0';
    return 0;
  });
}

int ZYNTOC_CALL CheckUnloadProduct(void) {
  return ZYNINSGuarded(0, [] { return CheckUnloadProductIn(ZYNINSCodeMode); });
}

int ZYNTOC_CALL CheckUnloadProductZARN(void) {
  return ZYNINSGuarded(0, [] { return CheckUnloadProductIn(ZYNINSZarnMode); });
}

}  // extern "C"


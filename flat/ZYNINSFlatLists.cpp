// The product lists a setup front end shows: what a medium offers and what is installed.
#include <cstring>
#include <new>

#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLabelCopy.h"
#include "ZYNINSLimits.h"
#include "ZYNINSSetupState.h"

namespace {

// Fills a new list with the visible names of one package kind; an empty list without a catalogue.
ZYNINSStockName *ListPackage(const ZYNINSToc *toc, ZYNINSPkg pkg, ZYNINSType type, int *count) {
  *count = 0;
  ZYNINSStockName *list = ZYNINSNewNameList();
  if (!list) return nullptr;
  list->Reset();
  if (toc) toc->GetPackage(pkg, type, list, 1);
  *count = static_cast<int>(list->GetNbName());
  return list;
}

// Positions of the listed units that the installed catalogue neither holds nor supersedes.
int *OfferedPositions(ZYNINSStockName *list, int count, ZYNINSType type, int *nbOffered) {
  *nbOffered = 0;
  int *positions = new (std::nothrow) int[count];
  if (!positions) return nullptr;
  ZYNINSInstToc *installed = ZYNINSSetup.SetupInstToc;
  for (int p = 0; p < count; ++p)
    if (!installed || installed->IsInstalled(list->GetName(p), type) == -1) positions[(*nbOffered)++] = p;
  return positions;
}

void AppendNames(char (*names)[ZYNINSNameWidth], unsigned int *n, ZYNINSStockName *list, const int *positions, int count) {
  for (int i = 0; i < count; ++i) memcpy(names[(*n)++], list->GetName(positions[i]), ZYNINSNameWidth);
}

// Size in KiB of installing everything offered, 0 when planning fails; planning's messages
// stay in the buffer.
int PlanEverythingOffered(ZYNINSType type, ZYNINSStockName *products, const int *availProduct,
                          int nbAvailProduct, ZYNINSStockName *configs, const int *availConfig,
                          int nbAvailConfig) {
  if (!ZYNINSSetup.SetupMediaToc) return 0;
  char(*names)[ZYNINSNameWidth] = new (std::nothrow) char[nbAvailConfig + nbAvailProduct][ZYNINSNameWidth];
  if (!names) return 0;
  unsigned int n = 0;
  AppendNames(names, &n, configs, availConfig, nbAvailConfig);
  AppendNames(names, &n, products, availProduct, nbAvailProduct);
  unsigned int size = ZYNINSSetupPlan(names, n, type);
  delete[] names;
  return size == ZYNINSFailed ? 0 : ZYNINSSetupKiB(size);
}

int GenerateListProductIn(const ZYNINSFlatMode &mode, int *nbProduct, int *nbConfig, int *size) {
  const ZYNINSMediaToc *media = ZYNINSSetup.SetupMediaToc;
  int nbP = 0, nbC = 0, nbAvailP = 0, nbAvailC = 0;
  ZYNINSStockName *products = ListPackage(media, ZYNINSPRD, mode.ListType, &nbP);
  ZYNINSStockName *configs = ListPackage(media, ZYNINSSLT, mode.ListType, &nbC);
  int *availP = products ? OfferedPositions(products, nbP, mode.InstalledType, &nbAvailP) : nullptr;
  int *availC = configs ? OfferedPositions(configs, nbC, mode.InstalledType, &nbAvailC) : nullptr;
  if (!availP || !availC) nbAvailP = nbAvailC = 0;  // short of memory: offer nothing

  int kb = PlanEverythingOffered(mode.PlanType, products, availP, nbAvailP, configs, availC, nbAvailC);
  ZYNINSSetupStoreMediaLists(products, nbP, configs, nbC, availP, nbAvailP, availC, nbAvailC);

  if (size) *size = kb;
  if (nbProduct) *nbProduct = ZYNINSSetup.NbAvailProduct;
  if (nbConfig) *nbConfig = ZYNINSSetup.NbAvailConfig;
  return 0;
}

int GenerateInstalledIn(const ZYNINSFlatMode &mode, int *count) {
  const ZYNINSInstToc *installed = ZYNINSSetup.SetupInstToc;
  int nbP = 0, nbC = 0;
  ZYNINSStockName *products = ListPackage(installed, ZYNINSPRD, mode.ListType, &nbP);
  ZYNINSStockName *configs = ListPackage(installed, ZYNINSSLT, mode.ListType, &nbC);
  if (!products || !configs) nbP = nbC = 0;
  ZYNINSSetupStoreInstalledLists(products, nbP, configs, nbC);
  if (count) *count = nbC + nbP;
  return 0;
}

// Label of offered unit i: the list position stored at i of the offered positions.
void CopyOfferedLabel(ZYNINSStockName *list, const int *offered, int nbOffered, int i, char *label) {
  ZYNINSCopyLabel(label, i >= 0 && i < nbOffered ? list->GetLabel(offered[i]) : nullptr);
}

}  // namespace

// Each exported function runs guarded (ZYNINSGuard.h); they have no failure result but 0.
extern "C" {

int ZYNTOC_CALL GenerateListProduct(int *nbProduct, int *nbConfig, int *size) {
  return ZYNINSGuarded(0, [&] { return GenerateListProductIn(ZYNINSCodeMode, nbProduct, nbConfig, size); });
}

int ZYNTOC_CALL GenerateListProductZARN(int *nbProduct, int *nbConfig, int *size) {
  return ZYNINSGuarded(0, [&] { return GenerateListProductIn(ZYNINSZarnMode, nbProduct, nbConfig, size); });
}

int ZYNTOC_CALL GenerateInstalled(int *count) {
  return ZYNINSGuarded(0, [&] { return GenerateInstalledIn(ZYNINSCodeMode, count); });
}

int ZYNTOC_CALL GenerateInstalledZARN(int *count) {
  return ZYNINSGuarded(0, [&] { return GenerateInstalledIn(ZYNINSZarnMode, count); });
}

int ZYNTOC_CALL GetiemeProductLabel(int i, char *label) {
  return ZYNINSGuarded(0, [&] {
  const ZYNINSSetupState &s = ZYNINSSetup;
  CopyOfferedLabel(s.ProductList, s.AvailProduct, s.NbAvailProduct, i, label);
  return 0;
  });
}

int ZYNTOC_CALL GetiemeConfigLabel(int i, char *label) {
  return ZYNINSGuarded(0, [&] {
  const ZYNINSSetupState &s = ZYNINSSetup;
  CopyOfferedLabel(s.ConfigList, s.AvailConfig, s.NbAvailConfig, i, label);
  return 0;
  });
}

int ZYNTOC_CALL GetiemeInstallProduct(int i, char *label) {
  return ZYNINSGuarded(0, [&] {
  const ZYNINSSetupState &s = ZYNINSSetup;
  const char *text = nullptr;
  if (i >= 0 && i < s.NbInstalledConfig)
    text = s.InstalledConfigList->GetLabel(i);
  else if (i >= s.NbInstalledConfig && i - s.NbInstalledConfig < s.NbInstalledProduct)
    text = s.InstalledProductList->GetLabel(i - s.NbInstalledConfig);
  ZYNINSCopyLabel(label, text);
  return 0;
  });
}

}  // extern "C"

// The setup state: its lists, the selection arrays and the last install list.
#include "ZYNINSSetupState.h"

#include <new>

#include "ZYNINSGuard.h"

const ZYNINSFlatMode ZYNINSCodeMode = {ZYNINSCode, ZYNINSCode, ZYNINSCode};
// Zarn lists show code and zarn entries together, but check and plan zarn only.
const ZYNINSFlatMode ZYNINSZarnMode = {ZYNINSUnknownQ, ZYNINSZarn, ZYNINSZarn};

ZYNINSSetupState ZYNINSSetup;

ZYNINSStockName *ZYNINSNewNameList() {
  void *block = ::operator new(sizeof(ZYNINSStockName), std::nothrow);
  // The list has no constructor: producers reset it before they write.
  return block ? new (block) ZYNINSStockName : nullptr;
}

void ZYNINSFreeNameList(ZYNINSStockName *list) { ::operator delete(list); }

namespace {

// A catalogue leaves the state once no slot holds it and no list points into it.
void ReleaseIfUnused(ZYNINSToc *toc) {
  const ZYNINSSetupState &s = ZYNINSSetup;
  if (!toc || toc == s.SetupMediaToc || toc == s.SetupInstToc || toc == s.IntegrityInstToc ||
      toc == s.MediaListSource || toc == s.InstalledListSource)
    return;
  delete toc;
}

// Points slot at toc; the catalogue it pointed at goes once nothing refers to it.
template <typename Toc>
void Repoint(Toc *&slot, Toc *toc) {
  Toc *old = slot;
  slot = toc;
  if (old != toc) ReleaseIfUnused(old);
}

// Puts a new pair of product and configuration lists in place of the old one, which goes.
void ReplaceLists(ZYNINSStockName *&productList, int &nbProduct, ZYNINSStockName *&configList, int &nbConfig,
                  ZYNINSStockName *products, int nbNewProduct, ZYNINSStockName *configs, int nbNewConfig) {
  ZYNINSFreeNameList(productList);
  ZYNINSFreeNameList(configList);
  productList = products;
  nbProduct = nbNewProduct;
  configList = configs;
  nbConfig = nbNewConfig;
}

void ClearSelect(char **labels, int *count) {
  for (int i = 0; i < *count; ++i) delete[] labels[i];
  *count = 0;
}

}  // namespace

void ZYNINSSetupStoreMediaToc(ZYNINSMediaToc *toc) { Repoint(ZYNINSSetup.SetupMediaToc, toc); }

void ZYNINSSetupStoreInstToc(ZYNINSInstToc *toc, int selector) {
  Repoint(selector == 1 ? ZYNINSSetup.SetupInstToc : ZYNINSSetup.IntegrityInstToc, toc);
}

void ZYNINSSetupClearProdSelect() { ClearSelect(ZYNINSSetup.ProdSelect, &ZYNINSSetup.NbProdSelect); }

void ZYNINSSetupClearConfigSelect() { ClearSelect(ZYNINSSetup.ConfigSelect, &ZYNINSSetup.NbConfigSelect); }

void ZYNINSSetupStoreMediaLists(ZYNINSStockName *products, int nbProduct, ZYNINSStockName *configs,
                                int nbConfig, int *availProduct, int nbAvailProduct, int *availConfig,
                                int nbAvailConfig) {
  ZYNINSSetupState &s = ZYNINSSetup;
  ZYNINSSetupClearProdSelect();
  ZYNINSSetupClearConfigSelect();
  delete[] s.ProdSelect;
  delete[] s.ConfigSelect;
  delete[] s.SelectedNames;
  delete[] s.AvailProduct;
  delete[] s.AvailConfig;
  ReplaceLists(s.ProductList, s.NbProduct, s.ConfigList, s.NbConfig, products, nbProduct, configs, nbConfig);
  Repoint(s.MediaListSource, s.SetupMediaToc);

  s.AvailProduct = availProduct;
  s.NbAvailProduct = nbAvailProduct;
  s.AvailConfig = availConfig;
  s.NbAvailConfig = nbAvailConfig;

  s.ProdSelect = new (std::nothrow) char *[nbAvailProduct];
  s.ConfigSelect = new (std::nothrow) char *[nbAvailConfig];
  s.SelectedNames = new (std::nothrow) char[nbAvailProduct + nbAvailConfig][ZYNINSNameWidth];
  if (!s.ProdSelect || !s.ConfigSelect || !s.SelectedNames) {
    // Without room for a selection, nothing can be offered.
    delete[] s.ProdSelect;
    delete[] s.ConfigSelect;
    delete[] s.SelectedNames;
    s.ProdSelect = s.ConfigSelect = nullptr;
    s.SelectedNames = nullptr;
    s.NbAvailProduct = s.NbAvailConfig = 0;
  }
}

void ZYNINSSetupStoreInstalledLists(ZYNINSStockName *products, int nbProduct, ZYNINSStockName *configs,
                                    int nbConfig) {
  ZYNINSSetupState &s = ZYNINSSetup;
  ReplaceLists(s.InstalledProductList, s.NbInstalledProduct, s.InstalledConfigList, s.NbInstalledConfig, products,
               nbProduct, configs, nbConfig);
  Repoint(s.InstalledListSource, s.SetupInstToc);
}

unsigned int ZYNINSSetupPlan(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type) {
  ZYNINSSetupState &s = ZYNINSSetup;
  unsigned int count = 0;
  char(*list)[ZYNINSNameWidth] = nullptr;
  unsigned int size = s.SetupMediaToc->GetSize(names, n, type, 0, &count, list, s.SetupInstToc);
  // Planning hands out a list only when it succeeds; the one it replaces is ours to release.
  if (list) {
    delete[] s.CAFList;
    s.CAFList = list;
    s.NbCAF = count;
  }
  return size;
}

const char *ZYNINSSetupKeepGALevel(const char *text) {
  ZYNINSSetupState &s = ZYNINSSetup;
  // Without room to keep it, there is no text to hand out.
  return ZYNINSGuarded(static_cast<const char *>(nullptr), [&] {
    if (!s.GALevelTexts) s.GALevelTexts = new std::set<std::string>;
    return s.GALevelTexts->insert(text).first->c_str();
  });
}

void ZYNINSSetupReset() {
  ZYNINSSetupState &s = ZYNINSSetup;
  ZYNINSSetupStoreMediaLists(nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
  delete[] s.ProdSelect;
  delete[] s.ConfigSelect;
  delete[] s.SelectedNames;
  ZYNINSSetupStoreInstalledLists(nullptr, 0, nullptr, 0);
  delete[] s.CAFList;

  ZYNINSToc *tocs[] = {s.SetupMediaToc, s.SetupInstToc, s.IntegrityInstToc, s.MediaListSource,
                       s.InstalledListSource};
  std::set<std::string> *gaTexts = s.GALevelTexts;
  s = ZYNINSSetupState();
  s.GALevelTexts = gaTexts;
  for (size_t i = 0; i < sizeof tocs / sizeof tocs[0]; ++i) {
    bool seen = false;
    for (size_t j = 0; j < i; ++j) seen = seen || tocs[j] == tocs[i];
    if (!seen) delete tocs[i];
  }
}

// The state a setup front end builds up through the flat functions: the open
// catalogues, the product lists, the selection and the last install list.
#ifndef ZYNINSSetupState_h
#define ZYNINSSetupState_h

#include <set>
#include <string>

#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSMediaToc.h"

// What a flat function passes on: each function and its ZARN twin differ only here.
struct ZYNINSFlatMode {
  ZYNINSType ListType;       // given to GetPackage
  ZYNINSType InstalledType;  // given to IsInstalled
  ZYNINSType PlanType;       // given to installation planning
};
extern const ZYNINSFlatMode ZYNINSCodeMode;
extern const ZYNINSFlatMode ZYNINSZarnMode;

// Plain data only: it is zero when the library loads and needs no constructor.
struct ZYNINSSetupState {
  ZYNINSMediaToc *SetupMediaToc;
  ZYNINSInstToc *SetupInstToc;      // opened with selector 1
  ZYNINSInstToc *IntegrityInstToc;  // opened with any other selector

  // Media lists; their labels point into MediaListSource.
  ZYNINSStockName *ProductList;
  int NbProduct;
  ZYNINSStockName *ConfigList;
  int NbConfig;
  ZYNINSMediaToc *MediaListSource;
  // Positions of the offered units in the media lists, ascending.
  int *AvailProduct;
  int NbAvailProduct;
  int *AvailConfig;
  int NbAvailConfig;
  // Selected labels, owned copies; capacity NbAvailProduct and NbAvailConfig.
  char **ProdSelect;
  int NbProdSelect;
  char **ConfigSelect;
  int NbConfigSelect;
  // Room for the names of the selection: NbAvailProduct + NbAvailConfig slots.
  char (*SelectedNames)[ZYNINSNameWidth];

  // Installed lists; their labels point into InstalledListSource.
  ZYNINSStockName *InstalledProductList;
  int NbInstalledProduct;
  ZYNINSStockName *InstalledConfigList;
  int NbInstalledConfig;
  ZYNINSInstToc *InstalledListSource;

  // The install list of the last successful planning run.
  char (*CAFList)[ZYNINSNameWidth];
  unsigned int NbCAF;

  // Name of the installed-level function running, for its messages.
  const char *LevelCaller;
  // Every GA level text handed out; kept for the life of the process.
  std::set<std::string> *GALevelTexts;
};

extern ZYNINSSetupState ZYNINSSetup;

// Name lists are about 160 KB: one raw heap block each, or null when memory is short.
ZYNINSStockName *ZYNINSNewNameList();
void ZYNINSFreeNameList(ZYNINSStockName *list);

// Store a newly opened catalogue; the one it replaces is released once no list refers into it.
void ZYNINSSetupStoreMediaToc(ZYNINSMediaToc *toc);
void ZYNINSSetupStoreInstToc(ZYNINSInstToc *toc, int selector);

// Replace the media lists and offered positions (taking ownership), drop the selection
// and make room for a new one sized on the offered counts.
void ZYNINSSetupStoreMediaLists(ZYNINSStockName *products, int nbProduct, ZYNINSStockName *configs,
                                int nbConfig, int *availProduct, int nbAvailProduct, int *availConfig,
                                int nbAvailConfig);
// Replace the installed lists (taking ownership); their labels point into SetupInstToc.
void ZYNINSSetupStoreInstalledLists(ZYNINSStockName *products, int nbProduct, ZYNINSStockName *configs,
                                    int nbConfig);

void ZYNINSSetupClearProdSelect();
void ZYNINSSetupClearConfigSelect();

// Installation planning on the open medium; a new install list replaces (and releases) the kept one.
unsigned int ZYNINSSetupPlan(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type);

// A successful planning total in whole KiB, as a front end is given it: the unsigned total
// divided, so at most 4194303 and never negative. The failure value is the caller's to handle.
inline int ZYNINSSetupKiB(unsigned int total) { return static_cast<int>(total / static_cast<unsigned int>(ZYNINSKiB)); }

// A copy of the GA level text that stays valid for the life of the process.
const char *ZYNINSSetupKeepGALevel(const char *text);

// Releases every catalogue, list and selection and empties the state (GA texts stay).
void ZYNINSSetupReset();

#endif

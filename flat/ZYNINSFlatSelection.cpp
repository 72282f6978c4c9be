// The user's selection: owned copies of the labels picked among the offered units.
#include <cstring>
#include <new>

#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLabelCopy.h"
#include "ZYNINSSetupState.h"

namespace {

// Appends a copy of label unless the selection is full (its room is the offered count).
void Select(char **labels, int *count, int capacity, const char *label) {
  if (!labels || !label || *count >= capacity) return;
  std::size_t length = strlen(label);
  char *copy = new (std::nothrow) char[length + 1];
  if (!copy) return;
  memcpy(copy, label, length + 1);
  labels[(*count)++] = copy;
}

void SelectOffered(char **labels, int *count, int capacity, ZYNINSStockName *list, const int *offered,
                   int nbOffered) {
  for (int i = 0; i < nbOffered; ++i) {
    const char *label = list->GetLabel(offered[i]);
    Select(labels, count, capacity, label ? label : "");
  }
}

// The flat functions answer 0 whatever they hand out.
int CopySelected(char **labels, int count, int i, char *label) {
  ZYNINSCopyLabel(label, i >= 0 && i < count ? labels[i] : nullptr);
  return 0;
}

int CopyCount(int value, int *count) {
  if (count) *count = value;
  return 0;
}

}  // namespace

// Each exported function runs guarded (ZYNINSGuard.h); they have no failure result but 0.
extern "C" {

int ZYNTOC_CALL SelectAll(void) {
  return ZYNINSGuarded(0, [] {
    ZYNINSSetupState &s = ZYNINSSetup;
    SelectOffered(s.ConfigSelect, &s.NbConfigSelect, s.NbAvailConfig, s.ConfigList, s.AvailConfig,
                  s.NbAvailConfig);
    SelectOffered(s.ProdSelect, &s.NbProdSelect, s.NbAvailProduct, s.ProductList, s.AvailProduct,
                  s.NbAvailProduct);
    return 0;
  });
}

int ZYNTOC_CALL StockSelectedProdLabel(const char *label) {
  return ZYNINSGuarded(0, [&] {
    ZYNINSSetupState &s = ZYNINSSetup;
    Select(s.ProdSelect, &s.NbProdSelect, s.NbAvailProduct, label);
    return 0;
  });
}

int ZYNTOC_CALL StockSelectedConfigLabel(const char *label) {
  return ZYNINSGuarded(0, [&] {
    ZYNINSSetupState &s = ZYNINSSetup;
    Select(s.ConfigSelect, &s.NbConfigSelect, s.NbAvailConfig, label);
    return 0;
  });
}

int ZYNTOC_CALL ClearSelectAll(void) {
  return ZYNINSGuarded(0, [] {
    ZYNINSSetupClearProdSelect();
    ZYNINSSetupClearConfigSelect();
    return 0;
  });
}

int ZYNTOC_CALL ClearNbProdSelect(void) {
  return ZYNINSGuarded(0, [] {
    ZYNINSSetupClearProdSelect();
    return 0;
  });
}

int ZYNTOC_CALL ClearNbConfigSelect(void) {
  return ZYNINSGuarded(0, [] {
    ZYNINSSetupClearConfigSelect();
    return 0;
  });
}

int ZYNTOC_CALL GetNbProdSelect(int *count) {
  return ZYNINSGuarded(0, [&] { return CopyCount(ZYNINSSetup.NbProdSelect, count); });
}

int ZYNTOC_CALL GetiemeProdSelect(int i, char *label) {
  return ZYNINSGuarded(0, [&] { return CopySelected(ZYNINSSetup.ProdSelect, ZYNINSSetup.NbProdSelect, i, label); });
}

int ZYNTOC_CALL GetNbConfigSelect(int *count) {
  return ZYNINSGuarded(0, [&] { return CopyCount(ZYNINSSetup.NbConfigSelect, count); });
}

int ZYNTOC_CALL GetiemeConfigSelect(int i, char *label) {
  return ZYNINSGuarded(0, [&] {
    return CopySelected(ZYNINSSetup.ConfigSelect, ZYNINSSetup.NbConfigSelect, i, label);
  });
}

}  // extern "C"

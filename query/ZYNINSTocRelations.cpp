// Lookup by name and the reverse relations: which entries supersede, require or
// conditionally require a unit. Answers come from the catalogue's name index.
#include "ZYNINSStockIndex.h"
#include "ZYNINSToc.h"
#include "ZYNINSTocIndex.h"

namespace {
// The positions are distinct and ascending already, and fewer than the list holds.
void Fill(ZYNINSStockIndex *list, ZYNINSTocIndex::Positions positions) {
  int *items = list->Reset();
  for (int position : positions) items[(*list->GetNbIndexAddress())++] = position;
}
}  // namespace

int ZYNINSToc::GetIndex(char *name, ZYNINSType type) const { return Index().First(name, type); }

int ZYNINSToc::GetOneSuperseding(const char *name, ZYNINSType type) const {
  ZYNINSTocIndex::Positions positions = Index().Superseding(name, type);
  return positions.empty() ? -1 : positions.front();
}

void ZYNINSToc::GetSuperseding(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const {
  Fill(list, Index().Superseding(name, type));
}

void ZYNINSToc::GetPrerequing(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const {
  Fill(list, Index().Prerequing(name, type));
}

void ZYNINSToc::GetIfrequing(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const {
  Fill(list, Index().Ifrequing(name, type));
}

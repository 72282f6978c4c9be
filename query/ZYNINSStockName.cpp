// The result list of names and labels: access and copying.
#include <cstring>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

char (*ZYNINSStockName::Reset())[ZYNINSListCapacity][ZYNINSNameWidth] {
  _NbName = 0;
  return &_Name;
}

char *(*ZYNINSStockName::GetTabLabel())[ZYNINSListCapacity] { return &_Label; }

unsigned int ZYNINSStockName::GetNbName() const { return _NbName; }

unsigned int *ZYNINSStockName::GetNbNameAddress() { return &_NbName; }

char *ZYNINSStockName::GetName(int i) { return _Name[i]; }

char *ZYNINSStockName::GetLabel(int i) { return _Label[i]; }

ZYNINSStockName &ZYNINSStockName::operator=(const ZYNINSStockName &other) {
  if (this != &other) memcpy(static_cast<void *>(this), &other, sizeof *this);
  return *this;
}

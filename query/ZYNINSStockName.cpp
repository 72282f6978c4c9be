#include <cstring>

#include "ZYNINSToc.h"

char (*ZYNINSStockName::Reset())[4096][32] {
  _NbName = 0;
  return &_Name;
}

char *(*ZYNINSStockName::GetTabLabel())[4096] { return &_Label; }

unsigned int ZYNINSStockName::GetNbName() const { return _NbName; }

unsigned int *ZYNINSStockName::GetNbNameAddress() { return &_NbName; }

char *ZYNINSStockName::GetName(int i) { return _Name[i]; }

char *ZYNINSStockName::GetLabel(int i) { return _Label[i]; }

ZYNINSStockName &ZYNINSStockName::operator=(const ZYNINSStockName &other) {
  if (this != &other) memcpy(static_cast<void *>(this), &other, sizeof *this);
  return *this;
}

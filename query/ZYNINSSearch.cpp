#include "ZYNINSSearch.h"

void ZYNINSAppendName(char (*list)[32], unsigned int *count, const char *name) {
  for (unsigned int i = 0; i < *count; ++i)
    if (strncmp(list[i], name, 32) == 0) return;
  // Copy up to the NUL and zero the rest, so that no byte past the caller's name is read.
  size_t length = strnlen(name, 32);
  memcpy(list[*count], name, length);
  memset(list[*count] + length, 0, 32 - length);
  ++*count;
}

void ZYNINSAppendIndex(ZYNINSStockIndex &list, int index) {
  unsigned int *count = list.GetNbIndexAddress();
  int *items = list.GetTabIndex();
  for (unsigned int i = 0; i < *count; ++i)
    if (items[i] == index) return;
  items[(*count)++] = index;
}

// The result list of names and labels: access and copying.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

char (*ZYNINSStockName::Reset())[ZYNINSListCapacity][ZYNINSNameWidth] {
  // The list is one raw block of its documented layout (callers allocate it as such): the
  // unsigned 32-bit count, the names right after it, then the label pointers.
  static_assert(sizeof _NbName == 4 && std::is_unsigned<decltype(_NbName)>::value, "the count is unsigned 32-bit");
  static_assert(offsetof(ZYNINSStockName, _Name) == 4, "names follow the count");
  static_assert(offsetof(ZYNINSStockName, _Label) % alignof(char *) == 0 &&
                    offsetof(ZYNINSStockName, _Label) - 4 - sizeof _Name < alignof(char *),
                "labels follow the names");
  static_assert(sizeof(ZYNINSStockName) == offsetof(ZYNINSStockName, _Label) + sizeof _Label, "nothing else");
  static_assert(sizeof(void *) != 4 || sizeof(ZYNINSStockName) == 147460, "32-bit size");
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

// Facts about sizes that callers on 32-bit Windows rely on, checked by every build.
#include <climits>
#include <type_traits>

#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

static_assert(sizeof(unsigned int) == 4 && UINT_MAX == 0xFFFFFFFFu,
              "sizes and their sums are unsigned 32-bit; all ones is the failure value");
static_assert(std::is_same<decltype(std::declval<ZYNINSUnitToc &>().GetSize()), unsigned int>::value,
              "an entry's size is unsigned 32-bit");
static_assert(std::is_same<decltype(std::declval<ZYNINSMediaToc &>().GetSize(
                               nullptr, 0u, ZYNINSCode, 0, nullptr, std::declval<char (*&)[32]>(), nullptr)),
                           unsigned int>::value,
              "installation planning sums in unsigned 32-bit");
static_assert(std::is_same<decltype(std::declval<ZYNINSInstToc &>().GetSize(nullptr, 0u)), unsigned int>::value,
              "removal planning sums in unsigned 32-bit");
static_assert(sizeof(ZYNINSType) == 4 && sizeof(ZYNINSPkg) == 4 && sizeof(ZYNINSListType) == 4,
              "enumerations pass as 32-bit values");

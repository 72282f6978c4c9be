// Printing a catalogue: the inventory by package kind, and the whole catalogue in TOC line format.
#include <memory>
#include <ostream>
#include <vector>

#include "ZYNINSFormat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSNames.h"
#include "ZYNINSToc.h"
#include "ZYNINSUnitTocIO.h"

namespace {

// The item lines of a list: "name label", marked " (ZARN)" when asked.
void PrintItems(ZYNINSStockName &list, bool marked, std::ostream &out) {
  for (unsigned int i = 0; i < list.GetNbName(); ++i) {
    const char *label = list.GetLabel(static_cast<int>(i));
    out << ZYNINSNameText(list.GetName(static_cast<int>(i))) << ' ' << (label ? label : "");
    if (marked) out << " (ZARN)";
    out << '\n';
  }
}

// The groups of a listing in their order, in a fixed array: listing allocates no more than the
// list it fills.
struct ListGroups {
  ZYNINSListGroup At[6];
  int Count = 0;

  explicit ListGroups(ZYNINSListType which) {
    if (which == ZYNINSListVisible) {
      Add(ZYNINSSLT, ZYNINSUnknownQ, 1);
      Add(ZYNINSPRD, ZYNINSUnknownQ, 1);
      return;
    }
    if (which != ZYNINSListFixes) {
      // Each group of code units is followed by its zarn twin, or both types are one group.
      ZYNINSType type = which == ZYNINSListAllTypes ? ZYNINSUnknownQ : ZYNINSCode;
      bool zarnGroups = which == ZYNINSListByType || which == ZYNINSListFull;
      Add(ZYNINSSLT, type, 0);
      if (zarnGroups) Add(ZYNINSSLT, ZYNINSZarn, 0);
      Add(ZYNINSPRD, type, 0);
      if (zarnGroups) Add(ZYNINSPRD, ZYNINSZarn, 0);
    }
    if (which != ZYNINSListProducts) Add(ZYNINSFIX, ZYNINSCode, 0);
    if (which == ZYNINSListFull) Add(ZYNINSFWK, ZYNINSCode, 0);
  }
  void Add(ZYNINSPkg pkg, ZYNINSType type, int visible) { At[Count++] = {pkg, type, visible}; }
};

// The fixes and the frameworks come under titles of their own, the configurations and
// products under none.
bool HasTitle(const ZYNINSListGroup &group) { return group.Pkg == ZYNINSFIX || group.Pkg == ZYNINSFWK; }

}  // namespace

std::vector<ZYNINSListGroup> ZYNINSListGroups(ZYNINSListType which) {
  ListGroups groups(which);
  return std::vector<ZYNINSListGroup>(groups.At, groups.At + groups.Count);
}

int ZYNINSToc::ListContent(ZYNINSListType which, std::ostream &out) {
  return ZYNINSGuardedOutput(out, 0, [&] {
    // Too large for the stack of a caller's thread.
    std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
    ListGroups groups(which);
    for (int g = 0; g < groups.Count; ++g) {
      const ZYNINSListGroup &group = groups.At[g];
      if (group.Pkg == ZYNINSFWK) out << "# INTERNAL SOFTWARE PRODUCTS:\n#===========================\n";
      GetPackage(group.Pkg, group.Type, list.get(), group.Visible);
      // Fixes have their title only when there are some.
      if (group.Pkg == ZYNINSFIX && list->GetNbName() > 0) out << "# FIXES:\n#======\n";
      PrintItems(*list, group.Type == ZYNINSZarn, out);
      // A blank line ends each part (configurations and products, fixes, frameworks) but in the
      // visible listing.
      bool partEnds = g + 1 == groups.Count || HasTitle(groups.At[g + 1]);
      if (!group.Visible && partEnds) out << '\n';
    }
    out.flush();
    return 1;
  });
}

std::ostream &operator<<(std::ostream &out, ZYNINSToc &toc) {
  ZYNINSGuardedOutput(out, 0, [&] {
    for (int i = 0; i < toc._NbToc; ++i) out << toc._Entries[i];
    return 0;
  });
  return out;
}

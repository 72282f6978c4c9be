// Printing a catalogue: the inventory by package kind, and the whole catalogue in TOC line format.
#include <memory>
#include <ostream>

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

void PrintGroup(const ZYNINSToc &toc, ZYNINSPkg pkg, ZYNINSType type, int visible, bool marked,
                ZYNINSStockName &list, std::ostream &out) {
  toc.GetPackage(pkg, type, &list, visible);
  PrintItems(list, marked, out);
}

}  // namespace

int ZYNINSToc::ListContent(ZYNINSListType which, std::ostream &out) {
  return ZYNINSGuardedOutput(out, 0, [&] {
    // Too large for the stack of a caller's thread.
    std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);

    if (which == ZYNINSListVisible) {
      PrintGroup(*this, ZYNINSSLT, ZYNINSUnknownQ, 1, false, *list, out);
      PrintGroup(*this, ZYNINSPRD, ZYNINSUnknownQ, 1, false, *list, out);
      out.flush();
      return 1;
    }

    if (which != ZYNINSListFixes) {
      ZYNINSType type = which == ZYNINSListAllTypes ? ZYNINSUnknownQ : ZYNINSCode;
      bool zarnGroups = which == ZYNINSListByType || which == ZYNINSListFull;
      PrintGroup(*this, ZYNINSSLT, type, 0, false, *list, out);
      if (zarnGroups) PrintGroup(*this, ZYNINSSLT, ZYNINSZarn, 0, true, *list, out);
      PrintGroup(*this, ZYNINSPRD, type, 0, false, *list, out);
      if (zarnGroups) PrintGroup(*this, ZYNINSPRD, ZYNINSZarn, 0, true, *list, out);
      out << '\n';
    }

    if (which != ZYNINSListProducts) {
      GetPackage(ZYNINSFIX, ZYNINSCode, list.get(), 0);
      if (list->GetNbName() > 0) {
        out << "# FIXES:\n#======\n";
        PrintItems(*list, false, out);
      }
      out << '\n';
    }

    if (which == ZYNINSListFull) {
      out << "# INTERNAL SOFTWARE PRODUCTS:\n#===========================\n";
      PrintGroup(*this, ZYNINSFWK, ZYNINSCode, 0, false, *list, out);
      out << '\n';
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

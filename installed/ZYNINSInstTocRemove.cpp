// Removal planning: what must go with a set of installed units, and the space it frees.
//
// Both GetSize operations run the same plan over the installed catalogue; a rules table holds
// what differs (the package kinds a request may name, whether conditional requisites are
// followed, whether the final steps run, the wording of each fault).
//
// 1. The request: each name must be an installed unit of an accepted kind; the others are
//    reported and left out. Without the closure, the passes stop there.
// 2. The passes (ZYNINSRemovalClosure): every unit that needs a removed name (as a
//    prerequisite; as a conditional requisite too for fixes) goes, and is scanned next pass.
//    What a removed unit supersedes may have served others in its place: such a name is a
//    candidate, scanned as a removed name once no unit that supersedes it stays.
// 3. The final steps (ZYNINSRemovalFinalSteps), for products and configurations only: the
//    frameworks that only removed units need, then the fixes of every removed unit.
// 4. The answer, in reverse catalogue order: the fixes' removal writes it to the "to_remove"
//    file, the other fills the caller's list; both return the size of what goes.
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSRemovalClosure.h"
#include "ZYNINSRemovalFinalSteps.h"
#include "ZYNINSRemovalRules.h"
#include "ZYNINSRemovalSet.h"
#include "ZYNINSWholeFile.h"

namespace {

// Fixes, always code; the result goes to the "to_remove" file.
ZYNINSRemovalRules FixRules() {
  ZYNINSRemovalRules rules;
  rules.requestPkg[0] = ZYNINSFIX;
  rules.requestPkg[1] = ZYNINSFIX;
  rules.messagesNameType = false;
  rules.notFound = {"GetSize.NotFound", "%s is not found\n"};
  rules.wrongKind = {"GetSize.NotAFIX", "%s is not a FIX\n"};
  rules.followIfreq = true;
  rules.finalSteps = false;
  rules.prereqFull = {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize: internal error nbtoscanafter"};
  rules.ifreqFull = {"GetSize.InstToc.nbtoscanafter2", "ZYNINSInstToc::GetSize: internal error nbtoscanafter2"};
  rules.scannedFull = {"GetSize.InstToc.nbscanned", "ZYNINSInstToc::GetSize: internal error nbscanned"};
  rules.candidateFull = {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize: internal error nbtoscanafter\n"};
  rules.deferredFull = {"GetSize.InstToc.nbspsdafter", "ZYNINSInstToc::GetSize: internal error nbspsdafter\n"};
  rules.orphanFull = {"GetSize.InstToc.nborphan", "ZYNINSInstToc::GetSize: internal error nborphan\n"};
  rules.tooMany = {"GetSize.InstToc.TooMany", "ZYNINSInstToc::GetSize: too many names requested: %s\n"};
  return rules;
}

// Products and configurations of the caller's type; the result goes to the caller's list.
ZYNINSRemovalRules ProductRules() {
  ZYNINSRemovalRules rules;
  rules.requestPkg[0] = ZYNINSPRD;
  rules.requestPkg[1] = ZYNINSSLT;
  rules.messagesNameType = true;
  rules.notFound = {"GetSize.ToRemove.Notfound", "%s %s is not found\n"};
  rules.wrongKind = {"GetSize.NotCorrectType", "%s %s is not of correct type\n"};
  rules.followIfreq = false;
  rules.finalSteps = true;
  rules.prereqFull = {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize:internal error nbtoscanafter\n"};
  rules.ifreqFull = {nullptr, nullptr};  // conditional requisites are not followed
  rules.scannedFull = {"GetSize.InstToc.nbscanned2", "ZYNINSInstToc::GetSize:internal error nbtscanned2\n"};
  rules.candidateFull = {"GetSize.InstToc.nbtoscanafter2", "ZYNINSInstToc::GetSize:internal error nbtoscanafter2\n"};
  rules.deferredFull = {"GetSize.InstToc.nbspsdafter2", "ZYNINSInstToc::GetSize:internal error nbspsdafter2\n"};
  rules.orphanFull = {"GetSize.InstToc.nborphan", "ZYNINSInstToc::GetSize:internal error nborphan\n"};
  rules.tooMany = {"GetSize.InstToc.TooMany", "ZYNINSInstToc::GetSize:too many names requested: %s\n"};
  return rules;
}

const ZYNINSRemovalRules kFixRules = FixRules();
const ZYNINSRemovalRules kProductRules = ProductRules();

// The catalogue as a plan reads it; a catalogue whose load failed is an empty table.
ZYNINSRemovalCatalogue Catalogue(ZYNINSInstToc &toc, const ZYNINSUnitToc *entries, const ZYNINSTocIndex &index,
                                 ZYNINSType type) {
  int nbEntries = toc.GetNbToc() > 0 ? toc.GetNbToc() : 0;
  if (nbEntries == 0 || !entries) return {toc, nullptr, 0, index, type};
  return {toc, entries, nbEntries, index, type};
}

// Steps 1 to 3 on the removal set. False after an internal error, which has been reported.
bool Plan(ZYNINSRemovalSet &removal, const ZYNINSRemovalRules &rules, bool closure,
          char (*names)[ZYNINSNameWidth], unsigned int n) {
  if (!ZYNINSRemovalClosure(removal, rules, closure, names, n)) return false;
  if (rules.finalSteps) {
    ZYNINSRemoveUnusedFrameworks(removal);
    ZYNINSRemoveFixesOfRemoved(removal);
  }
  return true;
}

unsigned int SizeOf(const ZYNINSRemovalSet &removal, const std::vector<int> &order) {
  unsigned int total = 0;
  for (int index : order) total = ZYNINSAddSize(total, removal.Entry(index).GetSize());
  return total;
}

}  // namespace

unsigned int ZYNINSInstToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n) {
  // Whatever stops planning (no room, a caller's observer or diagnostic stream) fails it.
  return ZYNINSGuarded(ZYNINSFailed, [&] {
    if (!ZYNINSRequestFits(n, kFixRules.tooMany)) return ZYNINSFailed;
    ZYNINSRemovalSet removal(Catalogue(*this, _Entries, Index(), ZYNINSCode));
    if (!Plan(removal, kFixRules, true, names, n)) return ZYNINSFailed;
    std::vector<int> order = removal.InReverseCatalogueOrder();

    std::ostringstream out;
    for (int index : order) {
      const ZYNINSUnitToc &entry = removal.Entry(index);
      const char *label = entry.GetLabel();
      out << ZYNINSNameText(entry.GetName()) << ' ' << (label ? label : "") << '\n';
    }
    // Replaced whole: a failed write leaves the file of the last plan, never part of this one.
    if (!ZYNINSWriteWholeFile("to_remove", out.str())) {
      ZYNINSReport("GetSize.InstToc.toRemove", "ZYNINSInstToc::GetSize: unable to build to_remove file\n");
      return ZYNINSFailed;
    }
    return SizeOf(removal, order);
  });
}

unsigned int ZYNINSInstToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type, int closure,
                                    ZYNINSStockName *list) {
  // Taken as a number until it is known to be code or zarn: any other value is refused.
  const int typeValue = type;
  // As above; the caller's list is filled only once nothing can fail.
  return ZYNINSGuarded(ZYNINSFailed, [&] {
    if (typeValue != ZYNINSCode && typeValue != ZYNINSZarn) {
      ZYNINSReport("GetSize.InstToc.BadType", "ZYNINSInstToc::GetSize:invalid type %d\n", {typeValue});
      return ZYNINSFailed;
    }
    if (!ZYNINSRequestFits(n, kProductRules.tooMany)) return ZYNINSFailed;
    ZYNINSRemovalSet removal(Catalogue(*this, _Entries, Index(), static_cast<ZYNINSType>(typeValue)));
    if (!Plan(removal, kProductRules, closure != 0, names, n)) return ZYNINSFailed;
    std::vector<int> order = removal.InReverseCatalogueOrder();

    if (list) {
      char(*listNames)[ZYNINSListCapacity][ZYNINSNameWidth] = list->Reset();
      char *(*labels)[ZYNINSListCapacity] = list->GetTabLabel();
      for (std::size_t k = 0; k < order.size(); ++k) {
        const ZYNINSUnitToc &entry = removal.Entry(order[k]);
        memcpy((*listNames)[k], entry.GetName(), ZYNINSNameWidth);
        (*labels)[k] = entry.GetLabel();
      }
      *list->GetNbNameAddress() = static_cast<unsigned int>(order.size());
    }
    return SizeOf(removal, order);
  });
}

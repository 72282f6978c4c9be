#include "ZYNINSRemovalFinalSteps.h"

#include <cstddef>
#include <unordered_map>

#include "ZYNINSExplain.h"
#include "ZYNINSWorkList.h"

void ZYNINSRemoveUnusedFrameworks(ZYNINSRemovalSet &removal) {
  const ZYNINSTocIndex &index = removal.Index();
  const ZYNINSType type = removal.Type();
  ZYNINSIndexWorkList taken;  // names of the frameworks taken; at most one per entry: never full
  // A framework's user found staying answers until it joins the removal set itself: taken
  // frameworks may free others later in this step.
  std::unordered_map<int, int> userStaying;
  const std::size_t members = removal.Count();
  for (std::size_t m = 0; m < members; ++m) {
    const ZYNINSUnitToc &unit = removal.Entry(removal[m]);
    for (int k = 0; k < unit.GetNbPrereq(); ++k) {
      int prereq = index.NameId(unit.GetPrereq(k));
      int framework = removal.Find(prereq);
      if (framework < 0 || removal.Contains(framework) || removal.Entry(framework).GetPkg() != ZYNINSFWK ||
          taken.Contains(prereq))
        continue;
      auto held = userStaying.find(prereq);
      if (held != userStaying.end() && !removal.Contains(held->second)) continue;
      int user = removal.FirstStaying(index.Prerequing(prereq, type), true);
      if (user >= 0) {
        userStaying[prereq] = user;
        continue;
      }
      removal.Add(framework);
      taken.Add(prereq);
      if (ZYNINSPlanObserver *observer = removal.Observer())
        observer->FrameworkOnlyFor(removal.Text(prereq).c_str(), unit.GetName());
    }
  }
}

void ZYNINSRemoveFixesOfRemoved(ZYNINSRemovalSet &removal) {
  const ZYNINSTocIndex &index = removal.Index();
  const ZYNINSType type = removal.Type();
  const std::size_t members = removal.Count();
  for (std::size_t m = 0; m < members; ++m) {
    for (int fix : index.Prerequing(index.EntryNameId(removal[m]), type)) {
      if (removal.Entry(fix).GetPkg() != ZYNINSFIX) continue;
      removal.Add(fix);
      if (ZYNINSPlanObserver *observer = removal.Observer())
        observer->FixOf(removal.Entry(fix).GetName(), removal.Entry(removal[m]).GetName());
    }
  }
}

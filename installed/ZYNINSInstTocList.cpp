// The installed inventory: the base listing followed by what the installation supersedes.
#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSInstToc.h"

int ZYNINSInstToc::ListContent(ZYNINSListType which, std::ostream &out) {
  // A listing cut short (0) goes no further.
  int result = ZYNINSToc::ListContent(which, out);
  if (result == 0 || (which != ZYNINSListByType && which != ZYNINSListFull)) return result;
  if (_NbToc < 0 || _NbSuperseded[ZYNINSCode] == 0) return result;

  return ZYNINSGuardedOutput(out, 0, [&] {
    ZYNINSReport("ListContent.Title", "# SUPERSEDED:\n#===========", {}, &out);
    for (unsigned int i = 0; i < _NbSuperseded[ZYNINSCode]; ++i) {
      const char *superseded = _Superseded[ZYNINSCode][i];
      int by = GetOneSuperseding(superseded, ZYNINSCode);
      if (by == -1) continue;
      ZYNINSReport("ListContent.Superseded", "%s superseded by %s", {superseded, _Entries[by].GetName()}, &out);
    }
    return result;
  });
}

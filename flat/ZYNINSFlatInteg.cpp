// Integrity of the installed catalogue opened for checking, reduced to its result code.
#include <sstream>

#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSSetupState.h"

// Guarded (ZYNINSGuard.h): a check that cannot run does not show the integrity (0).
extern "C" int ZYNTOC_CALL CheckInteg(char *root) {
  return ZYNINSGuarded(0, [&] {
    ZYNINSInstToc *toc = ZYNINSSetup.IntegrityInstToc;
    if (!toc) return 0;
    // The findings are not delivered anywhere: only the code counts.
    std::ostringstream report;
    return toc->CheckIntegrity(report, root);
  });
}

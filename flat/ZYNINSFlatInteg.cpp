// Integrity of the installed catalogue opened for checking, reduced to its result code.
#include <sstream>

#include "ZYNINSFlat.h"
#include "ZYNINSSetupState.h"

extern "C" int ZYNTOC_CALL CheckInteg(char *root) {
  ZYNINSInstToc *toc = ZYNINSSetup.IntegrityInstToc;
  if (!toc) return 0;
  // The findings are not delivered anywhere: only the code counts.
  std::ostringstream report;
  return toc->CheckIntegrity(report, root);
}

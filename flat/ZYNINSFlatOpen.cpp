// Opening the catalogues of a setup front end and reading their levels.
#include <cstring>
#include <new>

#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSSetupState.h"
#include "ZYNMessageBox.h"

namespace {

// Shows what the catalogue's load reported, if anything: 1 when a message was shown.
int ShowLoadDiagnostics() {
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  if (!text || !*text) return 0;
  ZYNShowMessageBox(text);
  return 1;
}

char *FileNameOrEmpty(char *fileName) {
  static char empty[] = "";
  return fileName ? fileName : empty;
}

}  // namespace

extern "C" {

// Every exported function runs guarded (ZYNINSGuard.h): what a load cannot report itself
// (showing its text failed, the caller's handler threw) still counts as diagnostics shown.
int ZYNTOC_CALL newMediaToc(char *fileName) {
  return ZYNINSGuarded(1, [&] {
    ZYNINSToc::sResetInfoMsg(nullptr);
    ZYNINSSetupStoreMediaToc(new (std::nothrow) ZYNINSMediaToc(FileNameOrEmpty(fileName)));
    return ShowLoadDiagnostics();
  });
}

int ZYNTOC_CALL newInstToc(char *fileName, int selector) {
  return ZYNINSGuarded(1, [&] {
    ZYNINSToc::sResetInfoMsg(nullptr);
    ZYNINSSetupStoreInstToc(new (std::nothrow) ZYNINSInstToc(FileNameOrEmpty(fileName)), selector);
    return ShowLoadDiagnostics();
  });
}

int ZYNTOC_CALL GetGALevelTOC(char *level) {
  return ZYNINSGuarded(0, [&] {
    ZYNINSMediaToc *toc = ZYNINSSetup.SetupMediaToc;
    // The caller's buffer is already zeroed: the text goes in without a NUL of its own.
    if (toc && level) {
      const char *text = toc->GetGALevel();
      memcpy(level, text, strnlen(text, ZYNINSLevelWidth - 1));
    }
    return 0;
  });
}

int ZYNTOC_CALL GetSPLevel(int *level) {
  return ZYNINSGuarded(0, [&] {
    ZYNINSInstToc *toc = ZYNINSSetup.SetupInstToc;
    if (toc && level) *level = toc->GetSPKLevel(1);
    return 0;
  });
}

}  // extern "C"

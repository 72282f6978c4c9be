// GA and service-pack levels of the installation that ZYNInstallPath names.
#include <iostream>
#include <memory>
#include <new>
#include <string>

#include "ZYNINSDiag.h"
#include "ZYNINSFlat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSSetupState.h"
#include "ZYNSystem.h"

namespace {

// Loads the installed catalogue anew into toc: 1 when it loaded without any diagnostic.
// Failures go to the standard error stream, not to the diagnostic buffer.
int OpenInstalledCatalogue(std::unique_ptr<ZYNINSInstToc> &toc) {
  const char *caller = ZYNINSSetup.LevelCaller;
  const char *root = ZYNGetEnv("ZYNInstallPath");
  if (!root || !*root) {
    ZYNINSReport("ZYNINSTocLib.NoZYNInstallPath",
                 " Error ( %s ) : ZYNInstallPath is not set. Verify your environment.\n", {caller}, &std::cerr);
    return 0;
  }
  std::string path = std::string(root) + ZYNPathSeparator + "control" + ZYNPathSeparator + "PRESENT";
  if (path.size() >= ZYNINSPathRoom || ZYNFileAccess(path.c_str(), 0) == -1) {
    ZYNINSReport("ZYNINSTocLib.NoFilePRESENT", " Error ( %s ) : File %s is not found. Check Setup integrity.\n",
                 {caller, path}, &std::cerr);
    return 0;
  }
  ZYNINSToc::sResetInfoMsg(nullptr);
  toc.reset(new (std::nothrow) ZYNINSInstToc(&path[0]));
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  if (!text || !*text) return toc ? 1 : 0;
  ZYNINSReport("ZYNINSTocLib.InstTOC", " Error ( %s ) : %s. Check Setup integrity.\n", {caller, text}, &std::cerr);
  ZYNINSToc::sResetInfoMsg(nullptr);
  return 0;
}

}  // namespace

// Both run guarded (ZYNINSGuard.h): a failure, the caller's standard error stream throwing
// included, gives their documented failure result.
extern "C" {

const char *ZYNTOC_CALL ZYNGetGALevel(void) {
  return ZYNINSGuarded(static_cast<const char *>(nullptr), [] {
    ZYNINSSetup.LevelCaller = "ZYNGetGALevel";
    std::unique_ptr<ZYNINSInstToc> toc;
    // The text outlives the catalogue, which nothing else needs.
    return OpenInstalledCatalogue(toc) == 1 ? ZYNINSSetupKeepGALevel(toc->GetGALevel()) : nullptr;
  });
}

int ZYNTOC_CALL ZYNGetSPKLevel(void) {
  return ZYNINSGuarded(-1, [] {
    ZYNINSSetup.LevelCaller = "ZYNGetSPKLevel";
    std::unique_ptr<ZYNINSInstToc> toc;
    return OpenInstalledCatalogue(toc) == 1 ? toc->GetSPKLevel(1) : -1;
  });
}

}  // extern "C"

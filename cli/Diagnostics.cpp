// Collecting the library's diagnostics around a command and passing them to standard error.
#include "Diagnostics.h"

#include <iostream>

#include "ZYNINSToc.h"

void StartDiagnostics() { ZYNINSToc::sResetInfoMsg(nullptr); }

void FlushDiagnostics() {
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  if (text != nullptr && *text != '\0') std::cerr << text << std::flush;
  // A fresh buffer, so that the next fetch holds only the next operation's text.
  StartDiagnostics();
}

// Collecting the library's diagnostics around a command and passing them to standard error.
#include "Diagnostics.h"

#include <iostream>

#include "MessageStream.h"
#include "ZYNINSToc.h"

namespace {

bool sCollecting = false;

std::vector<std::string> &Messages() {
  static std::vector<std::string> messages;
  return messages;
}

}  // namespace

void StartDiagnostics(bool collectMessages) {
  sCollecting = sCollecting || collectMessages;
  // The library owns a stream handed to it and destroys it at its next reset.
  ZYNINSToc::sResetInfoMsg(sCollecting ? new MessageStream(Messages()) : nullptr);
}

void FlushDiagnostics() {
  // A collecting stream keeps its messages; replacing it closes a message left open.
  if (sCollecting) return StartDiagnostics();
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  if (text != nullptr && *text != '\0') std::cerr << text << std::flush;
  // A fresh buffer, so that the next fetch holds only the next operation's text.
  StartDiagnostics();
}

const std::vector<std::string> &CollectedDiagnostics() { return Messages(); }

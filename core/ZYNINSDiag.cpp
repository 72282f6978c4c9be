// Reporting a diagnostic: the catalogue text or the default one, into the diagnostic stream.
#include "ZYNINSDiag.h"

#include <memory>
#include <ostream>
#include <vector>

#include "ZYNINSFormat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSMsgBuffer.h"
#include "ZYNINSToc.h"
#include "ZYNMsgCatalog.h"

const char ZYNINSMsgCatalogName[] = "ZYNWFToc";

namespace {

// The diagnostic stream: into the message buffer, or a stream a caller handed over.
std::ostream *sMsgStream = nullptr;

std::string FormatDefault(const char *format, ZYNINSMsgParams params) {
  std::string text;
  auto next = params.begin();
  for (const char *p = format; *p; ++p) {
    if (*p == '%' && (p[1] == 's' || p[1] == 'd')) {
      if (next != params.end()) text += (next++)->Text();
      ++p;
    } else if (*p == '%' && p[1] == '%') {
      text += '%';
      ++p;
    } else {
      text += *p;
    }
  }
  if (text.size() > ZYNINSDefaultTextRoom - 1) text.resize(ZYNINSDefaultTextRoom - 1);
  return text;
}

// Looks the key up in the named catalogue; the default text stands in when it has none.
ZYNUnicodeString BuildTocMessage(const ZYNString &catalog, const ZYNString &key,
                                 const ZYNUnicodeString &defaultText, const ZYNUnicodeString *params,
                                 const int *nbParams) {
  ZYNMsgCatalog messages;
  int loaded = messages.LoadMsgCatalog(catalog.CastToCharPtr(), nullptr);
  if (loaded == 1) {
    ZYNMsg msg = messages.GetCatalogMsg(key.CastToCharPtr());
    if (!msg.IsEmpty()) return *nbParams > 0 ? msg.BuildMessage(params, *nbParams) : msg.BuildMessage(nullptr);
    return defaultText.GetLengthInChar() ? defaultText : ZYNUnicodeString("No default message ");
  }
  if (loaded == 0) return defaultText.GetLengthInChar() ? defaultText : ZYNUnicodeString("No default message");
  return ZYNUnicodeString("No message");
}

}  // namespace

std::string ZYNINSBuildMessage(const char *key, const char *defaultFormat, ZYNINSMsgParams params) {
  std::vector<ZYNUnicodeString> values;
  for (const ZYNINSMsgParam &param : params) values.emplace_back(param.Text().c_str());
  int count = static_cast<int>(values.size());
  ZYNUnicodeString defaultText(FormatDefault(defaultFormat, params).c_str());
  return BuildTocMessage(ZYNINSMsgCatalogName, key, defaultText, values.data(), &count).ConvertToChar();
}

void ZYNINSReport(const char *key, const char *defaultFormat, ZYNINSMsgParams params, std::ostream *out) {
  if (!out) out = sMsgStream;
  std::string message = ZYNINSBuildMessage(key, defaultFormat, params);
  if (out) *out << message << std::endl;
}

std::ostream *ZYNINSDiagStream() { return sMsgStream; }

std::string ZYNINSMessageCatalogueFile() {
  ZYNMsgCatalog messages;
  return messages.LoadMsgCatalog(ZYNINSMsgCatalogName, nullptr) == 1 ? messages.File() : std::string();
}

ZYNINSQuietDiagnostics::ZYNINSQuietDiagnostics() : _Saved(sMsgStream) { sMsgStream = nullptr; }

ZYNINSQuietDiagnostics::~ZYNINSQuietDiagnostics() { sMsgStream = _Saved; }

ZYNINSMsgBuffer *ZYNINSToc::_sMsgBuf = nullptr;

void ZYNINSToc::sResetInfoMsg(std::ostream *stream) {
  delete sMsgStream;
  sMsgStream = nullptr;
  delete _sMsgBuf;
  _sMsgBuf = nullptr;
  if (stream) {
    sMsgStream = stream;
    return;
  }
  // Without room for a buffer, diagnostics are discarded until the next reset.
  ZYNINSRunGuarded([] {
    std::unique_ptr<ZYNINSMsgBuffer> buffer(new ZYNINSMsgBuffer);
    sMsgStream = new std::ostream(buffer.get());
    _sMsgBuf = buffer.release();
  });
}

void ZYNINSToc::sGetInfoMsg(char *&text) {
  static char empty[1] = "";
  // Without room for the copy it hands out, the buffer has nothing to tell.
  text = ZYNINSGuarded(empty, [] { return _sMsgBuf ? _sMsgBuf->Freeze() : empty; });
}

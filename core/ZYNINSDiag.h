// The one diagnostic pattern of the library: a key, a default format and its parameters.
#ifndef ZYNINSDiag_h
#define ZYNINSDiag_h

#include <initializer_list>
#include <ostream>
#include <string>

// One parameter of a diagnostic: a text, or a number put in as decimal ("%d").
class ZYNINSMsgParam {
 public:
  ZYNINSMsgParam(const char *text) : _Text(text ? text : "") {}
  ZYNINSMsgParam(const std::string &text) : _Text(text) {}
  ZYNINSMsgParam(int number) : _Text(std::to_string(number)) {}
  const std::string &Text() const { return _Text; }

 private:
  std::string _Text;
};

using ZYNINSMsgParams = std::initializer_list<ZYNINSMsgParam>;

// The message catalogue every diagnostic is looked up in.
extern const char ZYNINSMsgCatalogName[];

// The message for key: the catalogue's text with the parameters put in, or else the
// default format filled printf-style (%s and %d take the parameters in order) and
// bounded to 255 bytes.
std::string ZYNINSBuildMessage(const char *key, const char *defaultFormat, ZYNINSMsgParams params = {});

// Builds the message and writes it with an end of line (newline and flush) to out,
// or to the library's diagnostic stream when out is null.
void ZYNINSReport(const char *key, const char *defaultFormat, ZYNINSMsgParams params = {},
                  std::ostream *out = nullptr);

// The library-wide diagnostic stream, or null before the first reset (text is then discarded).
std::ostream *ZYNINSDiagStream();

// While one lives, diagnostics are discarded: the catalogue checks read lines with the
// loaders' reader, which reports what it refuses, and make their own report instead.
class ZYNINSQuietDiagnostics {
 public:
  ZYNINSQuietDiagnostics();
  ~ZYNINSQuietDiagnostics();
  ZYNINSQuietDiagnostics(const ZYNINSQuietDiagnostics &) = delete;
  ZYNINSQuietDiagnostics &operator=(const ZYNINSQuietDiagnostics &) = delete;

 private:
  std::ostream *_Saved;
};

#endif

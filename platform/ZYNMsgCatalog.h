// Message catalogues of the base runtime.
//
// A catalogue "NAME" is the file NAME.msg in one of the directories listed in the
// environment variable ZYNTOC_MSGPATH (':'-separated; ';' on Windows). The file is
// UTF-8 text, one message per line:
//     Key = Text of the message
// Blank lines and lines starting with '#' are ignored; a line without '=' or with an
// empty key is skipped. In a text, %1 to %9 stand for the parameters, %% for a '%',
// \n for a line end, \t for a tab and \\ for a backslash.
#ifndef ZYNMsgCatalog_h
#define ZYNMsgCatalog_h

#include <map>
#include <memory>
#include <string>

#include "ZYNUnicodeString.h"

class ZYNMsg {
 public:
  ZYNMsg() : _Found(false) {}
  explicit ZYNMsg(const std::string &text) : _Text(text), _Found(true) {}
  // Non-zero when the catalogue holds no message for the key.
  int IsEmpty() const { return _Found ? 0 : 1; }
  // The message with its parameters put in; a missing parameter stays empty.
  ZYNUnicodeString BuildMessage(const ZYNUnicodeString *params, int nbParams = 0) const;

 private:
  std::string _Text;
  bool _Found;
};

class ZYNMsgCatalog {
 public:
  ZYNMsgCatalog() {}
  ~ZYNMsgCatalog() {}
  // 1 when the catalogue was found and read, 0 otherwise.
  int LoadMsgCatalog(const char *name, void *reserved);
  ZYNMsg GetCatalogMsg(const char *key) const;
  // The file the catalogue was read from; empty when none was.
  const std::string &File() const { return _File; }

  using Messages = std::map<std::string, std::string>;

 private:
  std::shared_ptr<const Messages> _Messages;
  std::string _File;
};

// Parses the text of a catalogue file; malformed lines are skipped.
ZYNMsgCatalog::Messages ZYNParseMsgCatalog(const std::string &text);

#endif

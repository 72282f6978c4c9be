// Strings of the base runtime, over UTF-8 text.
#ifndef ZYNUnicodeString_h
#define ZYNUnicodeString_h

#include <string>

class ZYNUnicodeString {
 public:
  ZYNUnicodeString() {}
  ZYNUnicodeString(const char *text) : _Text(text ? text : "") {}
  ZYNUnicodeString &operator=(const char *text) {
    _Text = text ? text : "";
    return *this;
  }
  // Number of characters (code points), 0 for an empty string.
  int GetLengthInChar() const;
  // The text as a NUL-terminated string, valid while the object lives unchanged.
  const char *ConvertToChar() const { return _Text.c_str(); }

 private:
  std::string _Text;
};

// A narrow string naming a catalogue or a key.
class ZYNString {
 public:
  ZYNString(const char *text) : _Text(text ? text : "") {}
  const char *CastToCharPtr() const { return _Text.c_str(); }

 private:
  std::string _Text;
};

#endif

// Unit name fields: their text, copying into them, and the entry types they belong to.
#ifndef ZYNINSNames_h
#define ZYNINSNames_h

#include <cstring>
#include <string>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

// The text of a name field, up to its NUL (never more than the field).
inline std::string ZYNINSNameText(const char *name) { return std::string(name, strnlen(name, ZYNINSNameWidth)); }

// Fills a name field with name, cut to the longest name, and NULs after it.
inline void ZYNINSCopyName(char *field, const char *name, std::size_t length) {
  if (length > ZYNINSMaxNameLength) length = ZYNINSMaxNameLength;
  memcpy(field, name, length);
  memset(field + length, 0, ZYNINSNameWidth - length);
}
inline void ZYNINSCopyName(char *field, const std::string &name) { ZYNINSCopyName(field, name.data(), name.size()); }
// The same from another name field, up to its NUL.
inline void ZYNINSCopyNameField(char *field, const char *name) {
  ZYNINSCopyName(field, name, strnlen(name, ZYNINSNameWidth));
}

// Entries carry only code or zarn; the two are the index of every per-type table.
inline bool ZYNINSIsEntryType(int type) { return type == ZYNINSCode || type == ZYNINSZarn; }

// Whether a unit name can be a file of an installation's control directory itself: one that
// holds a separator or names a directory would lead to a path elsewhere ("" would name the
// control directory).
inline bool ZYNINSIsControlFileName(const char *name, std::size_t length) {
  if (length == 0 || memchr(name, '/', length) || memchr(name, '\\', length)) return false;
  return !(length == 1 && name[0] == '.') && !(length == 2 && name[0] == '.' && name[1] == '.');
}

#endif

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
inline void ZYNINSCopyName(char *field, const std::string &name) {
  std::size_t length = name.size() < ZYNINSMaxNameLength ? name.size() : ZYNINSMaxNameLength;
  memcpy(field, name.data(), length);
  memset(field + length, 0, ZYNINSNameWidth - length);
}

// Entries carry only code or zarn; the two are the index of every per-type table.
inline bool ZYNINSIsEntryType(int type) { return type == ZYNINSCode || type == ZYNINSZarn; }

#endif

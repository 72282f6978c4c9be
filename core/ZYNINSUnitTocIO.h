// The TOC line format: keyword tables, the line reader and the line writer.
#ifndef ZYNINSUnitTocIO_h
#define ZYNINSUnitTocIO_h

#include <istream>
#include <ostream>
#include <string>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

// Keyword tables, indexed by the enumeration value: the only spelling of each keyword in the
// library. A line carries only the entry types' keywords (ZYNINSTypeKeyword, ZYNINSFormat.h);
// the type table also names the query values, for messages.
extern const char *const ZYNINSTypeKeywords[ZYNINSNbTypeKeywords];
extern const char *const ZYNINSPkgKeywords[ZYNINSNbPkgKeywords];

// The printed name of a type value; values outside the table print as "unknown".
const char *ZYNINSTypeName(int type);

// Reads the rest of the stream's current line into the record; a rejected line leaves the
// stream failed.
std::istream &operator>>(std::istream &in, ZYNINSUnitToc &entry);
// Writes the record as one TOC line and flushes.
std::ostream &operator<<(std::ostream &out, ZYNINSUnitToc &entry);

#endif

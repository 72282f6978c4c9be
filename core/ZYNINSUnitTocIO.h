// The TOC line format: keyword tables, the line reader and the line writer.
#ifndef ZYNINSUnitTocIO_h
#define ZYNINSUnitTocIO_h

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

// Keyword tables, indexed by the enumeration value.
extern const char *const ZYNINSTypeKeywords[ZYNINSNbTypeKeywords];
extern const char *const ZYNINSPkgKeywords[ZYNINSNbPkgKeywords];

// The printed name of a type value; values outside the table print as "unknown".
const char *ZYNINSTypeName(int type);

// Reads one line's fields into the record; a rejected line leaves the stream failed.
std::istream &operator>>(std::istream &in, ZYNINSUnitToc &entry);
// Writes the record as one TOC line and flushes.
std::ostream &operator<<(std::ostream &out, ZYNINSUnitToc &entry);

// Reads the counted lines of a TOC file (a last line without a newline is a line like
// any other): each, without its newline, is handed to
// readFields(fields, k) as a stream set to decimal. Gives the number (from 1) of the
// first line that is missing or leaves its stream failed, or 0 when all were read.
int ZYNINSReadTocLines(std::istream &file, int nbLines,
                       const std::function<void(std::istream &fields, int k)> &readFields);

#endif

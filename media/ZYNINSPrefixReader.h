// Reading a media TOC line held in memory: its prefix, then the entry fields.
#ifndef ZYNINSPrefixReader_h
#define ZYNINSPrefixReader_h

#include <cstddef>

#include "ZYNINSLineReader.h"
#include "ZYNINSMediaToc.h"

// Reads the prefix at the cursor: leading zeros, the tag, then the sequence number and the
// media size, each followed by one separator character whatever it is.
void ZYNINSReadPrefix(ZYNINSLineCursor &cursor, ZYNINSPrefixToc &prefix);

// Reads a whole media line into a prefix and a cleared record.
ZYNINSLineVerdict ZYNINSReadMediaLine(const char *line, std::size_t length, ZYNINSPrefixToc &prefix,
                                      ZYNINSUnitToc &entry, const ZYNINSTextBounds &text = {});

#endif

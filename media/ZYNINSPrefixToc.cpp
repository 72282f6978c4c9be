// The prefix of a media TOC line: read from a stream, or from a line held in memory.
#include <istream>

#include "ZYNINSMediaToc.h"
#include "ZYNINSPrefixReader.h"

// Every step runs whatever the stream's state: a failure shows only in the stream,
// which the loader tests once the entry fields have been read too.
std::istream &operator>>(std::istream &in, ZYNINSPrefixToc &prefix) {
  char c = '\0';
  // Leading zeros; an empty line or one of zeros only ends here with the stream failed.
  while (in.get(c) && c == '0') {
  }
  prefix._Tag = in ? c : '\0';
  in.get();
  in >> prefix._IndexI;
  in.get();
  in >> prefix._MediaSize;
  in.get();
  return in;
}

void ZYNINSReadPrefix(ZYNINSLineCursor &cursor, ZYNINSPrefixToc &prefix) {
  cursor.EnterPrefix();
  prefix._Tag = '\0';
  char c = '0';
  while (cursor.Take(c) && c == '0') {
  }
  // An empty line or one of zeros only has no tag.
  if (c == '0' || cursor.Failed())
    cursor.Fail(ZYNINSLineFault::CutShort, 1, 0);
  else
    prefix._Tag = c;
  cursor.SkipOne(1);
  cursor.Signed(2, prefix._IndexI);
  cursor.SkipOne(2);
  cursor.Unsigned(3, prefix._MediaSize);
  cursor.SkipOne(3);
  cursor.LeavePrefix();
}

ZYNINSLineVerdict ZYNINSReadMediaLine(const char *line, std::size_t length, ZYNINSPrefixToc &prefix,
                                      ZYNINSUnitToc &entry, const ZYNINSTextBounds &text) {
  ZYNINSLineCursor cursor(line, length, text);
  ZYNINSReadPrefix(cursor, prefix);
  ZYNINSReadEntry(cursor, entry);
  return cursor.Verdict();
}

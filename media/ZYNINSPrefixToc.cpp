// Reading the prefix a media TOC line carries ahead of its entry fields.
#include <istream>

#include "ZYNINSMediaToc.h"

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

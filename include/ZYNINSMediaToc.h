// The catalogue of an installation medium: entries with their sequence prefixes.
#ifndef ZYNINSMediaToc_h
#define ZYNINSMediaToc_h

#include "ZYNINSToc.h"

class ZYNINSInstToc;
class ZYNINSMediaIndex;
class ZYNINSLineCursor;

// The prefix a media TOC line carries ahead of its entry fields.
class ZYNINSPrefixToc {
 public:
  char GetTag() const { return _Tag; }
  int GetIndexI() const { return _IndexI; }
  unsigned int GetMediaSize() const { return _MediaSize; }

 private:
  friend std::istream &operator>>(std::istream &, ZYNINSPrefixToc &);
  friend void ZYNINSReadPrefix(ZYNINSLineCursor &, ZYNINSPrefixToc &);
  char _Tag;
  int _IndexI;
  unsigned int _MediaSize;
};

class ZYNTOC_API ZYNINSMediaToc : public ZYNINSToc {
 public:
  // Loads a medium's TOC file; a catalogue refused leaves GetNbToc() at -1, with the
  // reason among the diagnostics.
  explicit ZYNINSMediaToc(char *fileName);
  ~ZYNINSMediaToc();
  ZYNINSMediaToc(const ZYNINSMediaToc &) = delete;
  ZYNINSMediaToc &operator=(const ZYNINSMediaToc &) = delete;

  // Installation planning: the size of installing the requested units with their
  // closure, and the install list in sequence order (released by the caller with delete[]).
  // Units that share a sequence number are all listed, in line order. The size saturates at
  // 0xFFFFFFFE; 0xFFFFFFFF means failure.
  unsigned int GetSize(char (*names)[32], unsigned int n, ZYNINSType type, int mediaSwitch,
                       unsigned int *count, char (*&list)[32], ZYNINSInstToc *installed) const;

 protected:
  ZYNINSPrefixToc *_Prefix;
  int _AllFix;

 private:
  int GetIndexI(int indexI) const;
  mutable ZYNINSMediaIndex *_MediaIndex;
};

#endif

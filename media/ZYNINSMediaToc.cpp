// Loading a media catalogue: its prefixes, entries, levels and sequence index.
#include "ZYNINSMediaToc.h"

#include <cstddef>
#include <new>

#include "ZYNINSDiag.h"
#include "ZYNINSMediaIndex.h"
#include "ZYNINSPrefixReader.h"
#include "ZYNINSTocLines.h"

ZYNINSMediaToc::ZYNINSMediaToc(char *fileName)
    : ZYNINSToc(), _Prefix(nullptr), _AllFix(0), _MediaIndex(nullptr) {
  // Each line is a prefix, then the entry fields.
  class MediaLines : public ZYNINSTocLines {
   public:
    explicit MediaLines(ZYNINSMediaToc &toc)
        : ZYNINSTocLines("ZYNINSMediaToc.Error_InitToc",
                         "Internal error in ZYNINSMediaToc: Init of line number %d from %s\n"),
          _Toc(toc) {}
    bool Prepare(int nbLines) override {
      // Value-initialised, so that no prefix is ever read undefined.
      _Toc._Prefix = new (std::nothrow) ZYNINSPrefixToc[nbLines]();
      if (_Toc._Prefix) return true;
      ZYNINSReport("ZYNINSMediaToc.Error_Alloc",
                   "Internal error in ZYNINSMediaToc: unable to allocate %d prefix entries from %s\n",
                   {nbLines, _Toc._FileName});
      return false;
    }
    bool Read(const char *line, std::size_t length, int k, ZYNINSUnitToc &entry) override {
      return ZYNINSReadMediaLine(line, length, _Toc._Prefix[k], entry, Text).Ok();
    }

   private:
    ZYNINSMediaToc &_Toc;
  } lines(*this);
  if (!Load(fileName, lines)) return;
  InitPCFGlist();

  _AllFix = 1;
  for (int k = 0; k < _NbToc; ++k)
    if (_Entries[k].GetPkg() != ZYNINSFIX) {
      _AllFix = 0;
      break;
    }
}

ZYNINSMediaToc::~ZYNINSMediaToc() {
  delete _MediaIndex;
  delete[] _Prefix;
}

int ZYNINSMediaToc::GetIndexI(int indexI) const {
  if (_NbToc <= 0 || !_Prefix) return -1;
  if (!_MediaIndex) _MediaIndex = new ZYNINSMediaIndex(_Prefix, _NbToc);
  return _MediaIndex->Position(indexI);
}

// Loading a media catalogue: its prefixes, entries, levels and sequence index.
#include "ZYNINSMediaToc.h"

#include <fstream>
#include <new>
#include <string>

#include "ZYNINSDiag.h"
#include "ZYNINSMediaIndex.h"
#include "ZYNINSUnitTocIO.h"

ZYNINSMediaToc::ZYNINSMediaToc(char *fileName)
    : ZYNINSToc(), _Prefix(nullptr), _AllFix(0), _MediaIndex(nullptr) {
  std::ifstream file;
  Init(fileName, file);
  if (_NbToc == -1) return;

  // Value-initialised, so that no prefix is ever read undefined.
  _Prefix = new (std::nothrow) ZYNINSPrefixToc[_NbToc]();
  if (!_Prefix) {
    ZYNINSReport("ZYNINSMediaToc.Error_Alloc",
                 "Internal error in ZYNINSMediaToc: unable to allocate %d prefix entries from %s\n",
                 {_NbToc, _FileName});
    _NbToc = -1;
    return;
  }

  int refused = ZYNINSReadTocLines(file, _NbToc, [this](std::istream &fields, int k) {
    fields >> _Prefix[k] >> _Entries[k];
  });
  if (refused) {
    ZYNINSReport("ZYNINSMediaToc.Error_InitToc", "Internal error in ZYNINSMediaToc: Init of line number %d from %s\n",
                 {refused, _FileName});
    _NbToc = -1;
    return;
  }
  file.close();

  if (!SetLevels()) return;
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

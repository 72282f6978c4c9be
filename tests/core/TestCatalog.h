// A catalogue loaded the way the installed and media loaders load theirs, for the core's tests.
#ifndef TestCatalog_h
#define TestCatalog_h

#include <sstream>
#include <string>

#include "ZYNINSToc.h"
#include "ZYNINSUnitTocIO.h"

class TestCatalog : public ZYNINSToc {
 public:
  explicit TestCatalog(const std::string &path) {
    std::ifstream file;
    Init(const_cast<char *>(path.c_str()), file);
    if (_NbToc == -1) return;
    std::string line;
    for (int i = 0; i < _NbToc && ZYNINSReadTocLine(file, line); ++i) {
      std::istringstream fields(line);
      if (!(fields >> _Entries[i])) {
        _NbToc = -1;
        return;
      }
    }
    file.close();
    if (!SetOS() || !SetGALevel()) {
      _NbToc = -1;
      return;
    }
    SetSPKLevel();
    InitPCFGlist();
  }
  ZYNINSUnitToc &Entry(int i) { return _Entries[i]; }
  bool HasPCFGList() const { return _PCFGList != nullptr; }
  int Find(const char *name, ZYNINSType type) const { return GetIndex(const_cast<char *>(name), type); }
};

#endif

// A catalogue loaded the way the real loaders do it, for tests of the base class alone,
// with the protected lookups opened up.
#ifndef TestToc_h
#define TestToc_h

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ZYNINSToc.h"
#include "ZYNINSUnitTocIO.h"

class TestToc : public ZYNINSToc {
 public:
  explicit TestToc(const std::string &path) {
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    std::ifstream file;
    Init(name.data(), file);
    if (_NbToc == -1) return;
    std::string line;
    for (int n = 0; n < _NbToc && ZYNINSReadTocLine(file, line); ++n) {
      std::istringstream in(line);
      in >> _Entries[n];
      if (in.fail() || in.bad()) {
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

  using ZYNINSToc::GetIndex;
  using ZYNINSToc::IsVisible;

  const ZYNINSUnitToc &Entry(int i) const { return _Entries[i]; }
  ZYNINSUnitToc &MutableEntry(int i) { return _Entries[i]; }
  bool HasPCFGList() const { return _PCFGList != nullptr; }

  int Visible(const std::string &word) const {
    std::vector<char> text(word.begin(), word.end());
    text.push_back('\0');
    return IsVisible(text.data());
  }
  int Index(const std::string &name, ZYNINSType type) const {
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    return GetIndex(text.data(), type);
  }
  int RemoveName(const std::string &name, ZYNINSType type) {
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    return Remove(text.data(), type);
  }
  int Tsort(const std::string &name, ZYNINSType type) const {
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    return BuildTsort(text.data(), type);
  }
};

// The catalogue written back in TOC line format.
inline std::string Written(ZYNINSToc &toc) {
  std::ostringstream out;
  out << toc;
  return out.str();
}

// What ListContent prints for one selector.
inline std::string Listed(ZYNINSToc &toc, ZYNINSListType which) {
  std::ostringstream out;
  toc.ListContent(which, out);
  return out.str();
}

#endif

// A catalogue loaded the way the real loaders load theirs, for tests of the base class alone,
// with the protected lookups opened up.
#ifndef TestToc_h
#define TestToc_h

#include <sstream>
#include <string>

#include "ZYNINSToc.h"
#include "ZYNINSTocLines.h"
#include "ZYNINSUnitTocIO.h"

class TestToc : public ZYNINSToc {
 public:
  explicit TestToc(const std::string &path) {
    std::string name = path;
    ZYNINSEntryLines lines("TestToc.Error_Line", "TestToc: line number %d from %s refused\n");
    if (Load(&name[0], lines)) InitPCFGlist();
  }

  const ZYNINSUnitToc &Entry(int i) const { return _Entries[i]; }
  ZYNINSUnitToc &MutableEntry(int i) { return _Entries[i]; }
  bool HasPCFGList() const { return _PCFGList != nullptr; }
  // The operations take writable C strings.
  int Visible(std::string word) const { return IsVisible(&word[0]); }
  int Index(std::string name, ZYNINSType type) const { return GetIndex(&name[0], type); }
  int RemoveName(std::string name, ZYNINSType type) { return Remove(&name[0], type); }
  int Tsort(std::string name, ZYNINSType type) const { return BuildTsort(&name[0], type); }
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

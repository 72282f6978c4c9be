// Probes of the catalogue classes: each opens up its class's protected tables for tests.
// The base class's probe also loads a plain catalogue, the way the real loaders load theirs.
#ifndef Probes_h
#define Probes_h

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSToc.h"
#include "ZYNINSTocLines.h"
#include "ZYNINSUnitTocIO.h"

class TocProbe : public ZYNINSToc {
 public:
  explicit TocProbe(const std::string &path) {
    std::string name = path;
    ZYNINSEntryLines lines("TocProbe.Error_Line", "TocProbe: line number %d from %s refused\n");
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

class InstTocProbe : public ZYNINSInstToc {
 public:
  explicit InstTocProbe(std::string path) : ZYNINSInstToc(&path[0]) {}

  const ZYNINSUnitToc &Entry(int i) const { return _Entries[i]; }
  std::vector<std::string> Installed(int type) const { return Names(_Installed[type], _NbInstalled[type]); }
  std::vector<std::string> Superseded(int type) const { return Names(_Superseded[type], _NbSuperseded[type]); }

 private:
  static std::vector<std::string> Names(const char (*names)[32], unsigned int count) {
    std::vector<std::string> result;
    for (unsigned int i = 0; i < count; ++i) result.emplace_back(names[i]);
    return result;
  }
};

inline std::unique_ptr<InstTocProbe> LoadInstToc(const std::string &path) {
  return std::make_unique<InstTocProbe>(path);
}

class MediaTocProbe : public ZYNINSMediaToc {
 public:
  explicit MediaTocProbe(std::string path) : ZYNINSMediaToc(&path[0]) {}

  const ZYNINSPrefixToc &Prefix(int k) const { return _Prefix[k]; }
  const ZYNINSPrefixToc *Prefixes() const { return _Prefix; }
  const char *Name(int k) const { return _Entries[k].GetName(); }
  int AllFix() const { return _AllFix; }
};

#endif

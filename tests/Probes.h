// Probes of the installed and the media catalogue: each opens up its class's protected
// tables for tests. The base class's probe, which also loads a plain catalogue, is TestToc.
#ifndef Probes_h
#define Probes_h

#include <memory>
#include <string>
#include <vector>

#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

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

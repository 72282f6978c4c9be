// Test access to the installed catalogue's tables, and loading helpers.
#ifndef InstTocProbe_h
#define InstTocProbe_h

#include <memory>
#include <string>
#include <vector>

#include "ZYNINSInstToc.h"

class InspectedInstToc : public ZYNINSInstToc {
 public:
  explicit InspectedInstToc(const std::string &path) : ZYNINSInstToc(Writable(path).data()) {}

  const ZYNINSUnitToc &Entry(int i) const { return _Entries[i]; }
  std::vector<std::string> Installed(int type) const { return Names(_Installed[type], _NbInstalled[type]); }
  std::vector<std::string> Superseded(int type) const { return Names(_Superseded[type], _NbSuperseded[type]); }

 private:
  static std::vector<char> Writable(const std::string &text) {
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
  }
  static std::vector<std::string> Names(const char (*names)[32], unsigned int count) {
    std::vector<std::string> result;
    for (unsigned int i = 0; i < count; ++i) result.emplace_back(names[i]);
    return result;
  }
};

inline std::unique_ptr<InspectedInstToc> LoadInstToc(const std::string &path) {
  return std::make_unique<InspectedInstToc>(path);
}

#endif

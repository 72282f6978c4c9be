// Hash sets over the installed catalogue's name lists, so that asking whether a name
// is installed or superseded costs no scan of the name arrays.
#ifndef ZYNINSInstIndex_h
#define ZYNINSInstIndex_h

#include <string>
#include <unordered_set>

class ZYNINSInstIndex {
 public:
  // Both return true when the name was not yet known for that type.
  bool AddInstalled(int type, const char *name);
  bool AddSuperseded(int type, const char *name);

  bool HasInstalled(int type, const char *name) const;
  bool HasSuperseded(int type, const char *name) const;

  void ClearSuperseded();

 private:
  std::unordered_set<std::string> _Installed[2];
  std::unordered_set<std::string> _Superseded[2];
};

#endif

// Name tables over the installed catalogue's name lists, so that asking whether a name
// is installed or superseded costs no scan of the name arrays.
#ifndef ZYNINSInstIndex_h
#define ZYNINSInstIndex_h

#include <vector>

#include "ZYNINSLimits.h"
#include "ZYNINSNameTable.h"

class ZYNINSInstIndex {
 public:
  // Both take a whole 32-byte name field and return true when the name was not yet known for
  // that type; the table position of the first entry of each installed name is kept.
  bool AddInstalled(int type, const char *field, int position);
  bool AddSuperseded(int type, const char *field);
  // The position of the first entry of the name in that 32-byte field and type, or -1.
  int FirstInstalled(int type, const char *field) const;

  bool HasInstalled(int type, const char *name) const;
  bool HasSuperseded(int type, const char *name) const;
  // Installed or superseded, for a whole 32-byte name field (read at once).
  bool KnowsField(int type, const char *field) const;

  void ClearSuperseded();
  // Makes room for the names of that many entries of that type.
  void Reserve(int type, int nbEntries);

 private:
  ZYNINSNameTable _Installed[ZYNINSNbEntryTypes];
  std::vector<int> _FirstPosition[ZYNINSNbEntryTypes];  // by id in _Installed
  ZYNINSNameTable _Superseded[ZYNINSNbEntryTypes];
};

#endif

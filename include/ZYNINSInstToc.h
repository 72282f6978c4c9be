// The installed catalogue: what an installation holds, with its name indexes.
#ifndef ZYNINSInstToc_h
#define ZYNINSInstToc_h

#include "ZYNINSToc.h"

class ZYNINSInstIndex;

class ZYNTOC_API ZYNINSInstToc : public ZYNINSToc {
 public:
  // Loads the installed catalogue at path; a catalogue refused leaves GetNbToc() at -1,
  // with the reason among the diagnostics.
  explicit ZYNINSInstToc(char *path);
  ~ZYNINSInstToc();
  ZYNINSInstToc(const ZYNINSInstToc &) = delete;
  ZYNINSInstToc &operator=(const ZYNINSInstToc &) = delete;

  // 0 installed, 1 superseded by an installed unit, -1 unknown to the catalogue.
  int IsInstalled(const char *name, ZYNINSType type);
  // _MaxSPKLevel of the first code entry of that name; 0 when there is none.
  int GetMaxSPKLevel(char *name) const;
  // Level report: OS and GA level, then every framework with its highest service-pack level.
  void GetMaxSPKLevel(std::ostream &out);

  // Removal planning for fixes; writes the "to_remove" file.
  unsigned int GetSize(char (*names)[32], unsigned int n);
  // Removal planning for products and configurations; fills the caller's list.
  unsigned int GetSize(char (*names)[32], unsigned int n, ZYNINSType type, int closure,
                       ZYNINSStockName *list);

  int CheckIntegrity(std::ostream &out, char *root);
  int ListContent(ZYNINSListType which, std::ostream &out);

 protected:
  unsigned int _NbInstalled[2];
  unsigned int _NbSuperseded[2];
  char _Installed[2][4096][32];
  char _Superseded[2][4096][32];

 private:
  ZYNINSInstIndex *_InstIndex;
};

#endif

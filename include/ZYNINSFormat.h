// What a program that shows catalogues shares with the library about the TOC format: the
// keywords a line spells, the groups of a listing, where a catalogue's PCFG.list lies and
// which message catalogue the diagnostics come from.
// Taken from here, the program's view cannot drift from what the library reads and prints.
#ifndef ZYNINSFormat_h
#define ZYNINSFormat_h

#include <string>
#include <vector>

#include "ZYNINSExport.h"
#include "ZYNINSToc.h"

// The keyword a TOC line spells an entry type with ("code", "zarn") or a package kind with
// ("FWK" ... "SPK"); null for a value no line carries.
ZYNTOC_API const char *ZYNINSTypeKeyword(int type);
ZYNTOC_API const char *ZYNINSPkgKeyword(int pkg);

// One group of a catalogue's listing: the names ZYNINSToc::GetPackage gives for these arguments.
struct ZYNINSListGroup {
  ZYNINSPkg Pkg;
  ZYNINSType Type;
  int Visible;
};

// The groups ZYNINSToc::ListContent prints for a selector, in its order (the installed
// catalogue's superseded units follow them).
ZYNTOC_API std::vector<ZYNINSListGroup> ZYNINSListGroups(ZYNINSListType which);

// The PCFG.list of the catalogue in tocPath: the file of that name in the same folder.
ZYNTOC_API std::string ZYNINSVisibilityListPath(const std::string &tocPath);

// The message catalogue the library's diagnostics are now taken from: the first readable
// ZYNWFToc.msg in the folders ZYNTOC_MSGPATH lists; empty when there is none.
ZYNTOC_API std::string ZYNINSMessageCatalogueFile();

#endif

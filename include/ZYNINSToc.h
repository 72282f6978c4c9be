// TOC catalogues: entry types, the entry record, result lists and the catalogue base class.
//
// Threads: the library is used from one thread at a time, separate objects included. It
// has no locks, and every catalogue shares the process-wide diagnostic stream and message
// buffer (sResetInfoMsg, sGetInfoMsg), so two threads must never be inside the library at
// once, even on two catalogues; a caller that uses it from several threads serialises
// every call, the destruction of catalogues included.
//
// Callbacks run in the middle of an operation: a planning observer (ZYNINSExplain.h) and
// the flat interface's message-box handler (ZYNINSFlat.h) must not edit, plan on or
// destroy the catalogue they are told about (the one being planned on or opened, and the
// installed catalogue planning consults).
#ifndef ZYNINSToc_h
#define ZYNINSToc_h

#include <fstream>
#include <iosfwd>
#include <ostream>

#include "ZYNINSExport.h"

// Entry type of a TOC line. Entries carry only code or zarn; queries accept
// ZYNINSUnknownQ to mean either of them.
enum ZYNINSType { ZYNINSCode = 0, ZYNINSZarn = 1, ZYNINSUnknownM = 2, ZYNINSUnknownQ = 3 };

// Package kind of a TOC line.
enum ZYNINSPkg {
  ZYNINSFWK = 0,  // framework
  ZYNINSGRP = 1,
  ZYNINSPRD = 2,  // product
  ZYNINSSLT = 3,  // configuration
  ZYNINSFIX = 4,  // fix
  ZYNINSFSP = 5,  // framework service pack
  ZYNINSSPK = 6   // service pack
};

// Selector of ZYNINSToc::ListContent.
enum ZYNINSListType {
  ZYNINSListFixes = 0,
  ZYNINSListProducts = 1,
  ZYNINSListAllTypes = 2,
  ZYNINSListByType = 3,
  ZYNINSListFull = 4,
  ZYNINSListVisible = 5
};

class ZYNINSStockIndex;
class ZYNINSTocIndex;
class ZYNINSLineCursor;
class ZYNINSTocLines;
class ZYNINSMsgBuffer;

// A conditional requisite: when the condition unit is present, the required unit is needed too.
class ZYNINSIfreqPair {
 public:
  ZYNINSIfreqPair() {}
  char *GetCondName() { return _CondName; }
  const char *GetCondName() const { return _CondName; }
  char *GetReqName() { return _ReqName; }
  const char *GetReqName() const { return _ReqName; }

 private:
  friend class ZYNINSUnitToc;
  char _CondName[32];
  char _ReqName[32];
};

// One TOC line in memory. Records live in the catalogue's entry table.
class ZYNINSUnitToc {
 public:
  ZYNINSUnitToc();
  virtual ~ZYNINSUnitToc() { Release(); }

  ZYNINSType GetType() const { return _Type; }
  ZYNINSPkg GetPkg() const { return _Pkg; }
  char *GetName() { return _Name; }
  const char *GetName() const { return _Name; }
  int GetNbSupersede() const { return _NbSupersede; }
  char *GetSupersede(int i) const { return _Supersede[i]; }
  int GetNbPrereq() const { return _NbPrereq; }
  char *GetPrereq(int i) const { return _Prereq[i]; }
  int GetNbIfreq() const { return _NbIfreq; }
  ZYNINSIfreqPair *GetIfreq(int i) const { return &_Ifreq[i]; }
  unsigned int GetSize() const { return _Size; }
  char *GetOS() { return _OS; }
  const char *GetOS() const { return _OS; }
  char *GetGALevel() { return _GALevel; }
  const char *GetGALevel() const { return _GALevel; }
  int GetSPKLevel() const { return _SPKLevel; }
  int GetMaxSPKLevel() const { return _MaxSPKLevel; }
  char *GetLabel() const { return _Label; }

  // Raises _MaxSPKLevel to level when level is higher; returns _MaxSPKLevel.
  int RaiseMaxSPKLevel(int level) {
    if (level > _MaxSPKLevel) _MaxSPKLevel = level;
    return _MaxSPKLevel;
  }

  // A new 32-byte buffer with _Name cut before its first '.'; the caller releases it with delete[].
  char *GetFrameworkName() const;

  // Empties the record before a line is read into it.
  void Clear();
  // Forgets the lists and the label without releasing them (their storage moved elsewhere).
  void Detach();
  // Releases the label and every non-empty list.
  void Release();

 private:
  friend class ZYNINSToc;
  friend std::istream &operator>>(std::istream &, ZYNINSUnitToc &);
  friend std::ostream &operator<<(std::ostream &, ZYNINSUnitToc &);
  friend void ZYNINSReadEntry(ZYNINSLineCursor &, ZYNINSUnitToc &);

  ZYNINSType _Type;
  ZYNINSPkg _Pkg;
  char _Name[32];
  int _NbSupersede;
  char (*_Supersede)[32];
  int _NbPrereq;
  char (*_Prereq)[32];
  int _NbIfreq;
  ZYNINSIfreqPair *_Ifreq;
  unsigned int _Size;
  char _Timestamp[15];
  char _OS[8];
  char _GALevel[8];
  int _SPKLevel;
  int _MaxSPKLevel;
  char *_Label;
};

// A list of distinct unit names with one label each. It has no constructor:
// producers call Reset before they write, so it may be allocated as a raw block.
class ZYNTOC_API ZYNINSStockName {
 public:
  char (*Reset())[4096][32];
  char *(*GetTabLabel())[4096];
  unsigned int GetNbName() const;
  unsigned int *GetNbNameAddress();
  char *GetName(int i);
  char *GetLabel(int i);
  ZYNINSStockName &operator=(const ZYNINSStockName &);

 private:
  unsigned int _NbName;
  char _Name[4096][32];
  char *_Label[4096];
};

class ZYNINSToc;
ZYNTOC_API std::ostream &operator<<(std::ostream &, ZYNINSToc &);

// Base of the installed and the media catalogue: the entry table of one TOC file and its levels.
class ZYNTOC_API ZYNINSToc {
 public:
  ZYNINSToc();
  virtual ~ZYNINSToc();
  ZYNINSToc(const ZYNINSToc &) = delete;
  ZYNINSToc &operator=(const ZYNINSToc &) = delete;

  int GetNbToc() const;

  char *GetOS();
  char *GetGALevel();
  int GetSPKLevel(int which) const;

  // Starts a new collection of diagnostics: into a fresh message buffer, or into
  // the given stream, which the library owns and destroys at the next reset.
  static void sResetInfoMsg(std::ostream *stream);
  // Hands out the diagnostics collected since the last reset as one text.
  static void sGetInfoMsg(char *&text);

  void GetPackage(ZYNINSPkg pkg, ZYNINSType type, ZYNINSStockName *list, int visible) const;
  int BuildTsort(char *name, ZYNINSType type) const;
  void SetTimestamp();
  int Remove(char *const name, ZYNINSType type);
  int ListContent(ZYNINSListType which, std::ostream &out);

#if defined(_WIN32) && defined(__GNUC__)
  // GCC drops the import attribute of a friend redeclaration and warns; calls still reach
  // the exported function.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
#endif
  friend ZYNTOC_API std::ostream &operator<<(std::ostream &, ZYNINSToc &);
#if defined(_WIN32) && defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

 protected:
  void Init(char *fileName, std::ifstream &file);
  void InitPCFGlist();
  // The loading sequence of a derived catalogue: reads the file in one piece, counts its lines
  // and prepares the table as Init does, hands each line to lines, reports the first one
  // refused, then derives the levels. 0 when the catalogue is left unusable (_NbToc -1).
  int Load(char *fileName, ZYNINSTocLines &lines);

  int SetOS();
  int SetGALevel();
  void SetSPKLevel();
  // The three above in their order; entries that disagree leave the catalogue unusable
  // (_NbToc -1) and give 0.
  int SetLevels();

  int GetIndex(char *name, ZYNINSType type) const;
  int IsVisible(char *name) const;

  int GetOneSuperseding(const char *name, ZYNINSType type) const;
  void GetSuperseding(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const;
  void GetPrerequing(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const;
  void GetIfrequing(const char *name, ZYNINSType type, ZYNINSStockIndex *list) const;
  // Name lookups built on first use from the entry table; dropped when the table changes.
  const ZYNINSTocIndex &Index() const;

  static ZYNINSMsgBuffer *_sMsgBuf;

  char *_FileName;
  int _NbToc;
  ZYNINSUnitToc *_Entries;
  char _OS[8];
  char _GALevel[8];
  int _SPKLevel;
  int _PrevSPKLevel;
  std::ifstream *_PCFGList;

 private:
  // Forgets any earlier table and keeps a copy of the file name.
  void Restart(char *fileName);
  // Checks the line count against the limit, then allocates and clears the table.
  void PrepareTable(int lines);
  void DropIndex();
  mutable ZYNINSTocIndex *_Index;
};

#endif

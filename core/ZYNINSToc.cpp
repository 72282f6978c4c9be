// The catalogue base class: opening a TOC file, sizing its entry table, PCFG.list, the index.
#include "ZYNINSToc.h"

#include <cstring>
#include <new>
#include <string>

#include "ZYNINSDiag.h"
#include "ZYNINSLimits.h"
#include "ZYNINSTocIndex.h"

namespace {
char *CopyText(const char *text) {
  size_t length = strlen(text);
  char *copy = new char[length + 1];
  memcpy(copy, text, length + 1);
  return copy;
}

// Newline-terminated lines, plus an unterminated last line.
int CountLines(std::istream &file) {
  int lines = 0;
  char last = '\n';
  char chunk[8192];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    std::streamsize got = file.gcount();
    for (std::streamsize i = 0; i < got; ++i)
      if (chunk[i] == '\n') ++lines;
    last = chunk[got - 1];
  }
  return last == '\n' ? lines : lines + 1;
}
}  // namespace

ZYNINSToc::ZYNINSToc()
    : _FileName(nullptr), _NbToc(-1), _Entries(nullptr), _SPKLevel(0), _PrevSPKLevel(0),
      _PCFGList(nullptr), _Index(nullptr) {
  memset(_OS, 0, sizeof _OS);
  memset(_GALevel, 0, sizeof _GALevel);
}

ZYNINSToc::~ZYNINSToc() {
  DropIndex();
  delete[] _Entries;
  if (_PCFGList) {
    _PCFGList->close();
    delete _PCFGList;
  }
  delete[] _FileName;
}

int ZYNINSToc::GetNbToc() const { return _NbToc; }

void ZYNINSToc::Init(char *fileName, std::ifstream &file) {
  DropIndex();
  delete[] _Entries;
  _Entries = nullptr;
  _PCFGList = nullptr;
  _NbToc = -1;
  delete[] _FileName;
  _FileName = CopyText(fileName ? fileName : "");

  file.open(_FileName, std::ios::in);
  int lines = file.is_open() ? CountLines(file) : 0;
  // A directory opens on some systems but cannot be read: it is no TOC file either.
  if (!file.is_open() || file.bad()) {
    ZYNINSReport("ZYNINSToc.Error_Init", "ZYNINSToc::Init  unable to open file %s\n", {_FileName});
    if (file.is_open()) file.close();
    return;
  }
  file.clear();
  file.seekg(0);
  if (lines > ZYNINSMostLines) {
    ZYNINSReport("ZYNINSToc.Error_Init2", "ZYNINSToc::Init Internal error _NbToc = %d\n", {lines});
    return;
  }
  _Entries = new (std::nothrow) ZYNINSUnitToc[lines];
  if (!_Entries) {
    ZYNINSReport("ZYNINSToc.Error_Allocate", "ZYNINSToc::Init unable to allocate %d entries from %s\n",
                 {lines, _FileName});
    return;
  }
  _NbToc = lines;
  for (int i = 0; i < _NbToc; ++i) _Entries[i].Clear();
}

void ZYNINSToc::InitPCFGlist() {
  std::string path = _FileName ? _FileName : "";
  size_t separator = path.find_last_of("/\\");
  path = separator == std::string::npos ? "PCFG.list" : path.substr(0, separator + 1) + "PCFG.list";
  std::ifstream *list = new std::ifstream(path.c_str(), std::ios::in | std::ios::binary);
  if (!list->is_open()) {
    delete list;
    return;
  }
  _PCFGList = list;
}

const ZYNINSTocIndex &ZYNINSToc::Index() const {
  // A load that gives up after looking units up leaves an index of entries it refused.
  if (_NbToc <= 0 && _Index) {
    delete _Index;
    _Index = nullptr;
  }
  if (!_Index) _Index = new ZYNINSTocIndex(_Entries, _NbToc > 0 ? _NbToc : 0);
  return *_Index;
}

void ZYNINSToc::DropIndex() {
  delete _Index;
  _Index = nullptr;
}

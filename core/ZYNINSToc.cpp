// The catalogue base class: opening a TOC file, sizing its entry table, PCFG.list, the index.
#include "ZYNINSToc.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSLimits.h"
#include "ZYNINSTocIndex.h"
#include "ZYNINSTocLines.h"

namespace {
char *CopyText(const char *text) {
  size_t length = strlen(text);
  char *copy = new char[length + 1];
  memcpy(copy, text, length + 1);
  return copy;
}

// Zero bytes after the text, so that the line searches may read 16 bytes at a time.
constexpr size_t kReadAhead = 16;

// A TOC file read in one piece, with its line count.
struct TocText {
  std::vector<char> bytes;  // the text, then kReadAhead zero bytes
  size_t length = 0;
  bool holdsNul = false;
  int lines = 0;
};

// Reads the whole file; once it holds more lines than a catalogue may, the rest is only
// counted. False when the file cannot be opened or read (a directory opens on some systems).
bool ReadTocText(const char *fileName, TocText &text) {
  std::ifstream file(fileName, std::ios::in | std::ios::binary);
  if (!file.is_open()) return false;
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  file.clear();
  // Room for the whole file at once, unless it is far beyond what a catalogue may hold.
  const std::streamoff kLargestReserve = 64LL << 20;
  if (size > 0 && size < kLargestReserve) text.bytes.reserve(static_cast<size_t>(size) + kReadAhead);
  char chunk[65536];
  long long newlines = 0;
  char last = '\n';
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    const char *end = chunk + file.gcount();
    for (const char *p = chunk; (p = static_cast<const char *>(memchr(p, '\n', static_cast<size_t>(end - p)))); ++p)
      ++newlines;
    if (newlines <= ZYNINSMostLines) text.bytes.insert(text.bytes.end(), static_cast<const char *>(chunk), end);
    last = end[-1];
  }
  if (file.bad()) return false;
  text.length = text.bytes.size();
  text.holdsNul = text.length > 0 && memchr(text.bytes.data(), '\0', text.length) != nullptr;
  text.bytes.resize(text.length + kReadAhead, '\0');
  long long lines = last == '\n' ? newlines : newlines + 1;
  text.lines = lines > INT_MAX ? INT_MAX : static_cast<int>(lines);
  return true;
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

void ZYNINSToc::Restart(char *fileName) {
  DropIndex();
  delete[] _Entries;
  _Entries = nullptr;
  _PCFGList = nullptr;
  _NbToc = -1;
  delete[] _FileName;
  _FileName = CopyText(fileName ? fileName : "");
}

void ZYNINSToc::Init(char *fileName, std::ifstream &file) {
  Restart(fileName);

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
  PrepareTable(lines);
}

void ZYNINSToc::PrepareTable(int lines) {
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
  _NbToc = lines;  // the records' constructor has cleared them
}

int ZYNINSToc::Load(char *fileName, ZYNINSTocLines &lines) {
  Restart(fileName);

  TocText text;
  if (!ReadTocText(_FileName, text)) {
    ZYNINSReport("ZYNINSToc.Error_Init", "ZYNINSToc::Init  unable to open file %s\n", {_FileName});
    return 0;
  }
  PrepareTable(text.lines);
  if (_NbToc == -1) return 0;
  if (!lines.Prepare(_NbToc)) {
    _NbToc = -1;
    return 0;
  }

  const char *line = text.bytes.data();
  const char *end = line + text.length;
  lines.Text = {line + text.bytes.size(), text.holdsNul};
  for (int k = 0; k < _NbToc; ++k) {
    const char *newline = static_cast<const char *>(memchr(line, '\n', static_cast<size_t>(end - line)));
    const char *stop = newline ? newline : end;
    // A line may end with CR LF: the CR belongs to the line end.
    if (newline && stop > line && stop[-1] == '\r') --stop;
    if (!lines.Read(line, static_cast<size_t>(stop - line), k, _Entries[k])) {
      ZYNINSReport(lines.RefusedKey, lines.RefusedFormat, {k + 1, _FileName});
      _NbToc = -1;
      return 0;
    }
    line = newline ? newline + 1 : end;
  }
  return SetLevels();
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

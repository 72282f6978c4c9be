// The catalogue base class: opening a TOC file, sizing its entry table, PCFG.list, the index.
#include "ZYNINSToc.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSFormat.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSTocIndex.h"
#include "ZYNINSTocLines.h"
#include "ZYNINSTocText.h"
#include "ZYNSystem.h"

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
  bool held = true;  // false when the text did not fit in memory; its lines are counted all the same
};

// Appends [begin, end); when memory runs out, releases what was held and gives false.
bool Append(std::vector<char> &bytes, const char *begin, const char *end) noexcept {
  if (ZYNINSRunGuarded([&] { bytes.insert(bytes.end(), begin, end); }) == ZYNINSThrown::Nothing) return true;
  std::vector<char>().swap(bytes);
  return false;
}

// Only a regular file is read: a FIFO blocks at open until a writer comes, a device such as
// /dev/zero never ends, and a directory opens on some systems.
bool IsRegularFile(const char *fileName) { return ZYNGetFileKind(fileName) == ZYNFileKind::Regular; }

// Reads the whole file and counts its lines, an unterminated last one included. Reading stops
// at the newline of the first line past what a catalogue may hold, so the count of a longer
// file reads one past the limit. False when the file is no regular file or cannot be read.
bool ReadTocText(const char *fileName, TocText &text) {
  if (!IsRegularFile(fileName)) return false;
  std::ifstream file(fileName, std::ios::in | std::ios::binary);
  if (!file.is_open()) return false;
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  file.clear();
  // Room for the whole file at once.
  if (size > 0 && static_cast<unsigned long long>(size) >= text.bytes.max_size() - kReadAhead)
    text.held = false;
  else if (size > 0)
    text.held = ZYNINSRunGuarded([&] { text.bytes.reserve(static_cast<size_t>(size) + kReadAhead); }) ==
                ZYNINSThrown::Nothing;
  char chunk[65536];
  ZYNINSLineCounter counter;
  while (counter.Newlines() <= ZYNINSMostLines && (file.read(chunk, sizeof chunk) || file.gcount() > 0)) {
    const char *end = counter.Count(chunk, chunk + file.gcount(), ZYNINSMostLines + 1);
    if (text.held) text.held = Append(text.bytes, chunk, end);
  }
  if (file.bad()) return false;
  text.lines = static_cast<int>(counter.Lines());
  if (!text.held) return true;
  text.length = text.bytes.size();
  text.holdsNul = text.length > 0 && memchr(text.bytes.data(), '\0', text.length) != nullptr;
  static const char kZeros[kReadAhead] = {};
  text.held = Append(text.bytes, kZeros, kZeros + kReadAhead);
  return true;
}

// Newline-terminated lines, plus an unterminated last line; counting stops one line past the
// limit, as ReadTocText's does.
int CountLines(std::istream &file) {
  ZYNINSLineCounter counter;
  char chunk[8192];
  while (counter.Newlines() <= ZYNINSMostLines && (file.read(chunk, sizeof chunk) || file.gcount() > 0))
    counter.Count(chunk, chunk + file.gcount(), ZYNINSMostLines + 1);
  return static_cast<int>(counter.Lines());
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

void ZYNINSReportNoRoom(int lines, const char *fileName) noexcept {
  ZYNINSRunGuarded([&] {
    ZYNINSReport("ZYNINSToc.Error_Allocate", "ZYNINSToc::Init unable to allocate %d entries from %s\n",
                 {lines, fileName ? fileName : ""});
  });
}

void ZYNINSToc::Init(char *fileName, std::ifstream &file) {
  ZYNINSGuardedLoad(_NbToc, fileName, [&] {
    Restart(fileName);
    if (IsRegularFile(_FileName)) file.open(_FileName, std::ios::in);
    int lines = file.is_open() ? CountLines(file) : 0;
    if (!file.is_open() || file.bad()) {
      ZYNINSReport("ZYNINSToc.Error_Init", "ZYNINSToc::Init  unable to open file %s\n", {_FileName});
      if (file.is_open()) file.close();
      return;
    }
    file.clear();
    file.seekg(0);
    PrepareTable(lines);
  });
}

void ZYNINSToc::PrepareTable(int lines) {
  if (lines > ZYNINSMostLines) {
    ZYNINSReport("ZYNINSToc.Error_Init2", "ZYNINSToc::Init Internal error _NbToc = %d\n", {lines});
    return;
  }
  _Entries = new (std::nothrow) ZYNINSUnitToc[lines];
  if (!_Entries) {
    ZYNINSReportNoRoom(lines, _FileName);
    return;
  }
  _NbToc = lines;  // the records' constructor has cleared them
}

int ZYNINSToc::Load(char *fileName, ZYNINSTocLines &lines) {
  int loaded = 0;
  ZYNINSGuardedLoad(_NbToc, fileName, [&] {
    Restart(fileName);

    TocText text;
    if (!ReadTocText(_FileName, text)) {
      ZYNINSReport("ZYNINSToc.Error_Init", "ZYNINSToc::Init  unable to open file %s\n", {_FileName});
      return;
    }
    // A file of too many lines is refused as such, whether its text fitted in memory or not.
    if (!text.held && text.lines <= ZYNINSMostLines) {
      ZYNINSReportNoRoom(text.lines, _FileName);
      return;
    }
    PrepareTable(text.lines);
    if (_NbToc == -1) return;
    if (!lines.Prepare(_NbToc)) {
      _NbToc = -1;
      return;
    }

    const char *line = text.bytes.data();
    const char *end = line + text.length;
    lines.Text = {line + text.bytes.size(), text.holdsNul};
    for (int k = 0; k < _NbToc; ++k) {
      ZYNINSTextLine read = ZYNINSNextLine(line, end);
      if (!lines.Read(read.Begin, read.Length, k, _Entries[k])) {
        ZYNINSReport(lines.RefusedKey, lines.RefusedFormat, {k + 1, _FileName});
        _NbToc = -1;
        return;
      }
      line = read.Next;
    }
    loaded = SetLevels();
  });
  return _NbToc == -1 ? 0 : loaded;
}

std::string ZYNINSVisibilityListPath(const std::string &tocPath) {
  size_t separator = tocPath.find_last_of("/\\");
  return separator == std::string::npos ? "PCFG.list" : tocPath.substr(0, separator + 1) + "PCFG.list";
}

void ZYNINSToc::InitPCFGlist() {
  ZYNINSGuardedLoad(_NbToc, _FileName, [&] {
    std::string path = ZYNINSVisibilityListPath(_FileName ? _FileName : "");
    // A list that is no regular file is taken as missing, as a TOC file that is none is refused:
    // reading it could block or never end.
    if (!IsRegularFile(path.c_str())) return;
    std::unique_ptr<std::ifstream> list(new std::ifstream(path.c_str(), std::ios::in | std::ios::binary));
    if (list->is_open()) _PCFGList = list.release();
  });
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

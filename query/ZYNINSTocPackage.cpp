// Listing the distinct names of one package kind, and the PCFG.list visibility test.
#include <algorithm>
#include <cstring>
#include <istream>
#include <string>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNameTable.h"
#include "ZYNINSNames.h"
#include "ZYNINSToc.h"
#include "ZYNINSTocText.h"
#include "ZYNINSUnitTocIO.h"

namespace {

// The next white-space separated word of the stream; false when none is left.
bool ReadWord(std::istream &in, std::string &word) { return static_cast<bool>(in >> word); }

// A word compares like a C string: only its text up to a NUL counts.
std::string WordText(const std::string &word) { return word.substr(0, word.find('\0')); }

void Rewind(std::istream &in) {
  in.clear();
  in.seekg(0, std::ios::beg);
}

// The words of PCFG.list that can equal a name, read in one piece.
void ReadVisibleWords(std::istream &in, ZYNINSNameTable &words) {
  Rewind(in);
  // In blocks: a character at a time costs more than the words' lookups.
  std::string text;
  char block[16384];
  for (std::streamsize got; (got = in.rdbuf()->sgetn(block, sizeof block)) > 0;)
    text.append(block, static_cast<std::size_t>(got));
  for (std::size_t start = 0, end; ZYNINSNextWord(text.data(), text.size(), start, end); start = end)
    if (end - start <= ZYNINSMaxNameLength) words.Intern(text.data() + start, end - start);
}

// Names in byte order, as unsigned characters, up to their NUL.
bool NameBefore(const char *a, const char *b) { return strncmp(a, b, ZYNINSNameWidth) < 0; }

}  // namespace

int ZYNINSToc::IsVisible(char *name) const {
  if (!_PCFGList || !name) return 0;
  Rewind(*_PCFGList);
  const std::string wanted = ZYNINSNameText(name);
  std::string word;
  while (ReadWord(*_PCFGList, word))
    if (word.size() <= ZYNINSMaxNameLength && WordText(word) == wanted) return 1;
  return 0;
}

void ZYNINSToc::GetPackage(ZYNINSPkg pkg, ZYNINSType type, ZYNINSStockName *list, int visible) const {
  if (!list) return;
  // Whatever stops the listing (no room, a caller's diagnostic stream) leaves the list empty.
  if (ZYNINSRunGuarded([&] {
    char(*names)[ZYNINSNameWidth] = *list->Reset();
    unsigned int *count = list->GetNbNameAddress();

    // Distinct names in order of first appearance; PCFG.list is read only once a candidate needs it.
    std::vector<const char *> taken;
    ZYNINSNameTable seen;
    ZYNINSNameTable visibleWords;
    bool wordsRead = false;
    for (int i = 0; i < _NbToc; ++i) {
      const ZYNINSUnitToc &entry = _Entries[i];
      if (entry._Pkg != pkg) continue;
      if (entry._Type != type && type != ZYNINSUnknownQ) continue;
      if (visible == 1 && _PCFGList) {
        if (!wordsRead) {
          ReadVisibleWords(*_PCFGList, visibleWords);
          wordsRead = true;
        }
        if (visibleWords.FindField(entry._Name) < 0) continue;
      }
      if (taken.size() >= ZYNINSListCapacity) break;
      bool added = false;
      seen.InternField(entry._Name, &added);
      if (added) taken.push_back(entry._Name);
    }

    // Fixes run the other way.
    if (pkg == ZYNINSFIX)
      std::sort(taken.begin(), taken.end(), [](const char *a, const char *b) { return NameBefore(b, a); });
    else
      std::sort(taken.begin(), taken.end(), NameBefore);

    char *(*labels)[ZYNINSListCapacity] = list->GetTabLabel();
    for (std::size_t i = 0; i < taken.size(); ++i) ZYNINSCopyNameField(names[i], taken[i]);
    *count = static_cast<unsigned int>(taken.size());

    // The label comes from the first entry of that name, whatever its package: code before zarn.
    for (std::size_t i = 0; i < taken.size(); ++i) {
      int index;
      if (type == ZYNINSUnknownQ) {
        index = GetIndex(names[i], ZYNINSCode);
        if (index == -1) index = GetIndex(names[i], ZYNINSZarn);
      } else {
        index = GetIndex(names[i], type);
      }
      if (index == -1) {
        ZYNINSReport("GetPackage.Error", "ZYNINSToc::GetPackage: internal error on %s for type %s\n",
                     {ZYNINSNameText(names[i]), ZYNINSTypeName(type)});
        *count = 0;
        return;
      }
      (*labels)[i] = _Entries[index]._Label;
    }
  }) != ZYNINSThrown::Nothing)
    *list->GetNbNameAddress() = 0;
}

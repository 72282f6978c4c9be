// Listing the distinct names of one package kind, and the PCFG.list visibility test.
#include <algorithm>
#include <cstring>
#include <istream>
#include <string>
#include <unordered_set>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNINSToc.h"
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

// The words of PCFG.list that can equal a name, read in one pass.
std::unordered_set<std::string> ReadVisibleWords(std::istream &in) {
  std::unordered_set<std::string> words;
  Rewind(in);
  std::string word;
  while (ReadWord(in, word))
    if (word.size() <= ZYNINSMaxNameLength) words.insert(WordText(word));
  return words;
}

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
  char(*names)[ZYNINSNameWidth] = *list->Reset();
  unsigned int *count = list->GetNbNameAddress();

  // Distinct names in order of first appearance; PCFG.list is read only once a candidate needs it.
  std::vector<std::string> taken;
  std::unordered_set<std::string> seen;
  std::unordered_set<std::string> visibleWords;
  bool wordsRead = false;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry._Pkg != pkg) continue;
    if (entry._Type != type && type != ZYNINSUnknownQ) continue;
    std::string name = ZYNINSNameText(entry._Name);
    if (visible == 1 && _PCFGList) {
      if (!wordsRead) {
        visibleWords = ReadVisibleWords(*_PCFGList);
        wordsRead = true;
      }
      if (!visibleWords.count(name)) continue;
    }
    if (taken.size() >= ZYNINSListCapacity) break;
    if (seen.insert(name).second) taken.push_back(name);
  }

  // std::string compares as unsigned bytes, so this is byte order; fixes run the other way.
  if (pkg == ZYNINSFIX)
    std::sort(taken.begin(), taken.end(), [](const std::string &a, const std::string &b) { return b < a; });
  else
    std::sort(taken.begin(), taken.end());

  char *(*labels)[ZYNINSListCapacity] = list->GetTabLabel();
  for (std::size_t i = 0; i < taken.size(); ++i) ZYNINSCopyName(names[i], taken[i]);
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
                   {taken[i], ZYNINSTypeName(type)});
      *count = 0;
      return;
    }
    (*labels)[i] = _Entries[index]._Label;
  }
}

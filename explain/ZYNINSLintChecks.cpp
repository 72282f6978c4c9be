// The checks across lines: levels, names given twice, frameworks, references, cycles,
// sequence numbers and the visibility list.
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "ZYNINSCycleSearch.h"
#include "ZYNINSFormat.h"
#include "ZYNINSLintFile.h"
#include "ZYNINSTocText.h"
#include "ZYNSystem.h"

namespace {

// Relations hold between units of one type: a name is known per type.
std::string Key(int type, const char *name) { return std::string(1, static_cast<char>('0' + type)) + name; }

// The first line of each name, per type; with withRefused, also lines refused after
// their name, so that a name is not reported missing for a fault elsewhere in its line.
std::unordered_map<std::string, int> FirstLines(const ZYNINSLintedFile &file, bool withRefused = false) {
  std::unordered_map<std::string, int> first;
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc &entry = file.Entries[i];
    if (file.Lines[i].Read || (withRefused && file.Lines[i].NameRead)) {
      first.emplace(Key(entry.GetType(), entry.GetName()), i);
    } else if (withRefused) {
      // Refused before its name was read: the name as written stands for either type.
      std::string name = file.RawField(i, 3);
      first.emplace(Key(ZYNINSCode, name.c_str()), i);
      first.emplace(Key(ZYNINSZarn, name.c_str()), i);
    }
  }
  return first;
}

std::string Unit(const ZYNINSUnitToc &entry) {
  return ZYNINSLintQuote(entry.GetName()) + " (" + ZYNINSTypeKeyword(entry.GetType()) + ")";
}

// Reports every entry from the second on whose tag differs from the first entry's;
// zarn entries are left out when codeOnly.
void AgreeOnTag(ZYNINSLintedFile &file, const char *(ZYNINSUnitToc::*tag)() const, int field, bool codeOnly,
                const char *what) {
  // Loading takes the first line's values as the catalogue's; without it, the first read.
  const ZYNINSUnitToc *reference = nullptr;
  int referenceLine = 0;
  for (int i = 0; i < file.NbLines() && !reference; ++i)
    if ((reference = file.Entry(i))) referenceLine = i;
  for (int i = referenceLine + 1; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry || (codeOnly && entry->GetType() != ZYNINSCode)) continue;
    if (strcmp((entry->*tag)(), (reference->*tag)()) == 0) continue;
    file.Error(i + 1, file.FieldColumn(i, field), what,
               std::string(what) + " " + ZYNINSLintQuote((entry->*tag)()) + " disagrees with " +
                   ZYNINSLintQuote((reference->*tag)()) + " of line " + std::to_string(referenceLine + 1));
  }
}

// Visits each name of a line's relation fields with the field's number and name.
template <typename Visit>
void ForEachReference(const ZYNINSUnitToc &entry, Visit visit) {
  for (int k = 0; k < entry.GetNbSupersede(); ++k) visit(4, "supersede list", "supersedes", entry.GetSupersede(k));
  for (int k = 0; k < entry.GetNbPrereq(); ++k) visit(5, "prerequisite list", "needs", entry.GetPrereq(k));
  for (int k = 0; k < entry.GetNbIfreq(); ++k) {
    visit(6, "conditional requisites", "has a conditional requisite on", entry.GetIfreq(k)->GetCondName());
    visit(6, "conditional requisites", "may require", entry.GetIfreq(k)->GetReqName());
  }
}

}  // namespace

void ZYNINSLintLevels(ZYNINSLintedFile &file) {
  // Zarn entries may carry any operating system; every entry carries the GA level.
  AgreeOnTag(file, &ZYNINSUnitToc::GetOS, 9, true, "OS tag");
  AgreeOnTag(file, &ZYNINSUnitToc::GetGALevel, 10, false, "GA level");
}

void ZYNINSLintDuplicates(ZYNINSLintedFile &file) {
  std::unordered_map<std::string, int> first;
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry) continue;
    auto known = first.emplace(Key(entry->GetType(), entry->GetName()), i);
    if (known.second) continue;
    std::string message = Unit(*entry) + " is given twice; first on line " + std::to_string(known.first->second + 1);
    // An installed catalogue refuses it; a medium takes the first.
    if (file.IsMedia()) file.Warning(i + 1, file.FieldColumn(i, 3), "name", message);
    else file.Error(i + 1, file.FieldColumn(i, 3), "name", message);
  }
}

void ZYNINSLintFrameworks(ZYNINSLintedFile &file) {
  std::unordered_map<std::string, int> first = FirstLines(file, true);
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry || entry->GetPkg() != ZYNINSFSP) continue;
    char *framework = entry->GetFrameworkName();
    std::string name = framework;
    delete[] framework;
    if (first.count(Key(entry->GetType(), name.c_str()))) continue;
    std::string message = "framework service pack " + Unit(*entry) + " has no framework " +
                          ZYNINSLintQuote(name) + " of its type in the file";
    if (file.IsMedia()) {
      file.Warning(i + 1, file.FieldColumn(i, 3), "name", message);
    } else {
      // Loading stops at the first one.
      file.Error(i + 1, file.FieldColumn(i, 3), "name", message);
      return;
    }
  }
}

void ZYNINSLintReferences(ZYNINSLintedFile &file) {
  std::unordered_map<std::string, int> first = FirstLines(file, true);
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry) continue;
    ForEachReference(*entry, [&](int field, const char *fieldName, const char *relation, const char *name) {
      if (first.count(Key(entry->GetType(), name))) return;
      file.Warning(i + 1, file.FieldColumn(i, field), fieldName,
                   ZYNINSLintQuote(entry->GetName()) + " " + relation + " " + ZYNINSLintQuote(name) +
                       ", which no " + ZYNINSTypeKeyword(entry->GetType()) + " entry of the file has");
    });
  }
}

// Units that need each other through their prerequisites.
void ZYNINSLintCycles(ZYNINSLintedFile &file) {
  std::unordered_map<std::string, int> first = FirstLines(file);
  std::vector<std::vector<int>> needs(file.NbLines());
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry) continue;
    for (int k = 0; k < entry->GetNbPrereq(); ++k) {
      auto found = first.find(Key(entry->GetType(), entry->GetPrereq(k)));
      if (found != first.end()) needs[i].push_back(found->second);
    }
  }

  for (const std::vector<int> &component : ZYNINSFindCycles(needs)) {
    int at = component.front();
    std::string message;
    if (component.size() == 1) {
      message = Unit(*file.Entry(at)) + " is its own prerequisite";
    } else {
      message = "prerequisite cycle:";
      for (std::size_t k = 0; k < component.size() && k < 8; ++k)
        message += std::string(k ? ", " : " ") + ZYNINSLintQuote(file.Entry(component[k])->GetName()) +
                   " (line " + std::to_string(component[k] + 1) + ")";
      if (component.size() > 8) message += " and " + std::to_string(component.size() - 8) + " more";
      message += " need each other";
    }
    file.Warning(at + 1, file.FieldColumn(at, 5), "prerequisite list", message);
  }
}

void ZYNINSLintSequence(ZYNINSLintedFile &file) {
  if (!file.IsMedia()) return;
  std::unordered_map<int, int> firstLine;
  int previous = -1;
  for (int i = 0; i < file.NbLines(); ++i) {
    if (!file.Entry(i)) continue;
    int number = file.Lines[i].IndexI;
    auto known = firstLine.emplace(number, i);
    if (!known.second)
      file.Warning(i + 1, file.SequenceColumn(i), "sequence number",
                   "sequence number " + std::to_string(number) + " is also on line " +
                       std::to_string(known.first->second + 1));
    else if (previous >= 0 && number < file.Lines[previous].IndexI)
      file.Warning(i + 1, file.SequenceColumn(i), "sequence number",
                   "sequence number " + std::to_string(number) + " comes after " +
                       std::to_string(file.Lines[previous].IndexI) + " on line " + std::to_string(previous + 1));
    previous = i;
  }
}

void ZYNINSLintVisibilityList(ZYNINSLintedFile &file) {
  // Beside the TOC file, as the catalogues look for it.
  const std::string &path = file.Path();
  std::string listPath = ZYNINSVisibilityListPath(path);
  ZYNFileKind kind = ZYNGetFileKind(listPath.c_str());
  if (kind == ZYNFileKind::Missing) return;
  if (kind != ZYNFileKind::Regular) {
    // Not read: a FIFO would block, a device might never end.
    file.Add(listPath, 0, 0, ZYNINSLintWarning, nullptr, "not a regular file: catalogues take it as missing");
    return;
  }
  std::ifstream list(listPath, std::ios::binary);
  if (!list.is_open()) return;

  std::unordered_map<std::string, bool> known;
  for (int i = 0; i < file.NbLines(); ++i)
    if (const ZYNINSUnitToc *entry = file.Entry(i)) known[entry->GetName()] = true;
  std::string line;
  for (int number = 1; std::getline(list, line); ++number) {
    for (std::size_t start = 0, end; ZYNINSNextWord(line.data(), line.size(), start, end); start = end) {
      std::string name = line.substr(start, end - start);
      if (!known.count(name))
        file.Add(listPath, number, static_cast<int>(start) + 1, ZYNINSLintWarning, "name",
                 ZYNINSLintQuote(name) + " is not a unit of " + ZYNINSLintQuote(path));
    }
  }
}

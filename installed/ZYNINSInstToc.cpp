// Loading an installed catalogue and its name lists, and the installed and level queries.
#include "ZYNINSInstToc.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSInstIndex.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNINSTocLines.h"
#include "ZYNINSUnitTocIO.h"

namespace {

// Sorts name fields longer names first, names of equal length in ascending byte order; each
// length is measured once.
void SortSuperseded(char (*names)[ZYNINSNameWidth], unsigned int count) {
  std::vector<std::pair<std::size_t, unsigned int>> order;  // length, then place
  order.reserve(count);
  for (unsigned int k = 0; k < count; ++k) order.emplace_back(strnlen(names[k], ZYNINSNameWidth), k);
  std::sort(order.begin(), order.end(), [names](const auto &a, const auto &b) {
    if (a.first != b.first) return a.first > b.first;
    return memcmp(names[a.second], names[b.second], a.first) < 0;
  });
  std::vector<char> sorted(static_cast<std::size_t>(count) * ZYNINSNameWidth);
  for (unsigned int k = 0; k < count; ++k) memcpy(&sorted[k * ZYNINSNameWidth], names[order[k].second], ZYNINSNameWidth);
  if (count) memcpy(names[0], sorted.data(), sorted.size());
}

}  // namespace

ZYNINSInstToc::ZYNINSInstToc(char *path) : ZYNINSToc(), _InstIndex(nullptr) {
  // A load that gives up early must still answer as an empty catalogue.
  _NbInstalled[0] = _NbInstalled[1] = 0;
  _NbSuperseded[0] = _NbSuperseded[1] = 0;

  ZYNINSEntryLines lines("ZYNINSInstToc.Error_Init", "ZYNINSInstToc: Init of line number %d from %s failed\n");
  if (!Load(path, lines)) return;

  // The name lists need room of their own.
  ZYNINSGuardedLoad(_NbToc, path, [&] {
    _InstIndex = new ZYNINSInstIndex;
    // Names of the units present, per type, in the order of first occurrence.
    int ofType[ZYNINSNbEntryTypes] = {};
    for (int i = 0; i < _NbToc; ++i)
      if (ZYNINSIsEntryType(_Entries[i].GetType())) ++ofType[_Entries[i].GetType()];
    for (int type = 0; type < ZYNINSNbEntryTypes; ++type) _InstIndex->Reserve(type, ofType[type]);
    for (int i = 0; i < _NbToc; ++i) {
      int type = _Entries[i].GetType();
      const char *name = _Entries[i].GetName();
      if (ZYNINSIsEntryType(type) && _InstIndex->AddInstalled(type, name, i))
        ZYNINSCopyNameField(_Installed[type][_NbInstalled[type]++], name);
    }
    // Checked once for the whole table, so the message cannot name the doubled unit.
    if (_NbInstalled[0] + _NbInstalled[1] != static_cast<unsigned int>(_NbToc)) {
      ZYNINSReport("ZYNINSInstToc.Error_Duplicate", "ZYNINSInstToc:Duplicate entry in %s\n", {path});
      _NbToc = -1;
      return;
    }

    // Names the units supersede, per type.
    for (int i = 0; i < _NbToc; ++i) {
      int type = _Entries[i].GetType();
      if (!ZYNINSIsEntryType(type)) continue;
      for (int k = 0; k < _Entries[i].GetNbSupersede(); ++k) {
        const char *name = _Entries[i].GetSupersede(k);
        if (!_InstIndex->AddSuperseded(type, name)) continue;  // known already
        // The lists are fixed arrays: refuse the catalogue rather than overrun or drop names.
        if (_NbSuperseded[type] >= ZYNINSListCapacity) {
          ZYNINSReport("ZYNINSInstToc.Error_Superseded",
                       "ZYNINSInstToc: more than %d %s names superseded in %s\n",
                       {static_cast<int>(ZYNINSListCapacity), ZYNINSTypeName(type), path});
          _NbSuperseded[0] = _NbSuperseded[1] = 0;
          _InstIndex->ClearSuperseded();
          _NbToc = -1;
          return;
        }
        ZYNINSCopyNameField(_Superseded[type][_NbSuperseded[type]++], name);
      }
    }
    SortSuperseded(_Superseded[ZYNINSCode], _NbSuperseded[ZYNINSCode]);

    // Each framework learns the highest level among the FSPs named after it.
    for (int i = 0; i < _NbToc; ++i) {
      ZYNINSUnitToc &fsp = _Entries[i];
      if (fsp.GetPkg() != ZYNINSFSP) continue;
      char *framework = fsp.GetFrameworkName();
      // The first entry of that name, as GetIndex finds it, without building the relations yet.
      int found = _InstIndex->FirstInstalled(fsp.GetType(), framework);
      delete[] framework;
      if (found == -1) {
        ZYNINSReport("ZYNINSInstToc.Error_NoFramework", "ZYNINSInsToc: Np Framework associated with %s\n",
                     {fsp.GetName()});
        _NbToc = -1;
        return;
      }
      _Entries[found].RaiseMaxSPKLevel(fsp.GetSPKLevel());
    }

    InitPCFGlist();
  });
}

ZYNINSInstToc::~ZYNINSInstToc() { delete _InstIndex; }

int ZYNINSInstToc::IsInstalled(const char *name, ZYNINSType type) {
  if (_NbToc < 0 || name == nullptr) return -1;
  if (_InstIndex->HasInstalled(type, name)) return 0;
  if (_InstIndex->HasSuperseded(type, name)) return 1;
  return -1;
}

int ZYNINSInstToc::GetMaxSPKLevel(char *name) const {
  if (_NbToc <= 0 || name == nullptr) return 0;
  // The first lookup builds the name index: without room for it, the name is not found.
  int found = ZYNINSGuarded(-1, [&] { return GetIndex(name, ZYNINSCode); });
  return found == -1 ? 0 : _Entries[found].GetMaxSPKLevel();
}

void ZYNINSInstToc::GetMaxSPKLevel(std::ostream &out) {
  // An unusable catalogue has no levels to show.
  if (_NbToc < 0) return;
  ZYNINSGuardedOutput(out, 0, [&] {
    out << GetOS() << ' ' << GetGALevel() << std::endl;
    for (int i = 0; i < _NbToc; ++i)
      if (_Entries[i].GetPkg() == ZYNINSFWK)
        out << _Entries[i].GetName() << ' ' << _Entries[i].GetMaxSPKLevel() << std::endl;
    return 0;
  });
}

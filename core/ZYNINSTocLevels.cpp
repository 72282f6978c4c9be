// A catalogue's OS tag, GA level and service-pack levels, derived from its entries.
#include <cstdint>
#include <cstring>

#include "ZYNINSBytes.h"
#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

namespace {
// Whether two tag fields hold the same text.
bool SameTag(const char *a, const char *b) {
#if defined(ZYNINS_FIELD_WORDS)
  static_assert(ZYNINSLevelWidth == sizeof(std::uint64_t), "a tag field is one word");
  std::uint64_t x, y;
  memcpy(&x, a, sizeof x);
  memcpy(&y, b, sizeof y);
  bool ended;
  return ZYNINSWordUpToNul(x, ended) == ZYNINSWordUpToNul(y, ended);
#else
  return strcmp(a, b) == 0;
#endif
}

// Takes the first entry's tag as the catalogue's and reports the first later entry that
// carries another one; entries of type zarn are left out when codeOnly.
int AgreeOnTag(const ZYNINSUnitToc *entries, int nbEntries, char (&tag)[ZYNINSLevelWidth],
               const char *(ZYNINSUnitToc::*field)() const, bool codeOnly, const char *key,
               const char *format, const char *fileName) {
  if (nbEntries <= 0) return 1;
  memcpy(tag, (entries[0].*field)(), sizeof tag);
  for (int i = 1; i < nbEntries; ++i) {
    const char *own = (entries[i].*field)();
    if (!SameTag(own, tag) && (!codeOnly || entries[i].GetType() == ZYNINSCode)) {
      ZYNINSReport(key, format, {i + 1, fileName, tag, own});
      return 0;
    }
  }
  return 1;
}
}  // namespace

// Only the report of a disagreement can throw: it is a disagreement all the same.
int ZYNINSToc::SetOS() {
  return ZYNINSGuarded(0, [&] {
    return AgreeOnTag(_Entries, _NbToc, _OS, &ZYNINSUnitToc::GetOS, true, "SetOS.Error",
                      "ZYNINSToc::SetOS: Operating system mismatch on line number %d from file %s:\n"
                      "%s operating system expected, and %s operating system found\n",
                      _FileName);
  });
}

int ZYNINSToc::SetGALevel() {
  return ZYNINSGuarded(0, [&] {
    return AgreeOnTag(_Entries, _NbToc, _GALevel, &ZYNINSUnitToc::GetGALevel, false, "SetGALevel.Error",
                      "ZYNINSToc::SetGALevel:GA level mismatch on line number %d from file %s:\n"
                      "%s GA level expected, and %s GA level found\n",
                      _FileName);
  });
}

int ZYNINSToc::SetLevels() {
  if (!SetOS() || !SetGALevel()) {
    _NbToc = -1;
    return 0;
  }
  SetSPKLevel();
  return 1;
}

void ZYNINSToc::SetSPKLevel() {
  _SPKLevel = 0;
  _PrevSPKLevel = 0;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() == ZYNINSSPK && entry.GetSPKLevel() > _SPKLevel) {
      _PrevSPKLevel = _SPKLevel;
      _SPKLevel = entry.GetSPKLevel();
    }
  }
}

char *ZYNINSToc::GetOS() { return _OS; }

char *ZYNINSToc::GetGALevel() { return _GALevel; }

int ZYNINSToc::GetSPKLevel(int which) const { return which == 1 ? _SPKLevel : _PrevSPKLevel; }

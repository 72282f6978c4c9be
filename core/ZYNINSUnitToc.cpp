// The entry record: construction, clearing, releasing and the framework name.
#include <cstring>
#include <type_traits>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

ZYNINSUnitToc::ZYNINSUnitToc()
    : _Type(ZYNINSCode), _Pkg(ZYNINSFWK), _Size(0), _SPKLevel(0) {
  Clear();
}

char *ZYNINSUnitToc::GetFrameworkName() const {
  char *framework = new char[ZYNINSNameWidth];
  size_t length = strnlen(_Name, ZYNINSMaxNameLength);
  const char *dot = static_cast<const char *>(memchr(_Name, '.', length));
  if (dot) length = static_cast<size_t>(dot - _Name);
  memcpy(framework, _Name, length);
  memset(framework + length, 0, ZYNINSNameWidth - length);
  return framework;
}

void ZYNINSUnitToc::Clear() {
  // The record's counts, size and levels are 32-bit fields on every platform, 32-bit Windows
  // included; the size is unsigned.
  static_assert(sizeof _Type == 4 && sizeof _Pkg == 4, "entry type and package kind take 32 bits");
  static_assert(sizeof _NbSupersede == 4 && sizeof _NbPrereq == 4 && sizeof _NbIfreq == 4,
                "list counts take 32 bits");
  static_assert(sizeof _Size == 4 && std::is_unsigned<decltype(_Size)>::value, "the size is unsigned 32-bit");
  static_assert(sizeof _SPKLevel == 4 && sizeof _MaxSPKLevel == 4, "levels take 32 bits");
  static_assert(sizeof(ZYNINSIfreqPair) == 64, "a pair is two 32-byte names");
  _NbSupersede = _NbPrereq = _NbIfreq = 0;
  _Supersede = nullptr;
  _Prereq = nullptr;
  _Ifreq = nullptr;
  _Label = nullptr;
  _MaxSPKLevel = 0;
  memset(_Name, 0, sizeof _Name);
  memset(_Timestamp, 0, sizeof _Timestamp);
  memset(_OS, 0, sizeof _OS);
  memset(_GALevel, 0, sizeof _GALevel);
}

void ZYNINSUnitToc::Detach() {
  _NbSupersede = _NbPrereq = _NbIfreq = 0;
  _Label = nullptr;
}

void ZYNINSUnitToc::Release() {
  delete[] _Label;
  if (_NbSupersede) delete[] _Supersede;
  if (_NbPrereq) delete[] _Prereq;
  if (_NbIfreq) delete[] _Ifreq;
  _Label = nullptr;
  _Supersede = nullptr;
  _Prereq = nullptr;
  _Ifreq = nullptr;
  _NbSupersede = _NbPrereq = _NbIfreq = 0;
}

// Operations that produce or change catalogue content: tsort input files, time stamp, removal.
#include <cstring>
#include <ctime>
#include <sstream>

#include "ZYNINSDiag.h"
#include "ZYNINSNames.h"
#include "ZYNINSToc.h"
#include "ZYNINSUnitTocIO.h"
#include "ZYNINSWholeFile.h"

namespace {

// Writes the lines as the whole file and reports whether it was written.
template <typename Writer>
bool WriteLines(const char *fileName, Writer write) {
  std::ostringstream out;
  write(out);
  return ZYNINSWriteWholeFile(fileName, out.str());
}

bool LocalTime(std::time_t now, std::tm &local) {
#if defined(_WIN32)
  return localtime_s(&local, &now) == 0;
#else
  return localtime_r(&now, &local) != nullptr;
#endif
}

}  // namespace

int ZYNINSToc::BuildTsort(char *name, ZYNINSType type) const {
  if (_NbToc != 1 || !_Entries || !name) return 0;
  const ZYNINSUnitToc &entry = _Entries[0];
  if (entry._Type != type || ZYNINSNameText(entry._Name) != name) return 0;

  bool prereqWritten = WriteLines("prereq", [&entry](std::ostream &out) {
    for (int i = 0; i < entry._NbSupersede; ++i) out << ZYNINSNameText(entry._Supersede[i]) << '\n';
    for (int i = 0; i < entry._NbPrereq; ++i) out << ZYNINSNameText(entry._Prereq[i]) << '\n';
  });
  if (!prereqWritten) return 0;

  bool ifreqWritten = WriteLines("ifreq", [&entry](std::ostream &out) {
    for (int i = 0; i < entry._NbIfreq; ++i) {
      const ZYNINSIfreqPair &pair = entry._Ifreq[i];
      out << ZYNINSNameText(pair.GetCondName()) << '\n' << ZYNINSNameText(pair.GetReqName()) << '\n';
    }
  });
  return ifreqWritten ? 1 : 0;
}

void ZYNINSToc::SetTimestamp() {
  // Without an entry 0 there is nothing to stamp.
  if (_NbToc <= 0 || !_Entries) return;
  std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return;
  std::tm local;
  if (!LocalTime(now, local)) return;
  char stamp[sizeof _Entries[0]._Timestamp] = {};
  // A result that does not fit the 14 digits leaves the entry as it was.
  if (std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local) == 0) return;
  memcpy(_Entries[0]._Timestamp, stamp, sizeof stamp);
}

int ZYNINSToc::Remove(char *const name, ZYNINSType type) {
  int index = name ? GetIndex(name, type) : -1;
  if (index == -1) {
    ZYNINSReport("GetPackage.Error", "ZYNINSToc::Remove: %s %s: not found in %s\n",
                 {name, ZYNINSTypeName(type), _FileName});
    return 0;
  }
  _Entries[index].Release();
  --_NbToc;
  // The moved records take their lists and labels with them; the slot past the end
  // forgets them so that nothing is released twice.
  for (int i = index; i < _NbToc; ++i) _Entries[i] = _Entries[i + 1];
  _Entries[_NbToc].Detach();
  DropIndex();
  return 1;
}

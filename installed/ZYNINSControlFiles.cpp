// The control directory read once, with the existence test for whatever the listing cannot vouch for.
#include "ZYNINSControlFiles.h"

#include <cstring>
#include <utility>

#include "ZYNDirectory.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNSystem.h"

namespace {

bool gExistenceTestsOnly = false;
int gExistenceTests = 0;

void Remember(void *context, const char *name, std::size_t length) {
  // Longer names are no unit's.
  if (length <= ZYNINSMaxNameLength) static_cast<ZYNINSNameTable *>(context)->Intern(name, length);
}

}  // namespace

ZYNINSControlFiles::ZYNINSControlFiles(std::string control, int units)
    : _Control(std::move(control)), _Units(units > 0 ? units : 0) {
  gExistenceTests = 0;
}

std::string ZYNINSControlFiles::PathOf(const char *name) const {
  return _Control + std::string(name, strnlen(name, ZYNINSNameWidth));
}

void ZYNINSControlFiles::sSetExistenceTestsOnly(bool on) { gExistenceTestsOnly = on; }

int ZYNINSControlFiles::sExistenceTests() { return gExistenceTests; }

void ZYNINSControlFiles::List() {
  _Read = true;
  if (gExistenceTestsOnly) return;
  // A directory far larger than the catalogue costs more to read than the units' tests, and
  // its table would hold names no unit asks about.
  const std::size_t units = static_cast<std::size_t>(_Units), most = 4 * units + 4096;
  _Listed.Reserve(units);
  _Usable = ZYNListDirectory(_Control.c_str(), most, Remember, &_Listed);
  if (!_Usable) _Listed.Clear();
}

bool ZYNINSControlFiles::Tested(const char *name) const {
  ++gExistenceTests;
  return ZYNFileAccess(PathOf(name).c_str(), 0) == 0;
}

bool ZYNINSControlFiles::Has(const char *name) {
  const std::size_t length = strnlen(name, ZYNINSNameWidth);
  if (!ZYNINSIsControlFileName(name, length) || _Control.size() + length >= ZYNINSPathRoom) return false;
  if (!_Read) List();
  if (!_Usable || _Listed.FindField(name) < 0) return Tested(name);
  if (_Confirmed) return true;
  // A directory that can be read but not searched lists names the test cannot reach: the
  // test has the first word, and when it disagrees the listing is dropped.
  _Confirmed = Tested(name);
  if (!_Confirmed) _Usable = false;
  return _Confirmed;
}

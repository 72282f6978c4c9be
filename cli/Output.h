// Shapes shared by the commands' output: unit tables, sizes, requested names.
#ifndef Output_h
#define Output_h

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "JsonOutput.h"
#include "LibraryValues.h"
#include "ZYNINSToc.h"

// A unit as the commands show it; type and package kind are -1 when not known.
struct Unit {
  Unit(std::string name, std::string label) : Name(std::move(name)), Label(std::move(label)) {}
  std::string Name;
  std::string Label;
  int Type = -1;
  int Pkg = -1;
  std::vector<std::string> Reasons;  // why planning took it (--why)
};
using UnitList = std::vector<Unit>;

// The names and labels of a result list.
UnitList UnitsOf(ZYNINSStockName &list);
// One indented line per unit, labels aligned, its reasons below the label; "(none)" for
// an empty list.
void PrintUnits(std::ostream &out, const UnitList &units);
// An array of {"name", "label", "type", "package"}, unknown values null, and "reasons"
// when asked.
Json UnitsJson(const UnitList &units, bool withReasons = false);

// The way a planning total is counted, so that its unit can be named.
enum class SizeKind { InstallCode, InstallZarn, InstallMediaSwitch, Removal };
// The library's total with its unit, then (except for medium sizes, already in KiB)
// the KiB figure a setup front end shows: the total / 1024 (at most 4194303, never negative).
void PrintSpace(std::ostream &out, const char *title, unsigned int total, SizeKind kind);
// The same figures: {"bytes", "kib"}, or {"kib", "medium_sizes": true} for medium sizes.
Json SpaceJson(unsigned int total, SizeKind kind);

// Unit names as the library takes them: 32-byte fields. Names over 31 bytes are refused.
class NameBlock {
 public:
  explicit NameBlock(const std::vector<std::string> &names);
  char (*Data())[kNameWidth] { return reinterpret_cast<char(*)[kNameWidth]>(_Bytes.data()); }
  unsigned int Count() const { return static_cast<unsigned int>(_Bytes.size() / kNameWidth - 1); }

 private:
  std::vector<char> _Bytes;  // one spare field, so that Data() is never null
};

#endif

// Printing unit tables and sizes, and turning the requested names into the library's fields.
#include "Output.h"

#include <algorithm>
#include <cstring>
#include <iomanip>

#include "ToolError.h"
#include "ZYNINSExplain.h"
#include "ZYNINSFormat.h"

UnitList UnitsOf(ZYNINSStockName &list) {
  UnitList units;
  for (unsigned int i = 0; i < list.GetNbName(); ++i) {
    const char *label = list.GetLabel(static_cast<int>(i));
    units.push_back({list.GetName(static_cast<int>(i)), label != nullptr ? label : ""});
  }
  return units;
}

namespace {

Json KeywordJson(const char *keyword) { return keyword != nullptr ? Json(keyword) : Json(nullptr); }

}  // namespace

Json UnitsJson(const UnitList &units, bool withReasons) {
  Json array = Json::array();
  for (const Unit &unit : units) {
    array.push_back({{"name", unit.Name},
                     {"label", unit.Label},
                     {"type", KeywordJson(ZYNINSTypeKeyword(unit.Type))},
                     {"package", KeywordJson(ZYNINSPkgKeyword(unit.Pkg))}});
    if (withReasons) array.back()["reasons"] = unit.Reasons;
  }
  return array;
}

void PrintUnits(std::ostream &out, const UnitList &units) {
  if (units.empty()) {
    out << "  (none)\n";
    return;
  }
  // Names as they will show (escaped), so that the labels line up.
  std::vector<std::string> names;
  std::size_t width = 0;
  for (const Unit &unit : units) {
    names.push_back(ZYNINSEscapeText(unit.Name, ZYNINSTextTerminal));
    width = std::max(width, names.back().size());
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    const Unit &unit = units[i];
    out << "  " << std::left << std::setw(static_cast<int>(width)) << names[i];
    if (!unit.Label.empty()) out << "  " << unit.Label;
    out << '\n';
    for (const std::string &reason : unit.Reasons) out << std::string(width + 4, ' ') << reason << '\n';
  }
}

void PrintSpace(std::ostream &out, const char *title, unsigned int total, SizeKind kind) {
  if (kind == SizeKind::InstallMediaSwitch) {
    out << title << ": " << total << " KiB (the medium's own sizes: total / 1024 + 1)\n";
    return;
  }
  out << title << ": " << total << " bytes";
  if (kind == SizeKind::InstallCode && total != 0) out << " (unit sizes + 400 for code units)";
  out << '\n';
  out << title << ": " << total / kKiB << " KiB\n";
}

Json SpaceJson(unsigned int total, SizeKind kind) {
  if (kind == SizeKind::InstallMediaSwitch) return {{"kib", total}, {"medium_sizes", true}};
  return {{"bytes", total}, {"kib", total / kKiB}};
}

NameBlock::NameBlock(const std::vector<std::string> &names) : _Bytes((names.size() + 1) * kNameWidth, '\0') {
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string &name = names[i];
    if (name.empty() || name.size() > kMaxNameLength)
      throw UsageError("'" + name + "' is not a unit name (1 to 31 characters)");
    std::memcpy(&_Bytes[i * kNameWidth], name.data(), name.size());
  }
}

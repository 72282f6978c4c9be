// list: the inventory of a catalogue.
#include <iostream>
#include <map>
#include <memory>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "ToolError.h"
#include "ZYNINSFormat.h"

namespace {

const std::map<std::string, ZYNINSListType> kSelectors = {
    {"fixes", ZYNINSListFixes},    {"products", ZYNINSListProducts}, {"all-types", ZYNINSListAllTypes},
    {"by-type", ZYNINSListByType}, {"full", ZYNINSListFull},         {"visible", ZYNINSListVisible}};

struct ListOptions {
  SourceOptions Sources;
  std::string Selector = "full";
};

// The units an installed catalogue's listing names as superseded, in its order, each with
// the unit that supersedes it.
Json SupersededJson(const InstalledCatalogue &installed) {
  Json superseded = Json::array();
  for (const std::string &name : installed.SupersededCodeNames())
    if (const ZYNINSUnitToc *by = installed.Superseding(name, ZYNINSCode))
      superseded.push_back({{"name", name}, {"by", by->GetName()}});
  return superseded;
}

template <class Catalogue>
Json ListedUnits(const Catalogue &catalogue, ZYNINSListType which) {
  std::unique_ptr<ZYNINSStockName> list(new ZYNINSStockName);
  UnitList all;
  for (const ZYNINSListGroup &group : ZYNINSListGroups(which)) {
    catalogue.GetPackage(group.Pkg, group.Type, list.get(), group.Visible);
    UnitList units = UnitsOf(*list);
    catalogue.Annotate(units, group.Type);
    all.insert(all.end(), units.begin(), units.end());
  }
  return UnitsJson(all);
}

int RunList(const ListOptions &options) {
  auto selector = kSelectors.find(options.Selector);
  if (selector == kSelectors.end())
    throw UsageError("unknown kind '" + options.Selector +
                     "' for --select: fixes, products, all-types, by-type, full or visible");
  AnyCatalogue catalogue = LoadAny(options.Sources);
  if (JsonWanted()) {
    Json &document = JsonDocument();
    document["catalogue"] = catalogue.Installed ? "installed" : "media";
    document["select"] = options.Selector;
    document["units"] = catalogue.Installed ? ListedUnits(*catalogue.Installed, selector->second)
                                            : ListedUnits(*catalogue.Media, selector->second);
    if (catalogue.Installed && (selector->second == ZYNINSListByType || selector->second == ZYNINSListFull))
      document["superseded"] = SupersededJson(*catalogue.Installed);
  } else if (catalogue.Installed) {
    // The installed catalogue's own listing adds its superseded units.
    catalogue.Installed->ListContent(selector->second, std::cout);
  } else {
    catalogue.Media->ListContent(selector->second, std::cout);
  }
  FlushDiagnostics();
  return ExitSuccess;
}

}  // namespace

void AddListCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<ListOptions>();
  CLI::App *command = app.add_subcommand("list", "List the content of a catalogue by package kind");
  command->footer(
      "Selectors: fixes (the fixes only), products (code configurations and products),\n"
      "all-types (configurations and products of both types merged, then fixes), by-type\n"
      "(code units, each group followed by its zarn units, then fixes), full (by-type, then\n"
      "the frameworks), visible (what the catalogue's PCFG.list lets through). An installed\n"
      "catalogue adds its superseded units to by-type and full.");
  AddMediaOption(*command, options->Sources);
  AddInstalledOptions(*command, options->Sources, false);
  command->add_option("--select,-s", options->Selector, "what to list (default: full)")->type_name("KIND");
  AddJsonFlag(*command);
  table[command] = [options] { return RunList(*options); };
}

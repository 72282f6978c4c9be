// list: the inventory of a catalogue.
#include <iostream>
#include <map>
#include <memory>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "ToolError.h"

namespace {

const std::map<std::string, ZYNINSListType> kSelectors = {
    {"fixes", ZYNINSListFixes},    {"products", ZYNINSListProducts}, {"all-types", ZYNINSListAllTypes},
    {"by-type", ZYNINSListByType}, {"full", ZYNINSListFull},         {"visible", ZYNINSListVisible}};

struct ListOptions {
  SourceOptions Sources;
  std::string Selector = "full";
};

int RunList(const ListOptions &options) {
  auto selector = kSelectors.find(options.Selector);
  if (selector == kSelectors.end())
    throw UsageError("unknown kind '" + options.Selector +
                     "' for --select: fixes, products, all-types, by-type, full or visible");
  AnyCatalogue catalogue = LoadAny(options.Sources);
  // The installed catalogue's own listing adds its superseded units.
  if (catalogue.Installed) catalogue.Installed->ListContent(selector->second, std::cout);
  else catalogue.Media->ListContent(selector->second, std::cout);
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
  table[command] = [options] { return RunList(*options); };
}

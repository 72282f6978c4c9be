// plan: what installing the named units really installs, in sequence order, and its space.
#include <iostream>
#include <memory>
#include <set>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "LibraryValues.h"
#include "Output.h"
#include "ToolError.h"
#include "WhyRecorder.h"

namespace {

struct PlanOptions {
  SourceOptions Sources;
  std::vector<std::string> Units;
  bool Zarn = false;
  bool MediaSwitch = false;
  bool Why = false;
};

int RunPlan(const PlanOptions &options) {
  NameBlock request(options.Units);
  auto media = LoadMedia(options.Sources.Media);
  auto installed = LoadInstalledIfAny(options.Sources);
  const ZYNINSType type = options.Zarn ? ZYNINSZarn : ZYNINSCode;

  std::unique_ptr<WhyRecorder> why(options.Why ? new WhyRecorder : nullptr);
  unsigned int count = 0;
  char(*list)[kNameWidth] = nullptr;
  unsigned int total = media->GetSize(request.Data(), request.Count(), type, options.MediaSwitch ? 1 : 0,
                                      &count, list, installed.get());
  FlushDiagnostics();
  if (total == kPlanningFailed) throw PlanningFailure();

  UnitList units;
  for (unsigned int i = 0; i < count; ++i) {
    const ZYNINSUnitToc *entry = media->Find(list[i], type);
    units.push_back({list[i], entry != nullptr && entry->GetLabel() != nullptr ? entry->GetLabel() : ""});
  }
  delete[] list;
  media->Annotate(units, type);
  if (why) {
    std::set<std::string> planned;
    for (const Unit &unit : units) planned.insert(unit.Name);
    for (Unit &unit : units) unit.Reasons = why->Reasons(unit.Name, planned);
  }

  SizeKind kind = options.MediaSwitch ? SizeKind::InstallMediaSwitch
                  : options.Zarn      ? SizeKind::InstallZarn
                                      : SizeKind::InstallCode;
  if (JsonWanted()) {
    JsonDocument()["install"] = UnitsJson(units, options.Why);
    JsonDocument()["space"] = SpaceJson(total, kind);
    return ExitSuccess;
  }
  std::cout << "Install list, in sequence order (" << count << (count == 1 ? " unit" : " units") << "):\n";
  PrintUnits(std::cout, units);
  PrintSpace(std::cout, "Space needed", total, kind);
  return ExitSuccess;
}

}  // namespace

void AddPlanCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<PlanOptions>();
  CLI::App *command = app.add_subcommand(
      "plan", "Plan installing units from a medium: the install list in sequence order and its space");
  command->footer(
      "Prerequisites and conditional requisites on the medium are added; units the installation\n"
      "holds or supersedes are left out. The medium must fit the installation's operating system\n"
      "and GA level, and service packs its service-pack level. The library's messages go to\n"
      "standard error; exit status 1 when planning fails.");
  command->add_option("units", options->Units, "names of the units to install")->type_name("UNIT")->required();
  AddMediaOption(*command, options->Sources)->required();
  AddInstalledOptions(*command, options->Sources, true);
  command->add_flag("--zarn", options->Zarn, "plan zarn entries instead of code entries");
  command->add_flag("--media-switch", options->MediaSwitch,
                    "use the medium's own sizes (result in KiB: total / 1024 + 1) and the lenient "
                    "closure: missing prerequisites are ignored and every conditional requisite is taken");
  command->add_flag("--why", options->Why, "give the reasons each unit is installed");
  AddJsonFlag(*command);
  table[command] = [options] { return RunPlan(*options); };
}

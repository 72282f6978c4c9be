// remove: what must go with the named installed units, and the space that frees.
#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "LibraryValues.h"
#include "Output.h"
#include "Recording.h"
#include "ToolError.h"
#include "WhyRecorder.h"
#include "WorkDir.h"

namespace {

struct RemoveOptions {
  SourceOptions Sources;
  std::vector<std::string> Units;
  bool Fixes = false;
  bool Closure = false;
  bool Zarn = false;
  bool Why = false;
  std::string OutputDir;
  std::string Record;
};

// The to_remove file: one unit a line, its name, a space and its label.
UnitList ParseToRemove(const std::string &text) {
  UnitList units;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::size_t space = line.find(' ');
    if (space == std::string::npos) units.push_back({line, ""});
    else units.push_back({line.substr(0, space), line.substr(space + 1)});
  }
  return units;
}

int RunRemove(const RemoveOptions &options) {
  if (options.Fixes && (options.Closure || options.Zarn))
    throw UsageError("--fixes removes code fixes with all that needs them; --closure and --zarn do not apply");
  if (!options.Fixes && !options.OutputDir.empty())
    throw UsageError("--output-dir applies only to --fixes, whose answer is the to_remove file");
  NameBlock request(options.Units);
  auto installed = LoadInstalledRequired(options.Sources);
  const ZYNINSType type = options.Zarn ? ZYNINSZarn : ZYNINSCode;
  std::unique_ptr<WhyRecorder> why(options.Why ? new WhyRecorder : nullptr);

  unsigned int total;
  UnitList units;
  if (options.Fixes) {
    std::string toRemove;
    {
      // The library writes its answer into the working directory.
      ScopedWorkDir workDir(options.OutputDir);
      total = installed->GetSize(request.Data(), request.Count());
      toRemove = workDir.ReadFile("to_remove");
    }
    FlushDiagnostics();
    units = ParseToRemove(toRemove);
  } else {
    std::unique_ptr<ZYNINSStockName> removed(new ZYNINSStockName);
    total = installed->GetSize(request.Data(), request.Count(), type, options.Closure ? 1 : 0, removed.get());
    FlushDiagnostics();
    if (total != kPlanningFailed) units = UnitsOf(*removed);
  }
  if (total == kPlanningFailed) throw AnswerFailure("removal planning failed");
  installed->Annotate(units, type);
  if (why) {
    std::set<std::string> removed;
    for (const Unit &unit : units) removed.insert(unit.Name);
    auto isFix = [&](const std::string &name) {
      const ZYNINSUnitToc *entry = installed->Find(name, type);
      return entry != nullptr && entry->GetPkg() == ZYNINSFIX;
    };
    for (Unit &unit : units) unit.Reasons = why->Reasons(unit.Name, removed, isFix);
  }

  if (JsonWanted()) {
    JsonDocument()["removal"] = UnitsJson(units, options.Why);
    JsonDocument()["space_freed"] = SpaceJson(total, SizeKind::Removal);
    return ExitSuccess;
  }
  std::cout << "Removal set (" << units.size() << (units.size() == 1 ? " unit" : " units") << "):\n";
  PrintUnits(std::cout, units);
  PrintSpace(std::cout, "Space freed", total, SizeKind::Removal);
  return ExitSuccess;
}

Recording RemoveRecording(const RemoveOptions &options) {
  Recording recording;
  recording.Inputs = RecordedInputs(options.Sources, false, true, false);
  recording.Request.What = options.Fixes ? scenario::Request::RemoveFixes : scenario::Request::RemoveProducts;
  recording.Request.Zarn = options.Zarn;
  recording.Request.Closure = options.Closure;
  recording.Request.Names = options.Units;
  return recording;
}

}  // namespace

void AddRemoveCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<RemoveOptions>();
  CLI::App *command = app.add_subcommand(
      "remove", "Plan removing installed units: the removal set with labels and the space freed");
  command->footer(
      "Products and configurations: the units named, the frameworks only they need and the fixes\n"
      "that need any of these; with --closure also every unit that needs a removed one.\n"
      "Fixes (--fixes): the fixes named and everything that requires them, directly or through a\n"
      "conditional requisite. The library writes that answer to a file \"to_remove\" in the working\n"
      "directory; zyntoc runs it in a private temporary directory unless --output-dir is given.");
  command->add_option("units", options->Units, "names of the installed units to remove")
      ->type_name("UNIT")
      ->required();
  AddInstalledOptions(*command, options->Sources, false);
  command->add_flag("--fixes", options->Fixes, "the units are fixes");
  command->add_flag("--closure", options->Closure, "also remove every unit that needs a removed one");
  command->add_flag("--zarn", options->Zarn, "remove zarn entries instead of code entries");
  command->add_option("--output-dir", options->OutputDir, "keep the to_remove file in this directory")
      ->type_name("DIR");
  command->add_flag("--why", options->Why, "give the reasons each unit is removed");
  AddRecordOption(*command, options->Record);
  AddJsonFlag(*command);
  table[command] = [options] {
    return RunRecorded(options->Record, "remove", [options] { return RunRemove(*options); },
                       [options] { return RemoveRecording(*options); });
  };
}

// levels: operating system, GA and service-pack levels of a catalogue.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "ToolError.h"
#include "ZYNINSFormat.h"

namespace {

struct FrameworkLevel {
  std::string Name;
  ZYNINSType Type;
  int MaxSPKLevel;
};

// Every framework entry with its highest service-pack level installed, in catalogue order.
std::vector<FrameworkLevel> FrameworkLevels(const AnyCatalogue &catalogue) {
  std::vector<FrameworkLevel> frameworks;
  EntryTable table = catalogue.Table();
  for (int i = 0; i < table.Count; ++i)
    if (table.Entries[i].GetPkg() == ZYNINSFWK)
      frameworks.push_back({table.Entries[i].GetName(), table.Entries[i].GetType(),
                            table.Entries[i].GetMaxSPKLevel()});
  return frameworks;
}

int RunLevels(const SourceOptions &sources) {
  AnyCatalogue catalogue = LoadAny(sources);
  ZYNINSToc &toc = catalogue.Toc();
  if (JsonWanted()) {
    Json &document = JsonDocument();
    document["catalogue"] = catalogue.Installed ? "installed" : "media";
    document["os"] = toc.GetOS();
    document["ga_level"] = toc.GetGALevel();
    document["spk_level"] = toc.GetSPKLevel(1);
    document["previous_spk_level"] = toc.GetSPKLevel(0);
    if (catalogue.Installed) {
      Json frameworks = Json::array();
      for (const FrameworkLevel &framework : FrameworkLevels(catalogue))
        frameworks.push_back({{"name", framework.Name},
                              {"type", ZYNINSTypeKeyword(framework.Type)},
                              {"max_spk_level", framework.MaxSPKLevel}});
      document["frameworks"] = frameworks;
    }
    FlushDiagnostics();
    return ExitSuccess;
  }
  std::cout << "Operating system: " << toc.GetOS() << '\n'
            << "GA level: " << toc.GetGALevel() << '\n'
            << "Service-pack level: " << toc.GetSPKLevel(1) << '\n'
            << "Previous service-pack level: " << toc.GetSPKLevel(0) << '\n';
  if (catalogue.Installed) {
    std::vector<FrameworkLevel> frameworks = FrameworkLevels(catalogue);
    std::cout << "Frameworks (highest service-pack level installed):\n";
    for (const FrameworkLevel &framework : frameworks)
      std::cout << "  " << framework.Name << ' ' << framework.MaxSPKLevel << '\n';
    if (frameworks.empty()) std::cout << "  (none)\n";
  }
  FlushDiagnostics();
  return ExitSuccess;
}

}  // namespace

void AddLevelsCommand(CLI::App &app, CommandTable &table) {
  auto sources = std::make_shared<SourceOptions>();
  CLI::App *command = app.add_subcommand(
      "levels", "Show the operating system, GA level and service-pack levels of a catalogue");
  command->footer("An installed catalogue also shows each framework's highest service-pack level.");
  AddMediaOption(*command, *sources);
  AddInstalledOptions(*command, *sources, false);
  AddJsonFlag(*command);
  table[command] = [sources] { return RunLevels(*sources); };
}

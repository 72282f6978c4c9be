// levels: operating system, GA and service-pack levels of a catalogue.
#include <iostream>
#include <memory>
#include <sstream>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "ToolError.h"

namespace {

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
      EntryTable table = catalogue.Table();
      for (int i = 0; i < table.Count; ++i)
        if (table.Entries[i].GetPkg() == ZYNINSFWK)
          frameworks.push_back({{"name", table.Entries[i].GetName()},
                                {"type", TypeKeyword(table.Entries[i].GetType())},
                                {"max_spk_level", table.Entries[i].GetMaxSPKLevel()}});
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
    // The level report: the OS and GA line, then one line per framework.
    std::ostringstream report;
    catalogue.Installed->GetMaxSPKLevel(report);
    std::istringstream lines(report.str());
    std::string line;
    std::getline(lines, line);
    std::cout << "Frameworks (highest service-pack level installed):\n";
    bool any = false;
    while (std::getline(lines, line)) {
      std::cout << "  " << line << '\n';
      any = true;
    }
    if (!any) std::cout << "  (none)\n";
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

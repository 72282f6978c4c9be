// levels: operating system, GA and service-pack levels of a catalogue.
#include <iostream>
#include <memory>
#include <sstream>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "ToolError.h"

namespace {

int RunLevels(const SourceOptions &sources) {
  AnyCatalogue catalogue = LoadAny(sources);
  ZYNINSToc &toc = catalogue.Toc();
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
  table[command] = [sources] { return RunLevels(*sources); };
}

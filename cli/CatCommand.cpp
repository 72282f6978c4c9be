// cat: a catalogue written back in its own line format.
#include <iostream>
#include <memory>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "ToolError.h"

void AddCatCommand(CLI::App &app, CommandTable &table) {
  auto sources = std::make_shared<SourceOptions>();
  CLI::App *command = app.add_subcommand("cat", "Write a catalogue back in its TOC line format");
  command->footer("A medium's sequence prefixes are not part of the written lines.");
  AddMediaOption(*command, *sources);
  AddInstalledOptions(*command, *sources, false);
  table[command] = [sources] {
    AnyCatalogue catalogue = LoadAny(*sources);
    std::cout << catalogue.Toc();
    FlushDiagnostics();
    return static_cast<int>(ExitSuccess);
  };
}

// zyntoc: reads TOC catalogues of installation media and installations.
#include <exception>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "TerminalText.h"
#include "ToolError.h"
#include "WorkDir.h"
#include "ZYNINSVersion.h"

namespace {

// One line: CLI11's reason, then where to read more.
int ReportUsage(const std::string &reason, const CLI::App &app) {
  std::string text = reason;
  for (char &c : text)
    if (c == '\n') c = ' ';
  std::string help = "zyntoc";
  auto parsed = app.get_subcommands();
  if (!parsed.empty()) help += " " + parsed.front()->get_name();
  std::cerr << "zyntoc: " << text << " (see '" << help << " --help')\n";
  return ExitUsage;
}

}  // namespace

int main(int argc, char **argv) {
  CLI::App app("Reads the TOC catalogues of installation media and installations.", "zyntoc");
  app.set_version_flag("--version", std::string("zyntoc ") + ZYNTOC_VERSION_STRING, "Print the version and exit");
  app.require_subcommand(1);
  app.footer(
      "Catalogues: --media FILE (a medium's TOC), --installed FILE, or --root DIR, an installation\n"
      "whose control/PRESENT is the installed catalogue (default: $ZYNInstallPath).\n"
      "Data goes to standard output, the library's messages to standard error; with --json,\n"
      "one JSON document on standard output holds both.\n"
      "Exit status: 0 success, 1 the answer is a failure, 2 bad usage or unreadable input;\n"
      "check gives 0 consistent, 1 something found, 3 a co-requisite is missing.");
  CommandTable commands;
  for (auto add : {AddOfferCommand, AddPlanCommand, AddRemoveCommand, AddCheckCommand, AddListCommand,
                   AddLevelsCommand, AddCatCommand, AddGraphCommand, AddLintCommand, AddReplayCommand})
    add(app, commands);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    if (error.get_exit_code() == 0) return app.exit(error);
    if (app.get_subcommands().empty() && argc > 1 && argv[1][0] != '-')
      return ReportUsage(std::string("unknown command '") + argv[1] + "'", app);
    return ReportUsage(error.what(), app);
  }

  const CLI::App *command = app.get_subcommands().front();
  const bool json = JsonWanted();
  if (json) StartJsonDocument(command->get_name());
  // Labels and names shown as text are escaped; cat gives back the catalogue's bytes,
  // graph writes DOT, which escapes its own, and a JSON document escapes its own.
  const std::string &name = command->get_name();
  TerminalText terminal(!json && name != "cat" && name != "graph");
  // A JSON document ends every run that got as far as the command's work, with the
  // error that stopped it, if any; usage mistakes stay plain text on standard error.
  auto finish = [json](int status, const char *error) {
    if (!json) return status;
    FlushDiagnostics();
    if (error != nullptr) JsonDocument()["error"] = error;
    PrintJsonDocument(std::cout);
    return status;
  };
  try {
    AnchorMessagePath();
    StartDiagnostics(json);
    return finish(commands.at(command)(), nullptr);
  } catch (const ToolError &error) {
    FlushDiagnostics();
    if (error.PointToHelp()) return ReportUsage(error.what(), app);
    if (json) return finish(error.Status(), error.what());
    std::cerr << "zyntoc: " << error.what() << '\n';
    return error.Status();
  } catch (const std::exception &error) {
    if (json) return finish(ExitFailure, error.what());
    std::cerr << "zyntoc: " << error.what() << '\n';
    return ExitFailure;
  }
}

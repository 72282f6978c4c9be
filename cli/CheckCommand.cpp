// check: the integrity report of an installation.
#include <iostream>
#include <memory>
#include <vector>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "MessageStream.h"
#include "ToolError.h"

namespace {

int RunCheck(const SourceOptions &sources) {
  auto installed = LoadInstalledRequired(sources);
  std::string root = InstallationRoot(sources);
  std::vector<char> rootText(root.begin(), root.end());
  rootText.push_back('\0');

  std::vector<std::string> findings;
  int code;
  {
    // Each finding is one message of the library, ended by an end of line and a flush.
    MessageStream findingStream(findings);
    code = installed->CheckIntegrity(JsonWanted() ? findingStream : std::cout,
                                     root.empty() ? nullptr : rootText.data());
  }
  FlushDiagnostics();
  const char *verdict = code == 1 ? "consistent" : code == 2 ? "a co-requisite is missing" : "inconsistent";
  if (JsonWanted()) {
    JsonDocument()["findings"] = findings;
    JsonDocument()["result_code"] = code;
    JsonDocument()["result"] = verdict;
  } else {
    std::cout << "Result code " << code << ": " << verdict << "\n";
  }
  // Result codes: 1 consistent, 2 a co-requisite missing, 0 a finding of the other checks.
  return code == 1 ? ExitSuccess : code == 2 ? ExitCorequisiteMissing : ExitFailure;
}

}  // namespace

void AddCheckCommand(CLI::App &app, CommandTable &table) {
  auto sources = std::make_shared<SourceOptions>();
  CLI::App *command = app.add_subcommand("check", "Check the integrity of an installation");
  command->footer(
      "Checks: frameworks no product or configuration needs, framework service packs no service\n"
      "pack calls for, units without their file in the control directory (only when a root is\n"
      "known: --root, or ZYNInstallPath without --installed), prerequisites and co-requisites\n"
      "not installed.\n"
      "The last line names the result code. Exit status: 0 consistent (code 1), 1 something\n"
      "found (code 0), 3 a co-requisite is missing (code 2).");
  AddInstalledOptions(*command, *sources, false);
  AddJsonFlag(*command);
  table[command] = [sources] { return RunCheck(*sources); };
}

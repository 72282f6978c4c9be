// replay: runs the requests of scenario files through the library and compares the answers.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "Replay.h"

namespace {

struct ReplayOptions {
  std::vector<std::string> Files;
  bool Update = false;
};

}  // namespace

void AddReplayCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<ReplayOptions>();
  CLI::App *command = app.add_subcommand(
      "replay", "Run the requests of scenario files again and compare each answer with the expected one");
  command->footer(
      "A scenario file holds catalogues, requests and their expected answers ('--record FILE' of plan,\n"
      "remove and check writes one). Each request runs in a private temporary folder with the\n"
      "default message texts (or the file's own message catalogue), whatever ZYNTOC_MSGPATH says.\n"
      "Exit status: 0 every answer matches, 1 one differs (a unified diff, expected then actual,\n"
      "on standard output), 2 a file cannot be read or is malformed (FILE:LINE on standard error).");
  command->add_option("files", options->Files, "scenario files")->type_name("FILE")->required();
  command->add_flag("--update", options->Update,
                    "write each answer that differs in place of the expected one, the rest of the file as it was");
  table[command] = [options] { return scenario::ReplayFiles(options->Files, options->Update, std::cout, std::cerr); };
}

// Recording a command's request and the catalogues it read as a scenario file.
#include "Recording.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "Diagnostics.h"
#include "Replay.h"
#include "ToolError.h"
#include "ZYNINSFormat.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (!file) throw InputError("cannot read '" + path + "' to record it");
  return bytes.str();
}

bool IsFile(const fs::path &path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The names in a control directory, sorted, one a line; names no file of a scenario can
// have are left out.
std::string ControlNames(const std::string &root) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto &entry : fs::directory_iterator(fs::path(root) / "control", error)) {
    std::string name = entry.path().filename().u8string();
    if (name.find('\n') == std::string::npos) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::string text;
  for (const std::string &name : names) text += name + "\n";
  return text;
}

// The recording run takes the library's diagnostics over: the tool's own collection starts
// again afterwards.
void Record(const std::string &file, const std::string &command, const std::function<Recording()> &recording) {
  struct Restart {
    ~Restart() { StartDiagnostics(); }
  } restart;
  const Recording made = recording();
  scenario::RecordScenario(file,
                           {"A scenario recorded by 'zyntoc " + command + "': the files it read, its request and",
                            "the library's answer, which 'zyntoc replay' compares with a new run."},
                           made.Inputs, made.Request);
}

}  // namespace

void AddRecordOption(CLI::App &command, std::string &file) {
  command.add_option("--record", file, "write the scenario of this run (catalogues, request, answer) for 'zyntoc replay'")
      ->type_name("FILE");
}

scenario::Inputs RecordedInputs(const SourceOptions &sources, bool medium, bool installed, bool control) {
  scenario::Inputs inputs;
  if (medium && !sources.Media.empty()) {
    inputs.Section[scenario::kMedium] = ReadAll(sources.Media);
    const std::string pcfg = ZYNINSVisibilityListPath(sources.Media);
    if (IsFile(pcfg)) inputs.Section[scenario::kPcfg] = ReadAll(pcfg);
  }
  const std::string present = installed ? InstalledCataloguePath(sources) : "";
  if (!present.empty()) inputs.Section[scenario::kInstalled] = ReadAll(present);
  const std::string root = control ? InstallationRoot(sources) : "";
  if (!root.empty()) inputs.Section[scenario::kControl] = ControlNames(root);
  const std::string messages = ZYNINSMessageCatalogueFile();
  if (!messages.empty()) inputs.Section[scenario::kMessages] = ReadAll(messages);
  return inputs;
}

int RunRecorded(const std::string &file, const std::string &command, const std::function<int()> &run,
                const std::function<Recording()> &recording) {
  if (file.empty()) return run();
  int status;
  try {
    status = run();
  } catch (const ToolError &error) {
    if (error.Status() != ExitFailure) throw;
    // The failure is the answer to record; a failure to record it does not hide it.
    try {
      Record(file, command, recording);
    } catch (const std::exception &recordError) {
      std::cerr << "zyntoc: " << recordError.what() << '\n';
    }
    throw;
  }
  try {
    Record(file, command, recording);
  } catch (const ToolError &) {
    throw;
  } catch (const std::exception &error) {
    throw InputError(error.what());
  }
  return status;
}

// Replaying scenario files, updating their answers, recording new files.
#include "Replay.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "LineDiff.h"
#include "ScenarioRun.h"

namespace scenario {

namespace {

bool ReadText(const std::string &path, std::string &text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  text = bytes.str();
  return !file.bad();
}

// Writes beside the file, then puts it in its place, so that a failed write leaves it whole.
bool WriteText(const std::string &path, const std::string &text) {
  const std::string fresh = path + ".new";
  std::ofstream file(fresh, std::ios::binary);
  file << text;
  file.close();
  if (file && std::rename(fresh.c_str(), path.c_str()) == 0) return true;
#if defined(_WIN32)
  // Windows renames over no existing file.
  if (file && std::remove(path.c_str()) == 0 && std::rename(fresh.c_str(), path.c_str()) == 0) return true;
#endif
  std::remove(fresh.c_str());
  return false;
}

std::string Count(std::size_t n, const char *what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

int ReplayFiles(const std::vector<std::string> &paths, bool update, std::ostream &out, std::ostream &err) {
  int status = 0;
  std::size_t replayed = 0, differing = 0, errors = 0;
  for (const std::string &path : paths) {
    std::string text;
    if (!ReadText(path, text)) {
      err << path << ": error: cannot read the file\n";
      ++errors;
      continue;
    }
    ScenarioFile file;
    try {
      file = ParseScenarioFile(text);
    } catch (const Malformed &malformed) {
      err << path << ":" << malformed.Line() << ": error: " << malformed.what() << "\n";
      ++errors;
      continue;
    }
    std::vector<std::optional<std::vector<std::string>>> answers(file.Scenarios.size());
    bool changed = false;
    for (std::size_t k = 0; k < file.Scenarios.size(); ++k) {
      const Scenario &scenario = file.Scenarios[k];
      const std::string where = path + ":" + std::to_string(scenario.Line);
      std::vector<std::string> actual;
      try {
        actual = AnswerLines(RunScenario(file.InputsOf(scenario), scenario.What));
      } catch (const std::exception &error) {
        err << where << ": error: cannot replay scenario '" << scenario.Name << "': " << error.what() << "\n";
        ++errors;
        continue;
      }
      ++replayed;
      if (scenario.HasExpect && actual == scenario.Expected) continue;
      ++differing;
      if (update) {
        answers[k] = actual;
        changed = true;
        continue;
      }
      const std::string title = where + " scenario " + scenario.Name;
      out << UnifiedDiff(scenario.Expected, actual, title + " (expected)", title + " (actual)");
      status = 1;
    }
    if (changed && !WriteText(path, WithAnswers(file, answers))) {
      err << path << ": error: cannot write the file\n";
      ++errors;
    }
  }
  out << Count(replayed, "scenario") << " replayed";
  if (differing > 0) out << ", " << Count(differing, "answer") << (update ? " written" : differing == 1 ? " differs" : " differ");
  else if (replayed > 0) out << ", every answer matches";
  if (errors > 0) out << "; " << Count(errors, "error") << " (see standard error)";
  out << "\n";
  if (errors > 0) status = 2;  // a malformed file says more than a differing answer
  return status;
}

void RecordScenario(const std::string &path, const std::vector<std::string> &comments, const Inputs &inputs,
                    const Request &request) {
  const Answer answer = RunScenario(inputs, request);
  const std::string text = NewScenarioFile(comments, inputs, "recorded", request, AnswerLines(answer));
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (!file) throw std::runtime_error("cannot write the scenario file '" + path + "'");
}

}  // namespace scenario

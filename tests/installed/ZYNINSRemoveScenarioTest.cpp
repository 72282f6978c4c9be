// Removal planning on hand-worked scenarios kept in tests/data/installed/removal/scenarios.txt;
// update mode rewrites their results from a run (see tests/README.md).
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSInstToc.h"

namespace {

struct RemovalScenario {
  std::string name;
  std::string catalogue;
  bool fixOperation = true;
  ZYNINSType type = ZYNINSCode;
  int closure = 1;
  std::vector<std::string> request;
  unsigned int total = 0;
  std::string removed;      // one "name label" line per member, in order
  std::string diagnostics;  // the exact text reported
  std::string messages;     // a message catalogue folder under tests/data/msg, if any
};

std::string ScenarioFile() { return DataPath("installed/removal/scenarios.txt"); }

void PrintTo(const RemovalScenario &scenario, std::ostream *out) { *out << scenario.name; }

std::vector<RemovalScenario> LoadScenarios() {
  std::vector<RemovalScenario> scenarios;
  std::ifstream in(ScenarioFile());
  std::string line, catalogue;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    std::string rest;
    std::getline(words >> std::ws, rest);
    if (keyword.empty() || keyword[0] == '#') continue;
    if (keyword == "catalogue") {
      catalogue = rest;
    } else if (keyword == "scenario") {
      scenarios.emplace_back();
      scenarios.back().name = rest;
      scenarios.back().catalogue = catalogue;
    } else if (scenarios.empty()) {
      ADD_FAILURE() << "line outside a scenario: " << line;
    } else if (keyword == "call") {
      RemovalScenario &s = scenarios.back();
      std::istringstream call(rest);
      std::string operation, type, closure, name;
      call >> operation;
      s.fixOperation = operation == "fix";
      if (!s.fixOperation) {
        call >> type >> closure;
        s.type = type == "zarn" ? ZYNINSZarn : ZYNINSCode;
        s.closure = closure == "closure" ? 1 : 0;
      }
      while (call >> name) s.request.push_back(name);
    } else if (keyword == "messages") {
      scenarios.back().messages = rest;
    } else if (keyword == "total") {
      scenarios.back().total = static_cast<unsigned int>(std::stoul(rest));
    } else if (keyword == "removed") {
      scenarios.back().removed += rest + "\n";
    } else if (keyword == "report") {
      scenarios.back().diagnostics += rest + "\n";
    } else {
      ADD_FAILURE() << "unknown scenario line: " << line;
    }
  }
  return scenarios;
}

// Each line of text with a keyword in front; an empty line is the keyword alone.
std::string Keyed(const std::string &keyword, const std::string &text) {
  std::string lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines += line.empty() ? keyword + "\n" : keyword + " " + line + "\n";
  return lines;
}

// Update mode: the scenario's result lines are rewritten from the run, after its call.
void RewriteResults(const std::string &name, unsigned int total, const std::string &removed,
                    const std::string &diagnostics) {
  const std::string path = ScenarioFile();
  std::istringstream in(ReadFile(path));
  std::string text;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    std::string keyword = line.substr(0, line.find(' '));
    if (keyword == "scenario") inside = line == "scenario " + name;
    if (inside && (keyword == "total" || keyword == "removed" || keyword == "report")) continue;
    text += line + "\n";
    if (inside && keyword == "call")
      text += "total " + std::to_string(total) + "\n" + Keyed("removed", removed) + Keyed("report", diagnostics);
  }
  std::ofstream(path, std::ios::binary) << text;
}

class RemovalScenarioTest : public TocTest, public ::testing::WithParamInterface<RemovalScenario> {};

TEST_P(RemovalScenarioTest, PlansAsWorkedByHand) {
  const RemovalScenario &s = GetParam();
  std::string path = DataPath("installed/removal/" + s.catalogue);
  auto toc = std::make_unique<ZYNINSInstToc>(path.data());
  ASSERT_GT(toc->GetNbToc(), 0) << TakeDiagnostics();
  TakeDiagnostics();
  if (!s.messages.empty()) UseMessageCatalogue(s.messages);

  NameFields request(s.request);

  unsigned int total;
  std::string removed;
  if (s.fixOperation) {
    total = toc->GetSize(request.Fields(), request.Count());
    removed = ReadFile("to_remove");
  } else {
    auto list = std::make_unique<ZYNINSStockName>();
    list->Reset();
    total = toc->GetSize(request.Fields(), request.Count(), s.type, s.closure, list.get());
    for (unsigned int k = 0; k < list->GetNbName(); ++k)
      removed += std::string(list->GetName(k)) + " " + list->GetLabel(k) + "\n";
    EXPECT_EQ(ReadFile("to_remove"), "<missing>");
  }
  std::string diagnostics = TakeDiagnostics();
  if (UpdatingExpected()) {
    RewriteResults(s.name, total, removed, diagnostics);
    return;
  }
  EXPECT_EQ(total, s.total);
  EXPECT_EQ(removed, s.removed);
  EXPECT_EQ(diagnostics, s.diagnostics);
}

INSTANTIATE_TEST_SUITE_P(Installed, RemovalScenarioTest, ::testing::ValuesIn(LoadScenarios()),
                         [](const ::testing::TestParamInfo<RemovalScenario> &info) { return info.param.name; });

}  // namespace

// Removal planning on hand-worked scenarios kept in tests/data/installed/removal/scenarios.txt.
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
};

void PrintTo(const RemovalScenario &scenario, std::ostream *out) { *out << scenario.name; }

std::vector<RemovalScenario> LoadScenarios() {
  std::vector<RemovalScenario> scenarios;
  std::ifstream in(DataPath("installed/removal/scenarios.txt"));
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

class RemovalScenarioTest : public TocTest, public ::testing::WithParamInterface<RemovalScenario> {};

TEST_P(RemovalScenarioTest, PlansAsWorkedByHand) {
  const RemovalScenario &s = GetParam();
  std::string path = DataPath("installed/removal/" + s.catalogue);
  auto toc = std::make_unique<ZYNINSInstToc>(path.data());
  ASSERT_GT(toc->GetNbToc(), 0) << TakeDiagnostics();
  TakeDiagnostics();

  auto n = static_cast<unsigned int>(s.request.size());
  std::unique_ptr<char[][32]> request(new char[n + 1][32]());
  for (unsigned int i = 0; i < n; ++i) strncpy(request[i], s.request[i].c_str(), 32);

  if (s.fixOperation) {
    EXPECT_EQ(toc->GetSize(request.get(), n), s.total);
    EXPECT_EQ(ReadFile("to_remove"), s.removed);
  } else {
    auto list = std::make_unique<ZYNINSStockName>();
    list->Reset();
    EXPECT_EQ(toc->GetSize(request.get(), n, s.type, s.closure, list.get()), s.total);
    std::string removed;
    for (unsigned int k = 0; k < list->GetNbName(); ++k)
      removed += std::string(list->GetName(k)) + " " + list->GetLabel(k) + "\n";
    EXPECT_EQ(removed, s.removed);
    EXPECT_EQ(ReadFile("to_remove"), "<missing>");
  }
  EXPECT_EQ(TakeDiagnostics(), s.diagnostics);
}

INSTANTIATE_TEST_SUITE_P(Installed, RemovalScenarioTest, ::testing::ValuesIn(LoadScenarios()),
                         [](const ::testing::TestParamInfo<RemovalScenario> &info) { return info.param.name; });

}  // namespace

// Installation planning scenarios: each tests/data/media/plan/<name>.case names a medium,
// an optional installation, the type, the media switch and the request; <name>.expected
// holds the result, the install list and the diagnostics of the planning call, in the
// message catalogue the case may name. Every .case file of the folder is a scenario.
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

namespace {

struct Scenario {
  std::string media;
  std::string installed;
  ZYNINSType type = ZYNINSCode;
  int mediaSwitch = 0;
  std::vector<std::string> request;
  std::string messages;  // a message catalogue folder under tests/data/msg, if any
};

Scenario ReadScenario(const std::string &path) {
  Scenario scenario;
  std::istringstream text(ReadFile(path));
  std::string line;
  while (std::getline(text, line)) {
    std::istringstream words(line);
    std::string key, word;
    words >> key;
    if (key == "media")
      words >> scenario.media;
    else if (key == "installed")
      words >> scenario.installed;
    else if (key == "type") {
      words >> word;
      scenario.type = word == "zarn" ? ZYNINSZarn : ZYNINSCode;
    } else if (key == "switch")
      words >> scenario.mediaSwitch;
    else if (key == "messages")
      words >> scenario.messages;
    else if (key == "request")
      while (words >> word) scenario.request.push_back(word);
  }
  return scenario;
}

std::string PlanPath(const std::string &file) { return DataPath("media/plan/" + file); }

class MediaPlanScenario : public TocTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(MediaPlanScenario, MatchesExpectedOutput) {
  std::string name = GetParam();
  Scenario scenario = ReadScenario(PlanPath(name + ".case"));
  ASSERT_FALSE(scenario.media.empty()) << "no medium in " << name;

  std::string mediaPath = PlanPath(scenario.media);
  ZYNINSMediaToc media(&mediaPath[0]);
  std::unique_ptr<ZYNINSInstToc> installed;
  if (!scenario.installed.empty()) {
    std::string installedPath = PlanPath(scenario.installed);
    installed.reset(new ZYNINSInstToc(&installedPath[0]));
    ASSERT_NE(installed->GetNbToc(), -1) << scenario.installed;
  }
  TakeDiagnostics();  // the loads' own messages are not part of planning
  if (!scenario.messages.empty()) UseMessageCatalogue(scenario.messages);

  NameFields names(scenario.request);
  char untouched[1][32] = {"untouched"};
  unsigned int count = 12345;
  char(*list)[32] = untouched;
  unsigned int result =
      media.GetSize(names.Fields(), names.Count(), scenario.type, scenario.mediaSwitch, &count, list, installed.get());

  std::ostringstream actual;
  actual << "result " << static_cast<int>(result) << "\n";
  if (list == untouched) {
    EXPECT_EQ(count, 12345u);
    actual << "install untouched\n";
  } else {
    actual << "install";
    for (unsigned int i = 0; i < count; ++i) actual << ' ' << std::string(list[i], strnlen(list[i], 32));
    actual << "\n";
    delete[] list;
  }
  actual << "diagnostics:\n" << TakeDiagnostics();
  ExpectFileContent(PlanPath(name + ".expected"), actual.str());
}

INSTANTIATE_TEST_SUITE_P(Plans, MediaPlanScenario, ::testing::ValuesIn(DataNames("media/plan", ".case")),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });

}  // namespace

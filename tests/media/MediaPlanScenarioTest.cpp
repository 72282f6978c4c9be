// Installation planning scenarios: each tests/data/media/plan/<name>.case names a medium,
// an optional installation, the type, the media switch and the request; <name>.expected
// holds the result, the install list and the diagnostics of the planning call.
#include <array>
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
};

Scenario ReadScenario(const std::string &path) {
  Scenario scenario;
  std::istringstream text(ReadFile(path));
  std::string line;
  while (std::getline(text, line)) {
    std::istringstream words(line);
    std::string key, word;
    words >> key;
    if (key == "media") words >> scenario.media;
    else if (key == "installed") words >> scenario.installed;
    else if (key == "type") {
      words >> word;
      scenario.type = word == "zarn" ? ZYNINSZarn : ZYNINSCode;
    } else if (key == "switch") words >> scenario.mediaSwitch;
    else if (key == "request")
      while (words >> word) scenario.request.push_back(word);
  }
  return scenario;
}

std::string PlanPath(const std::string &file) { return DataPath("media/plan/" + file); }

class MediaPlanScenario : public TocTest, public ::testing::WithParamInterface<const char *> {};

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

  std::vector<std::array<char, 32>> names(scenario.request.size());
  for (size_t i = 0; i < names.size(); ++i) {
    names[i].fill('\0');
    strncpy(names[i].data(), scenario.request[i].c_str(), 31);
  }
  char untouched[1][32] = {"untouched"};
  unsigned int count = 12345;
  char(*list)[32] = untouched;
  unsigned int result =
      media.GetSize(reinterpret_cast<char(*)[32]>(names.data()), static_cast<unsigned int>(names.size()),
                    scenario.type, scenario.mediaSwitch, &count, list, installed.get());

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
  EXPECT_EQ(actual.str(), ReadFile(PlanPath(name + ".expected")));
}

INSTANTIATE_TEST_SUITE_P(
    Plans, MediaPlanScenario,
    ::testing::Values("nothing_requested", "nothing_requested_bad_os", "bad_ga_level", "all_installed",
                      "closure_over_passes", "closure_stops_at_installed", "order_by_sequence",
                      "order_by_sequence_reversed", "prereq_superseded_on_media", "prereq_missing",
                      "prereq_missing_media_switch", "not_on_media", "ifreq_fires_in_pass_one",
                      "ifreq_condition_installed", "ifreq_fires_a_pass_later", "ifreq_never_fires",
                      "ifreq_never_fires_media_switch", "ifreq_condition_superseded_by_plan",
                      "spk_below_installed_level", "spk_at_and_above_installed_level", "spk_without_installation",
                      "fsp_below_framework_level", "fsp_without_installation", "zarn_finds_no_code_unit",
                      "zarn_no_overhead", "media_sizes_2048", "media_sizes_1023", "fix_rule_long_message",
                      "fix_rule_off_with_media_switch", "medium_failed_to_load"));

}  // namespace

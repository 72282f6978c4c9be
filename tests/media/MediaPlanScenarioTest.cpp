// Installation planning scenarios: each tests/data/media/plan/<name>.case names a medium,
// an optional installation, the type, the media switch and the request; <name>.expected
// holds the result, the install list and the diagnostics of the planning call, in the
// message catalogue the case may name. Every .case file of the folder is a scenario.
// Each scenario also plans on its medium renumbered, which must change nothing.
#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <functional>
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

// Rewrites the sequence number of every media line through the map; a line whose prefix
// does not read is left as it is.
std::string Renumber(const std::string &text, const std::function<long long(long long)> &map) {
  std::string result;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    // Leading zeros, the tag, one separator, then the number (blanks and a sign allowed).
    std::size_t begin = line.find_first_not_of('0');
    if (begin != std::string::npos) begin = std::min(line.size(), begin + 2);
    std::size_t digits = begin == std::string::npos ? begin : line.find_first_not_of(" \t+-", begin);
    std::size_t end = digits == std::string::npos ? digits : line.find_first_not_of("0123456789", digits);
    if (end != std::string::npos && end > digits)
      line.replace(begin, end - begin, std::to_string(map(std::stoll(line.substr(begin, end - begin)))));
    result += line + "\n";
  }
  return result;
}

// The distinct sequence numbers of a medium, ascending.
std::vector<long long> SequenceNumbers(const std::string &text) {
  std::vector<long long> numbers;
  Renumber(text, [&numbers](long long n) {
    numbers.push_back(n);
    return n;
  });
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

class MediaPlanScenario : public TocTest, public ::testing::WithParamInterface<std::string> {
 protected:
  // The result, the install list and the diagnostics of the scenario's call on that medium.
  std::string Plan(const Scenario &scenario, std::string mediaPath) {
    ZYNINSMediaToc media(&mediaPath[0]);
    std::unique_ptr<ZYNINSInstToc> installed;
    if (!scenario.installed.empty()) {
      std::string installedPath = PlanPath(scenario.installed);
      installed.reset(new ZYNINSInstToc(&installedPath[0]));
      EXPECT_NE(installed->GetNbToc(), -1) << scenario.installed;
    }
    TakeDiagnostics();  // the loads' own messages are not part of planning
    if (!scenario.messages.empty()) UseMessageCatalogue(scenario.messages);

    NameFields names(scenario.request);
    char untouched[1][32] = {"untouched"};
    unsigned int count = 12345;
    char(*list)[32] = untouched;
    unsigned int result = media.GetSize(names.Fields(), names.Count(), scenario.type, scenario.mediaSwitch, &count,
                                        list, installed.get());

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
    return actual.str();
  }
};

TEST_P(MediaPlanScenario, MatchesExpectedOutput) {
  std::string name = GetParam();
  Scenario scenario = ReadScenario(PlanPath(name + ".case"));
  ASSERT_FALSE(scenario.media.empty()) << "no medium in " << name;
  ExpectFileContent(PlanPath(name + ".expected"), Plan(scenario, PlanPath(scenario.media)));
}

// Only the order of the sequence numbers counts, never their values: renumbering every line
// by one strictly increasing map (into the negative numbers, or spread over the whole 32-bit
// range) gives the same install list, total and diagnostics.
TEST_P(MediaPlanScenario, RenumberingTheMediumChangesNothing) {
  Scenario scenario = ReadScenario(PlanPath(GetParam() + ".case"));
  ASSERT_FALSE(scenario.media.empty());
  const std::string medium = ReadFile(PlanPath(scenario.media));
  const std::vector<long long> numbers = SequenceNumbers(medium);
  ASSERT_FALSE(numbers.empty());
  const long long step = numbers.size() > 1 ? (static_cast<long long>(UINT_MAX) / (numbers.size() - 1)) : 0;
  const std::pair<const char *, std::function<long long(long long)>> maps[] = {
      {"shifted below zero", [&](long long n) { return n - numbers.back() - 1; }},
      {"spread from near INT_MIN up to INT_MAX",
       [&](long long n) {
         long long above = numbers.end() - std::upper_bound(numbers.begin(), numbers.end(), n);
         return INT_MAX - above * step;
       }},
  };
  const std::string expected = Plan(scenario, PlanPath(scenario.media));
  for (const auto &map : maps) {
    SCOPED_TRACE(map.first);
    EXPECT_EQ(Plan(scenario, WriteFile(scenario.media, Renumber(medium, map.second))), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Plans, MediaPlanScenario, ::testing::ValuesIn(DataNames("media/plan", ".case")),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });

}  // namespace

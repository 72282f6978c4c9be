// Every scenario file of the suite (tests/data/**/*.scenario), replayed by the code behind
// `zyntoc replay`; in update mode (see tests/README.md) the answers that differ are written
// in place. Then the format itself: any bytes come back from a written file.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Replay.h"
#include "ScenarioFile.h"
#include "ScenarioRun.h"
#include "ScenarioText.h"

namespace {

namespace fs = std::filesystem;
using namespace scenario;

// The scenario files under tests/data, by their path below it.
std::vector<std::string> ScenarioFiles() {
  std::vector<std::string> files;
  for (const auto &entry : fs::recursive_directory_iterator(ZYNTOC_TEST_DATA))
    if (entry.path().extension() == ".scenario")
      files.push_back(entry.path().lexically_relative(ZYNTOC_TEST_DATA).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

class ScenarioFileTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScenarioFileTest, AnswersAreTheExpectedOnes) {
  const char *update = std::getenv("ZYNTOC_UPDATE_EXPECTED");
  std::ostringstream out, err;
  const int status = ReplayFiles({std::string(ZYNTOC_TEST_DATA) + "/" + GetParam()}, update != nullptr && *update != '\0',
                                 out, err);
  EXPECT_EQ(status, 0) << out.str() << err.str();
}

INSTANTIATE_TEST_SUITE_P(Data, ScenarioFileTest, ::testing::ValuesIn(ScenarioFiles()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                           std::string name = info.param.substr(0, info.param.size() - std::string(".scenario").size());
                           for (char &c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// A medium with every sequence number mapped by map (a strictly increasing one): the prefix is
// leading zeros, the tag, one separator, then the number.
std::string Renumber(const std::string &text, const std::function<long long(long long)> &map) {
  std::string result;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
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

// Planning depends on the order of the sequence numbers, never on their values: every plan
// scenario of the suite gives the same answer on its medium shifted below zero and spread
// from near INT_MIN up to INT_MAX.
TEST(ScenarioPlans, RenumberingTheMediumChangesNothing) {
  for (const std::string &name : ScenarioFiles()) {
    std::ifstream in(std::string(ZYNTOC_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const ScenarioFile file = ParseScenarioFile(text.str());
    for (const Scenario &scenario : file.Scenarios) {
      Inputs inputs = file.InputsOf(scenario);
      if (scenario.What.What != Request::Plan || !inputs.Section[kMedium]) continue;
      SCOPED_TRACE(name + ": " + scenario.Name);
      const std::string medium = *inputs.Section[kMedium];
      const std::vector<long long> numbers = SequenceNumbers(medium);
      if (numbers.empty()) continue;
      const long long step = numbers.size() > 1 ? static_cast<long long>(UINT_MAX) / (numbers.size() - 1) : 0;
      const std::pair<const char *, std::function<long long(long long)>> maps[] = {
          {"shifted below zero", [&](long long n) { return n - numbers.back() - 1; }},
          {"spread from near INT_MIN up to INT_MAX",
           [&](long long n) {
             long long above = numbers.end() - std::upper_bound(numbers.begin(), numbers.end(), n);
             return INT_MAX - above * step;
           }},
      };
      const std::vector<std::string> expected = AnswerLines(RunScenario(inputs, scenario.What));
      for (const auto &map : maps) {
        SCOPED_TRACE(map.first);
        Inputs renumbered = inputs;
        renumbered.Section[kMedium] = Renumber(medium, map.second);
        EXPECT_EQ(AnswerLines(RunScenario(renumbered, scenario.What)), expected);
      }
    }
  }
}

// Bytes an editor or the format could lose: line ends, CR, NUL, spaces and tabs at the ends,
// a backslash, the format's own marks, UTF-8 and bytes that are not UTF-8.
std::string AwkwardBytes(std::mt19937 &random) {
  static const std::vector<std::string> pieces = {"\n", "\r", "\r\n", std::string(1, '\0'), " ", "\t", "\\", "|",
                                                  "#",  "end", "\xC3\xA9", "\xC3", "\xFF", "\x7F", "A", "name"};
  std::string bytes;
  for (std::size_t n = random() % 12; n > 0; --n) bytes += pieces[random() % pieces.size()];
  return bytes;
}

TEST(ScenarioFormat, AnyBytesComeBackFromAWrittenFile) {
  std::mt19937 random(2024);
  for (int round = 0; round < 500; ++round) {
    Inputs inputs;
    for (int kind : {kMedium, kPcfg, kInstalled, kMessages}) inputs.Section[kind] = AwkwardBytes(random);
    Request request;
    request.What = Request::RemoveProducts;
    request.Closure = true;
    request.Names = {"--x", "A B", "\\\xFF"};
    Answer answer;
    answer.Size = 7;
    answer.Removed = {{AwkwardBytes(random) + "n", AwkwardBytes(random)}};
    answer.Diagnostics = AwkwardBytes(random);
    answer.Files = {{"to remove", AwkwardBytes(random)}};
    const std::vector<std::string> lines = AnswerLines(answer);

    const std::string text = NewScenarioFile({"a comment"}, inputs, "round " + std::to_string(round), request, lines);
    // Nothing an editor could change: no CR, tab or NUL, no space that ends a line.
    ASSERT_EQ(text.find_first_of(std::string("\r\t\0", 3)), std::string::npos) << text;
    ASSERT_EQ(text.find(" \n"), std::string::npos) << text;
    const ScenarioFile file = ParseScenarioFile(text);
    ASSERT_EQ(file.Scenarios.size(), 1u);
    for (int kind = 0; kind < kSectionKinds; ++kind) EXPECT_EQ(file.Shared.Section[kind], inputs.Section[kind]);
    EXPECT_EQ(RequestLine(file.Scenarios[0].What), RequestLine(request));
    EXPECT_EQ(file.Scenarios[0].What.Names, request.Names);
    EXPECT_EQ(file.Scenarios[0].Expected, lines);
  }
}

TEST(ScenarioFormat, AnUpdateReplacesTheAnswerAndKeepsTheRest) {
  const std::string text =
      "# head\ninstalled\n| code:FWK:F::::1:t:o:g:0:F:\nend\n\n"
      "scenario one\nremove F\n# before\nexpect\nsize 2\n# inside\nremoved X\n\n# next one\n"
      "scenario two\ncheck\n# no answer yet\n";
  const std::vector<std::optional<std::vector<std::string>>> answers = {std::vector<std::string>{"size 1"},
                                                                         std::vector<std::string>{"code 1"}};
  const ScenarioFile file = ParseScenarioFile(text);
  const std::string updated = WithAnswers(file, answers);
  EXPECT_EQ(updated,
            "# head\ninstalled\n| code:FWK:F::::1:t:o:g:0:F:\nend\n\n"
            "scenario one\nremove F\n# before\nexpect\nsize 1\n# inside\n\n# next one\n"
            "scenario two\ncheck\nexpect\ncode 1\n# no answer yet\n");

  // Lines ended by CR LF after a byte order mark read the same, and new lines end so too.
  auto windows = [](std::string unix) {
    for (std::size_t at = unix.find('\n'); at != std::string::npos; at = unix.find('\n', at + 2)) unix.insert(at, "\r");
    return "\xEF\xBB\xBF" + unix;
  };
  const ScenarioFile crlf = ParseScenarioFile(windows(text));
  EXPECT_EQ(crlf.Shared.Section[kInstalled], file.Shared.Section[kInstalled]);
  EXPECT_EQ(crlf.Scenarios[0].Expected, file.Scenarios[0].Expected);
  EXPECT_EQ(WithAnswers(crlf, answers), windows(updated));
}

}  // namespace

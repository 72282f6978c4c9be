// Writing an answer as scenario lines and reading it back.
#include "ScenarioAnswer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "ScenarioText.h"

namespace scenario {

namespace {

void AddBlock(std::vector<std::string> &lines, const std::string &title, const std::string &bytes) {
  lines.push_back(title);
  for (std::string &line : BlockLines(bytes)) lines.push_back(std::move(line));
  lines.push_back("end");
}

// The text after the keyword and the one space that follows it.
std::string After(const std::string &line, const std::string &keyword) {
  return line.size() > keyword.size() ? line.substr(keyword.size() + 1) : "";
}

bool ReadNumber(const std::string &text, long long low, long long high, long long &value) {
  if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos) return false;
  errno = 0;
  char *end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool ReadWords(const std::string &text, std::vector<std::string> &words, std::string &error) {
  for (const std::string &word : SplitWords(text)) {
    words.emplace_back();
    if (!Unescape(word, words.back(), error)) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> AnswerLines(const Answer &answer) {
  std::vector<std::string> lines;
  if (answer.RefusedMedium) lines.push_back("refused medium");
  if (answer.RefusedInstalled) lines.push_back("refused installed");
  if (!answer.Loading.empty()) AddBlock(lines, "loading", answer.Loading);
  if (answer.Size)
    lines.push_back("size " + (*answer.Size == static_cast<unsigned int>(-1) ? "-1" : std::to_string(*answer.Size)));
  if (answer.Install) {
    std::string line = "install";
    for (const std::string &name : *answer.Install) line += " " + EncodeWord(name);
    lines.push_back(line);
  }
  for (const auto &unit : answer.Removed)
    lines.push_back("removed " + EncodeWord(unit.first) + (unit.second.empty() ? "" : " " + EncodeText(unit.second)));
  if (answer.Code) lines.push_back("code " + std::to_string(*answer.Code));
  if (!answer.Findings.empty()) AddBlock(lines, "findings", answer.Findings);
  if (!answer.Diagnostics.empty()) AddBlock(lines, "diagnostics", answer.Diagnostics);
  auto files = answer.Files;  // by name, as a folder lists them
  std::sort(files.begin(), files.end());
  for (const auto &file : files) AddBlock(lines, "file " + EncodeWord(file.first), file.second);
  return lines;
}

bool IsAnswerKeyword(const std::string &keyword) {
  for (const char *known : {"refused", "size", "install", "removed", "code"})
    if (keyword == known) return true;
  return AnswerTakesBlock(keyword);
}

bool AnswerTakesBlock(const std::string &keyword) {
  return keyword == "loading" || keyword == "findings" || keyword == "diagnostics" || keyword == "file";
}

bool AddAnswerItem(Answer &answer, const std::string &line, const std::string &block, std::string &error) {
  const std::string keyword = line.substr(0, line.find_first_of(" \t"));
  const std::string rest = After(line, keyword);
  auto once = [&error, &keyword](bool given) {
    if (given) error = "a second '" + keyword + "' line in one answer";
    return !given;
  };
  long long number = 0;
  if (keyword == "refused") {
    if (rest != "medium" && rest != "installed") {
      error = "'refused' names 'medium' or 'installed'";
      return false;
    }
    bool &refused = rest == "medium" ? answer.RefusedMedium : answer.RefusedInstalled;
    if (!once(refused)) return false;
    refused = true;
  } else if (keyword == "size") {
    if (!once(answer.Size.has_value())) return false;
    if (!ReadNumber(rest, -1, 0xFFFFFFFFLL, number)) {
      error = "'size' is followed by a number from 0 to 4294967295, or -1";
      return false;
    }
    answer.Size = static_cast<unsigned int>(number);
  } else if (keyword == "code") {
    if (!once(answer.Code.has_value())) return false;
    if (!ReadNumber(rest, -2147483647LL - 1, 2147483647LL, number)) {
      error = "'code' is followed by a number";
      return false;
    }
    answer.Code = static_cast<int>(number);
  } else if (keyword == "install") {
    if (!once(answer.Install.has_value())) return false;
    answer.Install.emplace();
    return ReadWords(rest, *answer.Install, error);
  } else if (keyword == "removed") {
    const std::size_t space = rest.find(' ');
    std::string name, label;
    if (rest.empty() || !Unescape(rest.substr(0, space), name, error) ||
        !Unescape(space == std::string::npos ? "" : rest.substr(space + 1), label, error)) {
      if (rest.empty()) error = "'removed' is followed by a name and its label";
      return false;
    }
    answer.Removed.emplace_back(name, label);
  } else if (keyword == "file") {
    std::string name;
    if (rest.empty() || rest.find_first_of(" \t") != std::string::npos || !Unescape(rest, name, error)) {
      if (error.empty()) error = "'file' is followed by one name";
      return false;
    }
    answer.Files.emplace_back(name, block);
  } else {
    std::string &text = keyword == "loading" ? answer.Loading : keyword == "findings" ? answer.Findings : answer.Diagnostics;
    if (!rest.empty()) {
      error = "'" + keyword + "' stands alone on its line";
      return false;
    }
    if (!once(!text.empty())) return false;
    text = block;
  }
  return true;
}

}  // namespace scenario

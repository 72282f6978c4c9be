// The library's answer to a scenario's request, and its lines in a scenario file.
#ifndef ScenarioAnswer_h
#define ScenarioAnswer_h

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scenario {

struct Answer {
  bool RefusedMedium = false;  // a catalogue the library refused (GetNbToc() -1)
  bool RefusedInstalled = false;
  std::string Loading;  // the diagnostics of loading the catalogues
  std::optional<unsigned int> Size;
  std::optional<std::vector<std::string>> Install;         // set when planning handed out a list
  std::vector<std::pair<std::string, std::string>> Removed;  // name and label, in order
  std::optional<int> Code;                                 // the integrity check's result code
  std::string Findings;
  std::string Diagnostics;
  std::vector<std::pair<std::string, std::string>> Files;  // written in the working folder: name, content
};

// The answer's lines, always in one order and form, so that equal answers give equal lines.
std::vector<std::string> AnswerLines(const Answer &answer);

// Whether a line of an expected answer starts with this keyword, and whether a section
// of bytes follows the line.
bool IsAnswerKeyword(const std::string &keyword);
bool AnswerTakesBlock(const std::string &keyword);
// Adds one item of an expected answer: its line and, where one follows, the section's bytes.
// False with the reason when the line is not a valid item.
bool AddAnswerItem(Answer &answer, const std::string &line, const std::string &block, std::string &error);

}  // namespace scenario

#endif

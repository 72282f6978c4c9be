// Reading a scenario file line by line, and writing one.
#include "ScenarioFile.h"

#include <set>

#include "ScenarioText.h"

namespace scenario {

namespace {

const char *const kSectionKeywords[kSectionKinds] = {"medium", "pcfg", "installed", "control", "messages"};
constexpr std::size_t kMaxNameLength = 31;  // a unit name field holds 32 bytes with its NUL

int SectionKindOf(const std::string &keyword) {
  for (int kind = 0; kind < kSectionKinds; ++kind)
    if (keyword == kSectionKeywords[kind]) return kind;
  return -1;
}

std::string Trim(const std::string &text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A line as the message quotes it.
std::string Quoted(const std::string &text) {
  return "'" + (text.size() > 40 ? text.substr(0, 40) + "..." : text) + "'";
}

bool ReadNames(const std::vector<std::string> &words, std::size_t first, Request &request, std::string &error) {
  for (std::size_t k = first; k < words.size(); ++k) {
    std::string name;
    if (!Unescape(words[k], name, error)) return false;
    if (name.size() > kMaxNameLength || name.find('\0') != std::string::npos) {
      error = "the unit name " + Quoted(words[k]) + " does not fit a name field (1 to 31 bytes, no NUL)";
      return false;
    }
    request.Names.push_back(name);
  }
  return true;
}

bool ParseRequest(const std::vector<std::string> &words, Request &request, std::string &error) {
  const std::string &keyword = words[0];
  request = Request();
  if (keyword == "check") {
    request.What = Request::Check;
    if (words.size() > 1) error = "'check' takes nothing more";
    return words.size() == 1;
  }
  const bool plan = keyword == "plan";
  bool fixes = false;
  std::size_t k = 1;
  for (; k < words.size() && words[k].compare(0, 2, "--") == 0; ++k) {
    const std::string &option = words[k];
    if (option == "--") {
      ++k;
      break;
    }
    if (option == "--zarn") request.Zarn = true;
    else if (plan && option == "--media-switch") request.MediaSwitch = true;
    else if (plan && option == "--fresh") request.Fresh = true;
    else if (!plan && option == "--fixes") fixes = true;
    else if (!plan && option == "--closure") request.Closure = true;
    else {
      error = "unknown option " + Quoted(option) + " of '" + keyword + "' (" +
              (plan ? "--zarn, --media-switch, --fresh" : "--fixes, --closure, --zarn") + ")";
      return false;
    }
  }
  if (fixes && (request.Closure || request.Zarn)) {
    error = "'remove --fixes' removes code fixes: --closure and --zarn do not apply";
    return false;
  }
  request.What = plan ? Request::Plan : fixes ? Request::RemoveFixes : Request::RemoveProducts;
  return ReadNames(words, k, request, error);
}

bool IsRequestKeyword(const std::string &keyword) {
  return keyword == "plan" || keyword == "remove" || keyword == "check";
}

// Control names become files of a private folder: each must be one plain file name.
bool ValidControlNames(const std::string &bytes, std::string &error) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string name = bytes.substr(start, end - start);
    if (name.empty() || name == "." || name == ".." || name.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
      error = "the control section holds " + Quoted(EncodeWord(name)) + ", which is no file name";
      return false;
    }
    start = end + 1;
  }
  return true;
}

class Parser {
 public:
  explicit Parser(const std::string &text) {
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      _File.Lines.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    _File.CrLf = !_File.Lines.empty() && !_File.Lines[0].empty() && _File.Lines[0].back() == '\r';
  }

  ScenarioFile Parse() {
    for (std::size_t i = 0; i < _File.Lines.size(); ++i) ParseLine(i);
    Close();
    return std::move(_File);
  }

 private:
  [[noreturn]] void Fail(std::size_t index, const std::string &message) const { throw Malformed(index + 1, message); }

  // A line without the CR of a CR LF end (nor the byte order mark some editors put first).
  std::string Text(std::size_t index) const {
    std::string line = _File.Lines[index];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (index == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    return line;
  }

  Scenario *Current() { return _File.Scenarios.empty() ? nullptr : &_File.Scenarios.back(); }

  void ParseLine(std::size_t &i) {
    const std::string line = Trim(Text(i));
    if (line.empty() || line[0] == '#') {
      if (_InAnswer) Current()->AnswerNotes.push_back(i);
      return;
    }
    const std::vector<std::string> words = SplitWords(line);
    const std::string &keyword = words[0];
    Scenario *scenario = Current();
    if (keyword == "scenario") return StartScenario(i, Trim(line.substr(keyword.size())));
    const int kind = SectionKindOf(keyword);
    const bool request = IsRequestKeyword(keyword);
    if ((kind >= 0 || request) && _InAnswer)
      Fail(i, Quoted(keyword) + " after the expected answer: the answer comes last in a scenario");
    if (kind >= 0) return ReadSection(i, kind, words.size());
    if ((request || keyword == "expect") && scenario == nullptr)
      Fail(i, Quoted(keyword) + " outside a scenario: start one with 'scenario NAME'");
    if (request) {
      std::string error;
      if (scenario->HasRequest) Fail(i, "a second request in scenario '" + scenario->Name + "'");
      if (!ParseRequest(words, scenario->What, error)) Fail(i, error);
      scenario->HasRequest = true;
      _ContentEnd = i + 1;
      return;
    }
    if (keyword == "expect") {
      if (_InAnswer) Fail(i, "a second 'expect' in scenario '" + scenario->Name + "'");
      if (words.size() > 1) Fail(i, "'expect' stands alone on its line");
      if (!scenario->HasRequest) Fail(i, "'expect' before the request of scenario '" + scenario->Name + "'");
      _InAnswer = scenario->HasExpect = true;
      scenario->AnswerBegin = i;
      _ContentEnd = i + 1;
      return;
    }
    if (_InAnswer && IsAnswerKeyword(keyword)) {
      const std::size_t start = i;
      const std::string block = AnswerTakesBlock(keyword) ? ReadBlock(i) : "";
      std::string error;
      if (!AddAnswerItem(_Answer, line, block, error)) Fail(start, error);
      _ContentEnd = i + 1;
      return;
    }
    Fail(i, "unknown line " + Quoted(line) +
                (_InAnswer ? ": an answer holds refused, loading, size, install, removed, code, findings, diagnostics, file"
                 : scenario != nullptr && !scenario->HasRequest
                     ? ": a scenario's request is plan, remove or check"
                     : ": sections are medium, pcfg, installed, control and messages"));
  }

  void StartScenario(std::size_t i, const std::string &name) {
    Close();
    if (name.empty()) Fail(i, "a scenario needs a name: 'scenario NAME'");
    if (!_Names.insert(name).second) Fail(i, "a second scenario named '" + name + "'");
    _File.Scenarios.emplace_back();
    _File.Scenarios.back().Name = name;
    _File.Scenarios.back().Line = i + 1;
    _ContentEnd = i + 1;
  }

  void ReadSection(std::size_t &i, int kind, std::size_t words) {
    const std::size_t start = i;
    if (words > 1) Fail(i, std::string("'") + kSectionKeywords[kind] + "' stands alone on its line");
    Inputs &inputs = Current() ? Current()->Own : _File.Shared;
    if (inputs.Section[kind])
      Fail(i, std::string("a second '") + kSectionKeywords[kind] + "' section " +
                  (Current() ? "in this scenario" : "shared by the scenarios"));
    inputs.Section[kind] = ReadBlock(i);
    std::string error;
    if (kind == kControl && !ValidControlNames(*inputs.Section[kind], error)) Fail(start, error);
    _ContentEnd = i + 1;
  }

  // The bytes of the block that follows line i, which is left on its 'end' line.
  std::string ReadBlock(std::size_t &i) {
    const std::size_t start = i;
    std::string bytes, piece, error;
    for (++i; i < _File.Lines.size(); ++i) {
      const std::string line = Text(i);
      if (Trim(line) == "end") return bytes;
      if (!DecodeBlockLine(line, piece, error)) Fail(i, error);
      bytes += piece;
    }
    Fail(start, "the " + Quoted(SplitWords(Trim(Text(start)))[0]) + " section has no 'end' line: is the file cut short?");
  }

  // Ends the scenario being read: it must be complete.
  void Close() {
    Scenario *scenario = Current();
    if (scenario == nullptr) return;
    const std::size_t at = scenario->Line - 1;
    if (!scenario->HasRequest) Fail(at, "scenario '" + scenario->Name + "' has no request (plan, remove or check)");
    if (scenario->HasExpect) scenario->Expected = AnswerLines(_Answer);
    else scenario->AnswerBegin = _ContentEnd;
    scenario->AnswerEnd = _ContentEnd;
    while (!scenario->AnswerNotes.empty() && scenario->AnswerNotes.back() >= _ContentEnd) scenario->AnswerNotes.pop_back();
    const Inputs inputs = _File.InputsOf(*scenario);
    if (scenario->What.What == Request::Plan && !inputs.Section[kMedium])
      Fail(at, "scenario '" + scenario->Name + "' plans without a 'medium' section");
    if (scenario->What.What != Request::Plan && !inputs.Section[kInstalled])
      Fail(at, "scenario '" + scenario->Name + "' needs an 'installed' section");
    _InAnswer = false;
    _Answer = Answer();
  }

  ScenarioFile _File;
  std::set<std::string> _Names;
  bool _InAnswer = false;
  Answer _Answer;               // the expected answer being read
  std::size_t _ContentEnd = 0;  // after the last line of the scenario that is not a note
};

void AddSection(std::vector<std::string> &lines, int kind, const std::string &bytes) {
  lines.push_back(kSectionKeywords[kind]);
  for (std::string &line : BlockLines(bytes)) lines.push_back(std::move(line));
  lines.push_back("end");
}

}  // namespace

const char *SectionKeyword(int kind) { return kind >= 0 && kind < kSectionKinds ? kSectionKeywords[kind] : ""; }

std::string RequestLine(const Request &request) {
  std::string line = request.What == Request::Plan ? "plan" : request.What == Request::Check ? "check" : "remove";
  if (request.What == Request::RemoveFixes) line += " --fixes";
  if (request.Zarn) line += " --zarn";
  if (request.MediaSwitch) line += " --media-switch";
  if (request.Fresh) line += " --fresh";
  if (request.Closure) line += " --closure";
  for (const std::string &name : request.Names)
    if (name.compare(0, 2, "--") == 0) {
      line += " --";
      break;
    }
  for (const std::string &name : request.Names) line += " " + EncodeWord(name);
  return line;
}

Inputs ScenarioFile::InputsOf(const Scenario &scenario) const {
  Inputs inputs = Shared;
  for (int kind = 0; kind < kSectionKinds; ++kind)
    if (scenario.Own.Section[kind]) inputs.Section[kind] = scenario.Own.Section[kind];
  return inputs;
}

ScenarioFile ParseScenarioFile(const std::string &text) { return Parser(text).Parse(); }

std::string WithAnswers(const ScenarioFile &file, const std::vector<std::optional<std::vector<std::string>>> &answers) {
  const std::string end = file.CrLf ? "\r\n" : "\n";
  std::string text;
  std::size_t next = 0;
  auto copy = [&](std::size_t upTo) {
    for (; next < upTo; ++next) text += file.Lines[next] + "\n";
  };
  for (std::size_t k = 0; k < file.Scenarios.size() && k < answers.size(); ++k) {
    if (!answers[k]) continue;
    const Scenario &scenario = file.Scenarios[k];
    copy(scenario.AnswerBegin);
    text += "expect" + end;
    for (const std::string &line : *answers[k]) text += line + end;
    for (std::size_t note : scenario.AnswerNotes) text += file.Lines[note] + "\n";
    next = scenario.AnswerEnd;
  }
  copy(file.Lines.size());
  return text;
}

std::string NewScenarioFile(const std::vector<std::string> &comments, const Inputs &inputs, const std::string &name,
                            const Request &request, const std::vector<std::string> &answer) {
  std::vector<std::string> lines;
  for (const std::string &comment : comments) lines.push_back("# " + comment);
  if (!comments.empty()) lines.push_back("");
  for (int kind = 0; kind < kSectionKinds; ++kind)
    if (inputs.Section[kind]) AddSection(lines, kind, *inputs.Section[kind]);
  lines.push_back("");
  lines.push_back("scenario " + name);
  lines.push_back(RequestLine(request));
  lines.push_back("expect");
  lines.insert(lines.end(), answer.begin(), answer.end());
  std::string text;
  for (const std::string &line : lines) text += line + "\n";
  return text;
}

}  // namespace scenario

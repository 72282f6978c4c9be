// A scenario file: the catalogues a request reads, the request and its expected answer.
//
//   # a comment                      (blank lines and comments go anywhere)
//   medium                           sections before the first scenario serve every scenario;
//   | 01:3:0:code:FWK:BASE::::10:... a scenario's own section replaces the shared one of its kind
//   end
//   scenario NAME
//   plan [--zarn] [--media-switch] [--fresh] [--] UNIT...
//   expect
//   size 410
//   install BASE
//
// Sections: medium (a medium's TOC), pcfg (its PCFG.list), installed (the installed catalogue),
// control (the names in the installation's control directory, one a line), messages (a message
// catalogue ZYNWFToc.msg). Requests: plan, remove [--fixes | --zarn --closure], check.
#ifndef ScenarioFile_h
#define ScenarioFile_h

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScenarioAnswer.h"

namespace scenario {

enum SectionKind { kMedium, kPcfg, kInstalled, kControl, kMessages, kSectionKinds };
const char *SectionKeyword(int kind);

// The bytes of each section a request reads; a missing section has no value.
struct Inputs {
  std::optional<std::string> Section[kSectionKinds];
};

struct Request {
  enum Kind { Plan, RemoveFixes, RemoveProducts, Check } What = Plan;
  bool Zarn = false;
  bool MediaSwitch = false;
  bool Fresh = false;  // plan as if nothing were installed
  bool Closure = false;
  std::vector<std::string> Names;
};
// The request as a scenario line.
std::string RequestLine(const Request &request);

struct Scenario {
  std::string Name;
  std::size_t Line = 0;  // of its "scenario" line, from 1
  Inputs Own;
  Request What;
  bool HasRequest = false;
  bool HasExpect = false;
  std::vector<std::string> Expected;  // the expected answer's lines, in their canonical form
  // Where the answer is in the file (line indices from 0, end excluded), or where it goes when
  // there is none; and the comments and blank lines inside it, which an update keeps.
  std::size_t AnswerBegin = 0, AnswerEnd = 0;
  std::vector<std::size_t> AnswerNotes;
};

struct ScenarioFile {
  std::vector<std::string> Lines;  // as read, without their '\n'
  bool CrLf = false;               // whether its lines end with CR LF
  Inputs Shared;
  std::vector<Scenario> Scenarios;
  // The sections a scenario reads: its own, else the shared ones.
  Inputs InputsOf(const Scenario &scenario) const;
};

// A file that does not follow the format, and the line (from 1) where that shows.
class Malformed : public std::runtime_error {
 public:
  Malformed(std::size_t line, const std::string &message) : std::runtime_error(message), _Line(line) {}
  std::size_t Line() const { return _Line; }

 private:
  std::size_t _Line;
};

// Reads a scenario file's text; throws Malformed.
ScenarioFile ParseScenarioFile(const std::string &text);

// The file's text with new answers for some scenarios (answers[k] for scenario k, none to
// keep its own), everything else as it was.
std::string WithAnswers(const ScenarioFile &file, const std::vector<std::optional<std::vector<std::string>>> &answers);

// The text of a new file: comment lines, the inputs as shared sections, one scenario.
std::string NewScenarioFile(const std::vector<std::string> &comments, const Inputs &inputs, const std::string &name,
                            const Request &request, const std::vector<std::string> &answer);

}  // namespace scenario

#endif

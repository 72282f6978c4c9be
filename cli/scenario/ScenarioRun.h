// Running a scenario's request through the library's class interface.
#ifndef ScenarioRun_h
#define ScenarioRun_h

#include <stdexcept>
#include <string>

#include "ScenarioAnswer.h"
#include "ScenarioFile.h"

namespace scenario {

// The private folder of a run cannot be made or filled.
class RunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lays the inputs out in a private folder, as a medium (medium/TOC and medium/PCFG.list)
// and an installation (installation/control/PRESENT and the control names), makes it the
// working directory, loads the catalogues the request reads and makes the request. The
// message catalogue is the scenario's own (messages) or none: ZYNTOC_MSGPATH is set to it or
// unset meanwhile. The check is given the root "installation" when there is a control section.
// Everything is put back afterwards; the library's diagnostics are left in a fresh buffer.
// Throws RunError.
Answer RunScenario(const Inputs &inputs, const Request &request);

}  // namespace scenario

#endif

// Replaying scenario files and recording new ones: what `zyntoc replay` and `--record` do,
// and what the test suite's scenario runner does.
#ifndef Replay_h
#define Replay_h

#include <ostream>
#include <string>
#include <vector>

#include "ScenarioFile.h"

namespace scenario {

// Runs every scenario of the files and compares the library's answer with the expected one:
// a unified diff (expected, then actual) on out for each that differs, or with update the
// answer written in its place in the file. Files that cannot be read, malformed files
// (FILE:LINE: error: ...) and scenarios that cannot be run are reported on err. Returns 0
// when every answer matches (or was written), 1 when one differs, 2 after any error.
int ReplayFiles(const std::vector<std::string> &paths, bool update, std::ostream &out, std::ostream &err);

// Writes a new scenario file at path: the comment lines, the inputs, the request and the
// library's answer to it, made as a replay makes it. Throws std::runtime_error.
void RecordScenario(const std::string &path, const std::vector<std::string> &comments, const Inputs &inputs,
                    const Request &request);

}  // namespace scenario

#endif

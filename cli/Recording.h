// --record FILE of plan, remove and check: the scenario of the run, made from the files it
// read, for `zyntoc replay` (the format is in cli/scenario/ScenarioFile.h).
#ifndef Recording_h
#define Recording_h

#include <functional>
#include <string>

#include <CLI/CLI.hpp>

#include "Catalogues.h"
#include "ScenarioFile.h"

struct Recording {
  scenario::Inputs Inputs;
  scenario::Request Request;
};

// Adds --record FILE to a command.
void AddRecordOption(CLI::App &command, std::string &file);

// The bytes of the catalogues a command reads, as scenario sections: the medium's TOC with
// the PCFG.list beside it, the installed catalogue, the names in the installation's control
// directory (when a root is known), and the message catalogue ZYNTOC_MSGPATH finds.
scenario::Inputs RecordedInputs(const SourceOptions &sources, bool medium, bool installed, bool control);

// Runs a command; given a file, writes the scenario of its request there afterwards, also
// when the answer is a failure (not when the command line or a file could not be used).
int RunRecorded(const std::string &file, const std::string &command, const std::function<int()> &run,
                const std::function<Recording()> &recording);

#endif

// Why a command stops early, and the exit status that says so.
#ifndef ToolError_h
#define ToolError_h

#include <stdexcept>
#include <string>

// Every exit status of the tool; the main --help and the manual page list them all.
enum ExitStatus {
  ExitSuccess = 0,
  ExitFailure = 1,             // the answer is a failure; for check, something was found
  ExitUsage = 2,               // bad usage or unusable input
  ExitCorequisiteMissing = 3,  // check only: an installed unit lacks a co-requisite
};

class ToolError : public std::runtime_error {
 public:
  ToolError(int status, const std::string &message, bool pointToHelp)
      : std::runtime_error(message), _Status(status), _PointToHelp(pointToHelp) {}
  int Status() const { return _Status; }
  // Usage mistakes end with a pointer to the command's --help.
  bool PointToHelp() const { return _PointToHelp; }

 private:
  int _Status;
  bool _PointToHelp;
};

// The command line asks for something impossible.
inline ToolError UsageError(const std::string &message) { return ToolError(ExitUsage, message, true); }
// A file named on the command line cannot be used.
inline ToolError InputError(const std::string &message) { return ToolError(ExitUsage, message, false); }
// The library's answer is a failure (its diagnostics have been shown).
inline ToolError AnswerFailure(const std::string &message) { return ToolError(ExitFailure, message, false); }
// Installation planning failed; what it reported is among the diagnostics.
inline ToolError PlanningFailure() { return AnswerFailure("planning failed"); }

#endif

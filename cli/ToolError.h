// Why a command stops early, and the exit status that says so.
#ifndef ToolError_h
#define ToolError_h

#include <stdexcept>
#include <string>

enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

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

#endif

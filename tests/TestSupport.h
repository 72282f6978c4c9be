// Shared helpers of the test programs.
#ifndef TestSupport_h
#define TestSupport_h

#include <gtest/gtest.h>

#include <string>

// Runs each test in a fresh temporary directory (the library writes files into the
// working directory) with diagnostics collected into a fresh message buffer and no
// message catalogue on the search path.
class TocTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes text to a file below the temporary directory; returns its path.
  std::string WriteFile(const std::string &name, const std::string &text);
  // The diagnostics collected since the last reset; starts a new collection.
  std::string TakeDiagnostics();
  // The directory of the test.
  const std::string &Dir() const { return _Dir; }

 private:
  std::string _Dir;
  std::string _OldCwd;
};

// Content of a file, or "<missing>" when it cannot be read.
std::string ReadFile(const std::string &path);
// Path of a file kept under tests/data.
std::string DataPath(const std::string &relative);

// The path the library composes for a file of an installation's control directory.
std::string ControlPath(const std::string &root, const std::string &name);

// The test process's environment. On Windows an empty value removes the variable.
void SetEnv(const std::string &name, const std::string &value);
void UnsetEnv(const std::string &name);
// Separates the directories of a search path such as ZYNTOC_MSGPATH.
#if defined(_WIN32)
constexpr char kPathListSeparator = ';';
#else
constexpr char kPathListSeparator = ':';
#endif

#endif

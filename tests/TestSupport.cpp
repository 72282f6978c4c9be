// The shared test fixture: a fresh temporary folder and a diagnostic collection per test.
#include "TestSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ZYNINSToc.h"

void TocTest::SetUp() {
  char cwd[4096];
  _OldCwd = getcwd(cwd, sizeof cwd) ? cwd : ".";
  std::string pattern = (std::filesystem::temp_directory_path() / "zyntoc-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  _Dir = pattern;
  ASSERT_EQ(chdir(_Dir.c_str()), 0);
  unsetenv("ZYNTOC_MSGPATH");
  ZYNINSToc::sResetInfoMsg(nullptr);
}

void TocTest::TearDown() {
  ZYNINSToc::sResetInfoMsg(nullptr);
  if (chdir(_OldCwd.c_str()) != 0) ADD_FAILURE() << "cannot return to " << _OldCwd;
  std::error_code ignored;
  std::filesystem::remove_all(_Dir, ignored);
}

std::string TocTest::WriteFile(const std::string &name, const std::string &text) {
  std::filesystem::path path = std::filesystem::path(_Dir) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path.string();
}

std::string TocTest::TakeDiagnostics() {
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  std::string result = text ? text : "";
  ZYNINSToc::sResetInfoMsg(nullptr);
  return result;
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string DataPath(const std::string &relative) { return std::string(ZYNTOC_TEST_DATA) + "/" + relative; }

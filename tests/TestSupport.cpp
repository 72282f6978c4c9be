// The shared test fixture: a fresh temporary folder and a diagnostic collection per test.
#include "TestSupport.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ZYNINSToc.h"
#include "ZYNSystem.h"

namespace {

// A new directory of its own under the system's temporary directory.
std::string MakeTemporaryDir() {
  std::random_device random;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "zyntoc-test-" << std::hex << random() << random();
    std::error_code error;
    if (std::filesystem::create_directory(base / name.str(), error)) return (base / name.str()).string();
  }
  return "";
}

}  // namespace

void TocTest::SetUp() {
  _OldCwd = std::filesystem::current_path().string();
  _Dir = MakeTemporaryDir();
  ASSERT_FALSE(_Dir.empty()) << "cannot create a temporary directory";
  std::filesystem::current_path(_Dir);
  UnsetEnv("ZYNTOC_MSGPATH");
  ZYNINSToc::sResetInfoMsg(nullptr);
}

void TocTest::TearDown() {
  ZYNINSToc::sResetInfoMsg(nullptr);
  std::error_code error;
  std::filesystem::current_path(_OldCwd, error);
  if (error) ADD_FAILURE() << "cannot return to " << _OldCwd;
  std::filesystem::remove_all(_Dir, error);
}

std::string TocTest::WriteFile(const std::string &name, const std::string &text) {
  // Joined with '/' on every platform, so that tests can spell the same path themselves.
  std::string path = _Dir + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
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

std::string ControlPath(const std::string &root, const std::string &name) {
  return root + ZYNPathSeparator + "control" + ZYNPathSeparator + name;
}

#if defined(_WIN32)
void SetEnv(const std::string &name, const std::string &value) { _putenv_s(name.c_str(), value.c_str()); }
void UnsetEnv(const std::string &name) { _putenv_s(name.c_str(), ""); }
#else
void SetEnv(const std::string &name, const std::string &value) { setenv(name.c_str(), value.c_str(), 1); }
void UnsetEnv(const std::string &name) { unsetenv(name.c_str()); }
#endif

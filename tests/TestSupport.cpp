// The shared test fixture: a fresh temporary folder and a diagnostic collection per test.
#include "TestSupport.h"

#include <stdlib.h>

#include <algorithm>
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

void TocTest::UseMessageCatalogue(const std::string &folder) {
  SetEnv("ZYNTOC_MSGPATH", DataPath("msg/" + folder));
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

std::vector<std::string> NamesIn(const std::string &dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(dir, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
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

std::vector<std::string> DataNames(const std::string &folder, const std::string &extension) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(DataPath(folder)))
    if (entry.path().extension() == extension) names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool UpdatingExpected() {
  const char *update = getenv("ZYNTOC_UPDATE_EXPECTED");
  return update && *update;
}

void ExpectFileContent(const std::string &path, const std::string &actual) {
  if (UpdatingExpected()) {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadFile(path)) << "expected in " << path;
}

TocLine::TocLine(std::string type, std::string pkg, std::string name)
    : _Type(std::move(type)), _Pkg(std::move(pkg)), _Name(std::move(name)), _Label("label of " + _Name) {}

TocLine &TocLine::OnMedia(int number, unsigned long long mediaSize) {
  _Prefix = "0M:" + std::to_string(number) + ":" + std::to_string(mediaSize) + ":";
  return *this;
}

std::string TocLine::Text() const {
  return _Prefix + _Type + ":" + _Pkg + ":" + _Name + ":" + _Supersedes + ":" + _Prereqs + ":" + _Ifreqs + ":" + _Size +
         ":" + _Timestamp + ":" + _OS + ":" + _GA + ":" + _Level + ":" + _Label + ":\n";
}

std::string NumberedNames(const std::string &stem, int count) {
  std::string names;
  for (int i = 0; i < count; ++i) names += stem + std::to_string(i) + " ";
  return names;
}

NameFields::NameFields(const std::vector<std::string> &names)
    : _Bytes((names.size() + 1) * 32, '\0'), _Count(static_cast<unsigned int>(names.size())) {
  for (std::size_t i = 0; i < names.size(); ++i) names[i].copy(&_Bytes[i * 32], 32);
}

NameFields::NameFields(const std::string &name, unsigned int count)
    : NameFields(std::vector<std::string>(count, name)) {}

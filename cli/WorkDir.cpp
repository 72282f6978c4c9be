// The private working directory where the library writes its files during a command.
#include "WorkDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "ToolError.h"

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
constexpr char kPathListSeparator = ';';
void SetEnv(const char *name, const std::string &value) { _putenv_s(name, value.c_str()); }
#else
constexpr char kPathListSeparator = ':';
void SetEnv(const char *name, const std::string &value) { setenv(name, value.c_str(), 1); }
#endif

fs::path TemporaryBase() {
  std::error_code error;
  fs::path base = fs::temp_directory_path(error);
  return error ? fs::path(".") : base;
}

#if defined(_WIN32)
// A new directory under a random name, then restricted to its owner.
fs::path MakePrivateDir() {
  std::random_device random;
  std::error_code error;
  fs::path base = TemporaryBase();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "zyntoc-" << std::hex << random() << random();
    fs::path dir = base / name.str();
    if (fs::create_directory(dir, error)) {
      fs::permissions(dir, fs::perms::owner_all, error);
      return dir;
    }
  }
  throw AnswerFailure("cannot create a temporary directory in '" + base.string() + "'");
}
#else
// mkdtemp makes it with mode 0700 from the start: no one else ever gets to plant a file in it.
fs::path MakePrivateDir() {
  fs::path base = TemporaryBase();
  std::string pattern = (base / "zyntoc-XXXXXX").string();
  if (mkdtemp(&pattern[0]) == nullptr)
    throw AnswerFailure("cannot create a temporary directory in '" + base.string() + "'");
  return pattern;
}
#endif

}  // namespace

void AnchorMessagePath() {
  const char *value = std::getenv("ZYNTOC_MSGPATH");
  if (value == nullptr || *value == '\0') return;
  std::string anchored, entry;
  std::istringstream entries(value);
  bool first = true;
  while (std::getline(entries, entry, kPathListSeparator)) {
    if (!first) anchored += kPathListSeparator;
    first = false;
    std::error_code error;
    if (!entry.empty()) {
      fs::path absolute = fs::absolute(entry, error);
      anchored += error ? entry : absolute.string();
    }
  }
  SetEnv("ZYNTOC_MSGPATH", anchored);
}

ScopedWorkDir::ScopedWorkDir(const std::string &keepDir)
    : _Previous(fs::current_path()), _Temporary(keepDir.empty()) {
  if (_Temporary) {
    _Dir = MakePrivateDir();
  } else {
    std::error_code error;
    if (!fs::is_directory(keepDir, error)) throw InputError("no such directory: '" + keepDir + "'");
    _Dir = keepDir;
  }
  fs::current_path(_Dir);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::error_code error;
  fs::current_path(_Previous, error);
  if (_Temporary) fs::remove_all(_Dir, error);
}

std::string ScopedWorkDir::ReadFile(const std::string &name) const {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

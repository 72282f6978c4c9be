#include "FuzzSupport.h"

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <system_error>

#include "ZYNINSToc.h"

namespace fs = std::filesystem;

namespace zynfuzz {

namespace {

// Largest file the process may write. A regression that makes the library write without
// end (an append to itself, say) then fails its write instead of filling the disk.
constexpr rlim_t kMostWritten = 64 << 20;

// Caps the size of every file the process writes; SIGXFSZ is ignored, so that a write
// over the cap fails with EFBIG instead of killing the run.
void LimitFileSize() {
  Require(signal(SIGXFSZ, SIG_IGN) != SIG_ERR, "cannot ignore SIGXFSZ");
  rlimit limit{};
  Require(getrlimit(RLIMIT_FSIZE, &limit) == 0, "cannot read the file-size limit");
  if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > kMostWritten) limit.rlim_cur = kMostWritten;
  Require(setrlimit(RLIMIT_FSIZE, &limit) == 0, "cannot limit the size of written files");
}

const std::string &CreatedWorkDir() {
  // Never destroyed: the exit handler below still needs it.
  static const std::string *dir = [] {
    LimitFileSize();
    // On disk, in the system's temporary folder (TMPDIR, else /tmp): a runaway write in
    // memory-backed storage would take memory from the whole machine.
    std::string pattern = (fs::temp_directory_path() / "zyntoc-fuzz-XXXXXX").string();
    Require(mkdtemp(&pattern[0]) != nullptr, "cannot create a private working directory");
    // A translated catalogue from the environment would make the diagnostics depend on it.
    unsetenv("ZYNTOC_MSGPATH");
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(CreatedWorkDir(), ignored);
    });
    return new std::string(pattern);
  }();
  return *dir;
}

class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char *, std::streamsize n) override { return n; }
};

}  // namespace

void Require(bool holds, const char *what) {
  if (holds) return;
  fprintf(stderr, "zyntoc fuzz: %s\n", what);
  abort();
}

PrivateWorkDir::PrivateWorkDir() : _Path(CreatedWorkDir()), _Previous(fs::current_path().string()) {
  for (const fs::directory_entry &entry : fs::directory_iterator(_Path)) fs::remove_all(entry.path());
  fs::current_path(_Path);
}

PrivateWorkDir::~PrivateWorkDir() { fs::current_path(_Previous); }

void WriteFile(const std::string &path, const std::string &text) {
  fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent);
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> SplitParts(const uint8_t *data, size_t size, size_t count) {
  std::vector<std::string> parts(count);
  std::string input(reinterpret_cast<const char *>(data), size);
  size_t part = 0;
  size_t start = 0;
  while (start < input.size()) {
    size_t end = input.find('\n', start);
    size_t next = end == std::string::npos ? input.size() : end + 1;
    std::string line = input.substr(start, next - start);
    if (part + 1 < count && (line == "%%\n" || line == "%%"))
      ++part;
    else
      parts[part] += line;
    start = next;
  }
  return parts;
}

std::vector<std::string> NamesIn(const std::string &text, size_t max) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < text.size() && names.size() < max) {
    size_t end = text.find_first_of(" \t\r\n:/", start);
    if (end == std::string::npos) end = text.size();
    if (end > start && end - start <= 31) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::unique_ptr<char[][32]> NameArray(const std::vector<std::string> &names) {
  std::unique_ptr<char[][32]> array(new char[names.size()][32]);
  for (size_t i = 0; i < names.size(); ++i) {
    memset(array[i], 0, 32);
    memcpy(array[i], names[i].data(), std::min<size_t>(names[i].size(), 31));
  }
  return array;
}

std::string ByteReader::Text(size_t max) {
  size_t length = std::min<size_t>(Byte() % (max + 1), _Bytes.size() - std::min(_Next, _Bytes.size()));
  std::string text = _Bytes.substr(std::min(_Next, _Bytes.size()), length);
  _Next += length;
  return text;
}

std::ostream &Discard() {
  static NullBuffer buffer;
  static std::ostream stream(&buffer);
  stream.clear();
  return stream;
}

void ResetDiagnostics() { ZYNINSToc::sResetInfoMsg(nullptr); }

void FetchDiagnostics() {
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  Require(text != nullptr, "no diagnostic text handed out");
  volatile size_t length = strlen(text);
  (void)length;
}

}  // namespace zynfuzz

// A scenario's request made in a private folder, the answer collected from the library.
#include "ScenarioRun.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "ZYNINSFormat.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

namespace fs = std::filesystem;

namespace scenario {

namespace {

const char kMediumToc[] = "medium/TOC";
const char kControlDir[] = "installation/control";
const char kPresent[] = "installation/control/PRESENT";
const char kRoot[] = "installation";
const char kMessagesDir[] = "messages";
const char kMessagePathVariable[] = "ZYNTOC_MSGPATH";

// A fresh folder under the system's temporary folder, made the working directory; the
// previous one is restored and the folder removed when it goes out of scope.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::error_code error;
    _Previous = fs::current_path(error);
    if (error) throw RunError("cannot tell the working directory: " + error.message());
    fs::path base = fs::temp_directory_path(error);
    if (error) base = _Previous;
    std::random_device random;
    for (int attempt = 0; attempt < 100 && _Dir.empty(); ++attempt) {
      std::ostringstream name;
      name << "zyntoc-replay-" << std::hex << random() << random();
      if (fs::create_directory(base / name.str(), error)) _Dir = base / name.str();
    }
    if (_Dir.empty()) throw RunError("cannot make a folder in '" + base.string() + "'");
    fs::current_path(_Dir, error);
    if (error) {
      fs::remove_all(_Dir, error);
      throw RunError("cannot work in '" + _Dir.string() + "'");
    }
  }
  ~PrivateFolder() {
    std::error_code error;
    fs::current_path(_Previous, error);
    fs::remove_all(_Dir, error);
  }
  PrivateFolder(const PrivateFolder &) = delete;
  PrivateFolder &operator=(const PrivateFolder &) = delete;
  const fs::path &Path() const { return _Dir; }

 private:
  fs::path _Previous, _Dir;
};

void SetVariable(const char *name, const char *value) {
#if defined(_WIN32)
  _putenv_s(name, value != nullptr ? value : "");  // an empty value removes it
#else
  if (value != nullptr) setenv(name, value, 1);
  else unsetenv(name);
#endif
}

// Sets a variable of the environment, or removes it, for as long as it lives.
class ScopedVariable {
 public:
  ScopedVariable(const char *name, const std::string *value) : _Name(name) {
    const char *old = std::getenv(name);
    if (old != nullptr) _Old.reset(new std::string(old));
    SetVariable(name, value != nullptr ? value->c_str() : nullptr);
  }
  ~ScopedVariable() { SetVariable(_Name, _Old ? _Old->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable &) = delete;
  ScopedVariable &operator=(const ScopedVariable &) = delete;

 private:
  const char *_Name;
  std::unique_ptr<std::string> _Old;
};

void WriteBytes(const std::string &path, const std::string &bytes) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  std::ofstream file(path, std::ios::binary);
  file << bytes;
  file.close();
  if (!file) throw RunError("cannot write '" + path + "' in the private folder");
}

std::string ReadBytes(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void LayOut(const Inputs &inputs) {
  if (inputs.Section[kMedium]) WriteBytes(kMediumToc, *inputs.Section[kMedium]);
  if (inputs.Section[kMedium] && inputs.Section[kPcfg]) WriteBytes(ZYNINSVisibilityListPath(kMediumToc), *inputs.Section[kPcfg]);
  if (inputs.Section[kControl]) {
    std::istringstream names(*inputs.Section[kControl]);
    for (std::string name; std::getline(names, name);) WriteBytes(std::string(kControlDir) + "/" + name, "");
  }
  if (inputs.Section[kInstalled]) WriteBytes(kPresent, *inputs.Section[kInstalled]);
  if (inputs.Section[kMessages]) WriteBytes(std::string(kMessagesDir) + "/ZYNWFToc.msg", *inputs.Section[kMessages]);
}

// The diagnostics collected since the last fetch.
std::string TakeDiagnostics() {
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  std::string taken = text != nullptr ? text : "";
  ZYNINSToc::sResetInfoMsg(nullptr);
  return taken;
}

// The request's names as the library takes them: 32-byte fields, one spare so that the
// block is never empty.
std::vector<char> NameFields(const std::vector<std::string> &names) {
  std::vector<char> fields((names.size() + 1) * 32, '\0');
  for (std::size_t i = 0; i < names.size(); ++i)
    std::memcpy(&fields[i * 32], names[i].data(), std::min<std::size_t>(names[i].size(), 31));
  return fields;
}

char (*Fields(std::vector<char> &fields))[32] { return reinterpret_cast<char(*)[32]>(fields.data()); }

void Plan(ZYNINSMediaToc &medium, ZYNINSInstToc *installed, const Request &request, Answer &answer) {
  std::vector<char> names = NameFields(request.Names);
  char untouched[1][32] = {};
  char(*list)[32] = untouched;
  unsigned int count = 0;
  answer.Size = medium.GetSize(Fields(names), static_cast<unsigned int>(request.Names.size()),
                               request.Zarn ? ZYNINSZarn : ZYNINSCode, request.MediaSwitch ? 1 : 0, &count, list,
                               installed);
  if (list == untouched) return;
  answer.Install.emplace();
  for (unsigned int i = 0; i < count; ++i) answer.Install->emplace_back(list[i], strnlen(list[i], 32));
  delete[] list;
}

void Remove(ZYNINSInstToc &installed, const Request &request, Answer &answer) {
  std::vector<char> names = NameFields(request.Names);
  const unsigned int n = static_cast<unsigned int>(request.Names.size());
  if (request.What == Request::RemoveFixes) {
    answer.Size = installed.GetSize(Fields(names), n);
    return;
  }
  std::unique_ptr<ZYNINSStockName> removed(new ZYNINSStockName);
  removed->Reset();
  answer.Size = installed.GetSize(Fields(names), n, request.Zarn ? ZYNINSZarn : ZYNINSCode, request.Closure ? 1 : 0,
                                  removed.get());
  for (unsigned int k = 0; k < removed->GetNbName(); ++k) {
    const char *label = removed->GetLabel(static_cast<int>(k));
    answer.Removed.emplace_back(removed->GetName(static_cast<int>(k)),
                                label != nullptr ? label : "");
  }
}

// The files the library wrote into the working folder (the inputs are in folders of their own).
std::vector<std::pair<std::string, std::string>> WrittenFiles(const fs::path &folder) {
  std::vector<std::pair<std::string, std::string>> files;
  std::error_code error;
  for (const auto &entry : fs::directory_iterator(folder, error))
    if (entry.is_regular_file(error)) files.emplace_back(entry.path().filename().u8string(), ReadBytes(entry.path()));
  return files;
}

}  // namespace

Answer RunScenario(const Inputs &inputs, const Request &request) {
  PrivateFolder folder;
  LayOut(inputs);
  const std::string messagePath = (folder.Path() / kMessagesDir).string();
  ScopedVariable messages(kMessagePathVariable, inputs.Section[kMessages] ? &messagePath : nullptr);

  Answer answer;
  ZYNINSToc::sResetInfoMsg(nullptr);
  std::unique_ptr<ZYNINSMediaToc> medium;
  std::unique_ptr<ZYNINSInstToc> installed;
  std::string mediumPath = kMediumToc, installedPath = kPresent;
  if (request.What == Request::Plan) medium.reset(new ZYNINSMediaToc(&mediumPath[0]));
  if (inputs.Section[kInstalled] && !(request.What == Request::Plan && request.Fresh))
    installed.reset(new ZYNINSInstToc(&installedPath[0]));
  answer.Loading = TakeDiagnostics();
  answer.RefusedMedium = medium && medium->GetNbToc() < 0;
  answer.RefusedInstalled = installed && installed->GetNbToc() < 0;

  if (request.What == Request::Plan) {
    Plan(*medium, installed.get(), request, answer);
  } else if (request.What == Request::Check) {
    std::ostringstream findings;
    std::string root = kRoot;
    answer.Code = installed->CheckIntegrity(findings, inputs.Section[kControl] ? &root[0] : nullptr);
    answer.Findings = findings.str();
  } else {
    Remove(*installed, request, answer);
  }
  answer.Diagnostics = TakeDiagnostics();
  answer.Files = WrittenFiles(folder.Path());
  return answer;
}

}  // namespace scenario

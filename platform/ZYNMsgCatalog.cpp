// Finding, reading and caching message catalogue files, and substituting their parameters.
#include "ZYNMsgCatalog.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "ZYNSystem.h"

namespace {

#if defined(_WIN32)
constexpr char kListSeparator = ';';
#else
constexpr char kListSeparator = ':';
#endif

// Catalogue files already read, keyed on their path; reread when the file changes.
struct CachedCatalog {
  long long modified = -1;
  long long size = -1;
  std::shared_ptr<const ZYNMsgCatalog::Messages> messages;
};

std::map<std::string, CachedCatalog> &Cache() {
  static std::map<std::string, CachedCatalog> cache;
  return cache;
}

std::string Trim(const std::string &text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Unescape(const std::string &text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      result += text[i];
      continue;
    }
    char next = text[++i];
    if (next == 'n') result += '\n';
    else if (next == 't') result += '\t';
    else if (next == '\\') result += '\\';
    else result += std::string("\\") + next;  // unknown escapes stay as written
  }
  return result;
}

std::shared_ptr<const ZYNMsgCatalog::Messages> ReadCatalog(const std::string &path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  CachedCatalog &cached = Cache()[path];
  if (cached.messages && cached.modified == static_cast<long long>(info.st_mtime) &&
      cached.size == static_cast<long long>(info.st_size))
    return cached.messages;
  std::ifstream file(path, std::ios::binary);
  if (!file) return nullptr;
  std::ostringstream text;
  text << file.rdbuf();
  cached.modified = static_cast<long long>(info.st_mtime);
  cached.size = static_cast<long long>(info.st_size);
  cached.messages = std::make_shared<const ZYNMsgCatalog::Messages>(ZYNParseMsgCatalog(text.str()));
  return cached.messages;
}

}  // namespace

ZYNMsgCatalog::Messages ZYNParseMsgCatalog(const std::string &text) {
  ZYNMsgCatalog::Messages messages;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    std::string value = line.substr(equals + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    if (!value.empty() && value.back() == '\r') value.pop_back();
    messages[key] = Unescape(value);
  }
  return messages;
}

int ZYNMsgCatalog::LoadMsgCatalog(const char *name, void * /*reserved*/) {
  _Messages.reset();
  _File.clear();
  const char *searchPath = ZYNGetEnv("ZYNTOC_MSGPATH");
  if (!name || !searchPath || !*searchPath) return 0;
  std::string directories = searchPath;
  size_t start = 0;
  while (start <= directories.size()) {
    size_t end = directories.find(kListSeparator, start);
    if (end == std::string::npos) end = directories.size();
    std::string directory = directories.substr(start, end - start);
    if (!directory.empty()) {
      std::string file = directory + ZYNPathSeparator + name + ".msg";
      _Messages = ReadCatalog(file);
      if (_Messages) {
        _File = file;
        return 1;
      }
    }
    start = end + 1;
  }
  return 0;
}

ZYNMsg ZYNMsgCatalog::GetCatalogMsg(const char *key) const {
  if (!_Messages || !key) return ZYNMsg();
  auto found = _Messages->find(key);
  return found == _Messages->end() ? ZYNMsg() : ZYNMsg(found->second);
}

ZYNUnicodeString ZYNMsg::BuildMessage(const ZYNUnicodeString *params, int nbParams) const {
  std::string result;
  for (size_t i = 0; i < _Text.size(); ++i) {
    char next = i + 1 < _Text.size() ? _Text[i + 1] : '\0';
    if (_Text[i] == '%' && next == '%') {
      result += '%';
      ++i;
    } else if (_Text[i] == '%' && next >= '1' && next <= '9') {
      int index = next - '1';
      if (params && index < nbParams) result += params[index].ConvertToChar();
      ++i;
    } else {
      result += _Text[i];
    }
  }
  return ZYNUnicodeString(result.c_str());
}

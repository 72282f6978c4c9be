// The message catalogue file parser and message building. Input: the catalogue file,
// "%%", a key, a default format, then up to nine parameters, one per line. Every
// message of the catalogue and the one for the key are built with those parameters.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ZYNINSDiag.h"
#include "ZYNMsgCatalog.h"

namespace {

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The catalogue file as the library finds it; each input's file gets a modification time
// of its own, so that the library's cache of catalogue files never hands out the last one.
void InstallCatalogue(const std::string &dir, const std::string &text) {
  static long long stamp = 0;
  std::string path = dir + "/msg/ZYNWFToc.msg";
  zynfuzz::WriteFile(path, text);
  struct timespec times[2] = {{++stamp, 0}, {stamp, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
  std::string searchPath = dir + "/missing::" + dir + "/msg";
  setenv("ZYNTOC_MSGPATH", searchPath.c_str(), 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> parts = zynfuzz::SplitParts(data, size, 2);
  std::vector<std::string> lines = Lines(parts[1]);
  lines.resize(std::max<size_t>(lines.size(), 2));
  if (lines.size() > 11) lines.resize(11);
  const std::string &key = lines[0];
  const std::string &format = lines[1];
  std::vector<ZYNUnicodeString> params;
  for (size_t i = 2; i < lines.size(); ++i) params.emplace_back(lines[i].c_str());
  int nbParams = static_cast<int>(params.size());

  ZYNMsgCatalog::Messages messages = ZYNParseMsgCatalog(parts[0]);
  int built = 0;
  for (const auto &message : messages) {
    if (++built > 64) break;
    ZYNMsg(message.second).BuildMessage(params.data(), nbParams).ConvertToChar();
    ZYNMsg(message.second).BuildMessage(nullptr).ConvertToChar();
  }

  zynfuzz::PrivateWorkDir work;
  InstallCatalogue(work.Path(), parts[0]);
  zynfuzz::ResetDiagnostics();
  ZYNINSReport(key.c_str(), format.c_str(), {});
  if (lines.size() > 3)
    ZYNINSReport(key.c_str(), format.c_str(), {lines[2], lines[3], static_cast<int>(lines[2].size())});
  if (!messages.empty()) ZYNINSReport(messages.begin()->first.c_str(), format.c_str(), {lines.back()});
  zynfuzz::FetchDiagnostics();
  unsetenv("ZYNTOC_MSGPATH");
  return 0;
}

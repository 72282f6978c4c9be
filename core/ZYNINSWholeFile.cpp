// Whole files written beside their name and renamed over it.
#include "ZYNINSWholeFile.h"

#include <chrono>
#include <cstdio>

#include "ZYNFile.h"
#include "ZYNSystem.h"

namespace {

// A name for the new file in the directory of name: ".NAME.new-" and a number that differs
// from call to call and from process to process (the creation is exclusive all the same).
std::string NewFileName(const std::string &name) {
  static unsigned long long calls = 0;
  std::size_t slash = name.find_last_of(ZYNPathSeparator == '/' ? "/" : "/\\");
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  unsigned long long tick = static_cast<unsigned long long>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, ".new-%llx", tick ^ (++calls * 0x9E3779B97F4A7C15ull));
  return name.substr(0, base) + "." + name.substr(base) + suffix;
}

}  // namespace

bool ZYNINSWriteWholeFile(const char *name, const std::string &content) {
  if (!name || !*name) return false;
  ZYNFile file;
  std::string fresh;
  ZYNCreation created = ZYNCreation::NameTaken;
  for (int attempt = 0; attempt < 100 && created == ZYNCreation::NameTaken; ++attempt) {
    fresh = NewFileName(name);
    created = file.CreateNew(fresh.c_str());
  }
  if (created != ZYNCreation::Created) return false;
  bool written = file.Write(content.data(), content.size());
  // Closed before the rename, which Windows refuses for an open file.
  written = file.Close() && written;
  if (written && ZYNReplaceFile(fresh.c_str(), name)) return true;
  ZYNRemoveFile(fresh.c_str());
  return false;
}

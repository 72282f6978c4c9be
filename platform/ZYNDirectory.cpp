// The directory listing: opendir and readdir on POSIX, FindFirstFileExW on Windows.
#include "ZYNDirectory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#endif

#if defined(_WIN32)

namespace {

// The narrow code page text as UTF-16, as the narrow file calls read it; false when it does not convert.
bool Widen(const std::string &text, std::wstring &wide) {
  int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.c_str(), -1, &wide[0], length) != length) return false;
  wide.resize(static_cast<std::size_t>(length - 1));
  return true;
}

// The name in plain ASCII, which reads the same in every code page; false for any other name.
bool PlainAscii(const wchar_t *name, char *out, std::size_t room, std::size_t &length) {
  for (length = 0; name[length] != L'\0'; ++length) {
    if (name[length] >= 0x80 || length + 1 >= room) return false;
    out[length] = static_cast<char>(name[length]);
  }
  return true;
}

}  // namespace

bool ZYNListDirectory(const char *dir, std::size_t most, ZYNDirectoryVisitor visitor, void *context) {
  std::wstring wideDir;
  if (!dir || !*dir || !Widen(dir, wideDir)) return false;
  if (wideDir.back() != L'\\' && wideDir.back() != L'/') wideDir += L'\\';
  // The narrow calls take no path of MAX_PATH characters or more, the working directory of a
  // relative one included: a name that would make its path that long is left to the test.
  DWORD fullLength = GetFullPathNameW(wideDir.c_str(), 0, nullptr, nullptr);
  if (fullLength == 0) return false;
  const std::size_t longestPath = MAX_PATH - 1;
  const std::size_t dirLength = std::max<std::size_t>(fullLength - 1, wideDir.size());

  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((wideDir + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return false;
  std::size_t entries = 0;
  bool complete = true;
  do {
    if (++entries > most) {
      complete = false;
      break;
    }
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // a link or a junction
    char name[MAX_PATH];
    std::size_t length = 0;
    if (!PlainAscii(found.cFileName, name, sizeof name, length) || length == 0) continue;
    if (name[length - 1] == '.' || name[length - 1] == ' ') continue;
    if (dirLength + length > longestPath) continue;
    visitor(context, name, length);
  } while (FindNextFileW(search, &found));
  complete = complete && GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(search);
  return complete;
}

#else

bool ZYNListDirectory(const char *dir, std::size_t most, ZYNDirectoryVisitor visitor, void *context) {
  DIR *stream = dir ? opendir(dir) : nullptr;
  if (!stream) return false;
  std::size_t entries = 0;
  // readdir tells an error from the end only through errno.
  errno = 0;
  while (const struct dirent *entry = readdir(stream)) {
    if (++entries > most) {
      closedir(stream);
      return false;
    }
    // DT_UNKNOWN and DT_LNK (a link may lead nowhere) are for the existence test to settle.
    if (entry->d_type == DT_REG || entry->d_type == DT_DIR) visitor(context, entry->d_name, strlen(entry->d_name));
    errno = 0;
  }
  bool complete = errno == 0;
  closedir(stream);
  return complete;
}

#endif

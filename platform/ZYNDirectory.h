// A directory read in one pass, for callers that would otherwise test the existence of many
// names in it one by one.
#ifndef ZYNDirectory_h
#define ZYNDirectory_h

#include <cstddef>

// Called with each listed name (not NUL-terminated) and the context given to ZYNListDirectory.
using ZYNDirectoryVisitor = void (*)(void *context, const char *name, std::size_t length);

// Lists dir (with or without a trailing separator) and hands the visitor every entry that the
// existence test (ZYNFileAccess) of dir, a separator and the name is sure to find: a plain file
// or a directory, spelt exactly as that test spells it. Links and entries of unknown kind are
// left out, and on Windows so are names that are not plain ASCII (the listing is in UTF-16, the
// test in the narrow code page), names the platform would alter (a trailing dot or space) and
// names whose whole path would be over the platform's path bound. Returns false when dir cannot
// be listed, or holds more than most entries of any kind (the listing stops there); the names
// already handed over are then to be forgotten.
bool ZYNListDirectory(const char *dir, std::size_t most, ZYNDirectoryVisitor visitor, void *context);

#endif

// The files the library writes for its callers ("prereq", "ifreq", "to_remove") are written
// whole or not at all, and never through a link planted under their name.
#ifndef ZYNINSWholeFile_h
#define ZYNINSWholeFile_h

#include <string>

// Makes content the whole of the file name: written to a new file created beside it, then
// renamed over the name. A link under the name is replaced, not followed, and a reader sees
// the old file or the new one, never part of either. On any failure the name keeps what it
// held and the new file is removed.
bool ZYNINSWriteWholeFile(const char *name, const std::string &content);

#endif

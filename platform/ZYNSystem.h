// Environment and file stand-ins of the base runtime.
#ifndef ZYNSystem_h
#define ZYNSystem_h

// The value of an environment variable, or null when it is not set.
const char *ZYNGetEnv(const char *name);
// -1 when path does not exist, 0 when it does (mode 0 asks for existence only).
int ZYNFileAccess(const char *path, int mode);
// What a path names, links followed. Only a regular file is read as a catalogue: opening a
// FIFO blocks until a writer comes, and a device may never end.
enum class ZYNFileKind { Missing, Regular, Directory, Other };
ZYNFileKind ZYNGetFileKind(const char *path);
// The platform's directory separator in composed paths.
#if defined(_WIN32)
constexpr char ZYNPathSeparator = '\\';
#else
constexpr char ZYNPathSeparator = '/';
#endif

#endif

// The library writes some answers ("to_remove") into the working directory; the tool
// runs such calls elsewhere so that nothing is left in the user's directory.
#ifndef WorkDir_h
#define WorkDir_h

#include <filesystem>
#include <string>

// Makes the relative entries of ZYNTOC_MSGPATH absolute, so that the message catalogue
// is still found while the working directory is changed.
void AnchorMessagePath();

// Changes into keepDir, or into a private temporary directory when keepDir is empty;
// changes back (and removes the temporary directory) when it goes out of scope.
class ScopedWorkDir {
 public:
  explicit ScopedWorkDir(const std::string &keepDir);
  ~ScopedWorkDir();
  ScopedWorkDir(const ScopedWorkDir &) = delete;
  ScopedWorkDir &operator=(const ScopedWorkDir &) = delete;

  // Content of a file the library wrote there, or nothing when it is missing.
  std::string ReadFile(const std::string &name) const;

 private:
  std::filesystem::path _Previous;
  std::filesystem::path _Dir;
  bool _Temporary;
};

#endif

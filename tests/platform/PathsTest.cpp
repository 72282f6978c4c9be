// Paths the library is handed: a directory named with '\' as well as '/', paths longer than
// Windows' MAX_PATH, which are used whole or refused, never cut, and directories listed.
#include <filesystem>
#include <set>
#include <string>

#include "Probes.h"
#include "TestSupport.h"
#include "ZYNDirectory.h"

namespace {
const std::string kLine = "code:PRD:Unit::::10:20240101000000:LNX:GA1:0:label:\n";
}

using PathsTest = TocTest;

TEST_F(PathsTest, PCFGListIsFoundBesideATocNamedWithABackslash) {
  // On Windows "cat" is a directory; elsewhere both names are files with a '\' in them.
  WriteFile("cat\\TOC", kLine);
  WriteFile("cat\\PCFG.list", "Unit\r\n");
  TocProbe catalogue(Dir() + "/cat\\TOC");
  ASSERT_EQ(catalogue.GetNbToc(), 1);
  EXPECT_TRUE(catalogue.HasPCFGList());
  EXPECT_EQ(catalogue.Visible("Unit"), 1);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(PathsTest, APathLongerThanMaxPathIsNeverCut) {
  // A TOC whose path is 259 characters long, the most MAX_PATH leaves room for ...
  std::string dir(100, 'd');
  std::string shortName = Dir() + "/" + dir + "/";
  shortName += std::string(259 - shortName.size(), 't');
  WriteFile(shortName.substr(Dir().size() + 1), kLine);
  TocProbe loaded(shortName);
  EXPECT_EQ(loaded.GetNbToc(), 1);

  // ... and a longer name that begins with it: a path cut at MAX_PATH would load the first.
  std::string longName = shortName + std::string(60, 'x');
  TocProbe refused(longName);
  EXPECT_EQ(refused.GetNbToc(), -1);
  std::string diagnostics = TakeDiagnostics();
  EXPECT_EQ(diagnostics.rfind("ZYNINSToc::Init  unable to open file " + Dir(), 0), 0u) << diagnostics;
}

// A directory listing hands over the plain files and directories only, and gives up on a
// directory that cannot be read or that holds more entries than asked for.
TEST_F(PathsTest, DirectoryListingHandsOverPlainEntriesUpToItsBound) {
  WriteFile("list/FILE", "");
  WriteFile("list/SUB/inner", "");
#ifndef _WIN32  // wine makes no symbolic links
  std::filesystem::create_symlink("FILE", Dir() + "/list/LINK");
  std::filesystem::create_symlink("nowhere", Dir() + "/list/DANGLING");
#endif
  auto collect = [](void *context, const char *name, std::size_t length) {
    static_cast<std::set<std::string> *>(context)->emplace(name, length);
  };
  std::set<std::string> names;
  ASSERT_TRUE(ZYNListDirectory((Dir() + "/list").c_str(), 100, collect, &names));
  names.erase(".");
  names.erase("..");
  EXPECT_EQ(names, (std::set<std::string>{"FILE", "SUB"}));
  EXPECT_FALSE(ZYNListDirectory((Dir() + "/list/").c_str(), 2, collect, &names));
  EXPECT_FALSE(ZYNListDirectory((Dir() + "/missing").c_str(), 100, collect, &names));
}

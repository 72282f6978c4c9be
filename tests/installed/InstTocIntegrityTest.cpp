// Tests of the installed catalogue's integrity check.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "MaxScaleCatalogues.h"
#include "Probes.h"
#include "TestSupport.h"
#include "ZYNINSControlFiles.h"

namespace {

class InstTocIntegrityTest : public TocTest {
 protected:
  // Runs the check on a catalogue under tests/data; out receives the report.
  int Check(const std::string &name, const char *root, std::string &out) {
    auto toc = LoadInstToc(DataPath("installed/integrity/" + name + ".toc"));
    EXPECT_NE(toc->GetNbToc(), -1) << name;
    std::ostringstream report;
    int result = toc->CheckIntegrity(report, const_cast<char *>(root));
    out = report.str();
    return result;
  }
};

TEST_F(InstTocIntegrityTest, EachCheckReportsItsFindingsAlone) {
  struct Scenario {
    const char *name;
    int result;
  } scenarios[] = {
      {"alone_framework", 0},   // used by a FIX and a GRP only; a zarn product keeps a code framework
      {"alone_fsp", 0},         // named only as a condition by a zarn service pack
      {"prerequisite", 0},      // a prerequisite superseded by an installed unit is fine
      {"both_requisites", 2},   // prerequisite line first, whatever the table order
      {"old_service_pack", 2},  // the pack below the current level is not examined
  };
  for (const Scenario &scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    std::string out;
    EXPECT_EQ(Check(scenario.name, nullptr, out), scenario.result);
    ExpectFileContent(DataPath(std::string("installed/integrity/") + scenario.name + ".out"), out);
  }
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(InstTocIntegrityTest, ConsistentCatalogueWritesNothing) {
  WriteFile("root/control/F", "");
  WriteFile("root/control/P", "");
  WriteFile("root/control/F.1", "");
  WriteFile("root/control/S1", "");
  std::string root = Dir() + "/root", out;
  EXPECT_EQ(Check("consistent", root.c_str(), out), 1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(Check("consistent", nullptr, out), 1);
  EXPECT_EQ(out, "");
}

TEST_F(InstTocIntegrityTest, UnitsWithoutControlFileAreReported) {
  WriteFile("root/control/F", "");
  WriteFile("root/control/P", "");
  WriteFile("root/control/F.1", "");
  std::string root = Dir() + "/root", out;
  EXPECT_EQ(Check("consistent", root.c_str(), out), 0);
  EXPECT_EQ(out, ControlPath(root, "S1") + " : file not found, possible trouble in case of removal\n\n");
}

TEST_F(InstTocIntegrityTest, MissingControlDirectoryReportsEveryUnit) {
  std::string root = Dir() + "/empty", out;
  std::filesystem::create_directories(root);
  EXPECT_EQ(Check("consistent", root.c_str(), out), 0);
  std::string expected;
  for (const char *name : {"F", "P", "F.1", "S1"})
    expected += ControlPath(root, name) + " : file not found, possible trouble in case of removal\n\n";
  EXPECT_EQ(out, expected);

  // A co-requisite finding still decides the code.
  EXPECT_EQ(Check("both_requisites", root.c_str(), out), 2);
  std::string requisites = ReadFile(DataPath("installed/integrity/both_requisites.out"));
  ASSERT_GT(out.size(), requisites.size());
  EXPECT_EQ(out.substr(out.size() - requisites.size()), requisites);
  EXPECT_LT(out.rfind(" : file not found"), out.find(" is a prerequisite"));
}

TEST_F(InstTocIntegrityTest, NamesThatLeaveTheControlDirectoryAreNotFound) {
  // A file wherever such a name would lead: none of these places is looked at.
  WriteFile("root/outside", "");
  WriteFile("root/control/sub/file", "");
  WriteFile("root/control/FINE", "");
#ifndef _WIN32
  WriteFile("root/control/back\\slash", "");  // a file name on POSIX, two on Windows
#endif
  std::string root = Dir() + "/root", out;
  EXPECT_EQ(Check("path_names", root.c_str(), out), 0);
  std::string expected;
  for (const char *name : {"../outside", "sub/file", "back\\slash", ".", "..", ""})
    expected += ControlPath(root, name) + " : file not found, possible trouble in case of removal\n\n";
  EXPECT_EQ(out, expected);
}

TEST_F(InstTocIntegrityTest, RootTooLongForAPathCountsAsNotFound) {
  std::string root(1100, 'r'), out;
  EXPECT_EQ(Check("consistent", root.c_str(), out), 0);
  // One bounded line per unit, each beginning with the root.
  std::istringstream lines(out);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_EQ(line.compare(0, 10, root, 0, 10), 0);
    EXPECT_LT(line.size(), 256u);
  }
  EXPECT_EQ(count, 4);
}

// A relative installation root whose control file for UNIT has a path of exactly length bytes.
// Windows makes no path over MAX_PATH: there, so long a unit is simply missing.
std::string RootForControlPath(std::size_t length) {
  const std::size_t rootLength = length - std::string("/control/UNIT").size();
  std::string root;
  while (rootLength - root.size() > 101) root += std::string(100, 'd') + "/";
  root += std::string(rootLength - root.size(), 'd');
  std::error_code error;
  std::filesystem::create_directories(root + "/control", error);
  std::ofstream(root + "/control/UNIT") << "present\n";
#ifndef _WIN32
  EXPECT_FALSE(error) << "cannot make " << root;
#endif
  return root;
}

// The longest control path that is tested and found: the library's room, with the NUL, or on
// Windows the platform's, which opens no path over MAX_PATH (260 bytes with the NUL and the
// working directory the relative path is resolved in).
std::size_t LongestFoundControlPath(const std::string &workingDir) {
#ifdef _WIN32
  return 260 - 1 - (workingDir.size() + 1);
#else
  (void)workingDir;
  return 1023;
#endif
}

TEST_F(InstTocIntegrityTest, ControlPathsBelowTheBoundAreTestedAndLongerOnesAreNot) {
  auto toc = LoadInstToc(WriteFile("PRESENT", TocLine("code", "PRD", "UNIT")));
  ASSERT_EQ(toc->GetNbToc(), 1);
  std::ostringstream report;
  std::string fits = RootForControlPath(LongestFoundControlPath(Dir()));
  EXPECT_EQ(toc->CheckIntegrity(report, &fits[0]), 1);
  EXPECT_EQ(report.str(), "");
  // Beyond the platform's bound, the unit is reported as missing, whatever the library's room.
  // Over the library's room, the path is not even tested. The finding names the path (cut, as
  // every default text, at its room).
  for (std::size_t length : {std::size_t{1023}, std::size_t{1024}}) {
    if (length <= LongestFoundControlPath(Dir())) continue;
    std::string over = RootForControlPath(length);
    report.str("");
    EXPECT_EQ(toc->CheckIntegrity(report, &over[0]), 0) << length;
    EXPECT_EQ(report.str().rfind(over.substr(0, 200), 0), 0u) << length;
  }
}

// What a unit finds in its control directory, by its position: its file, a directory of its
// name, nothing, a file whose name differs only in case, a link to nothing, a link to a file.
enum class Planted { File, Directory, Nothing, OtherCase, DanglingLink, Link, Kinds };

void Plant(const std::filesystem::path &control, const std::string &name, Planted kind) {
  namespace fs = std::filesystem;
  std::error_code ignored;  // a name this platform cannot hold is simply missing
  std::string otherCase = name;
  for (char &c : otherCase) c = std::islower(static_cast<unsigned char>(c)) ? std::toupper(c) : std::tolower(c);
  switch (kind) {
    case Planted::File: std::ofstream(control / name).put('x'); break;
    case Planted::Directory: fs::create_directory(control / name, ignored); break;
    case Planted::OtherCase: std::ofstream(control / otherCase).put('x'); break;
#ifndef _WIN32  // wine makes no symbolic links: plain files stand for them
    case Planted::DanglingLink: fs::create_symlink("nowhere", control / name, ignored); break;
    case Planted::Link: fs::create_symlink("../PRESENT", control / name, ignored); break;
#else
    case Planted::DanglingLink: std::ofstream(control / name).put('x'); break;
#endif
    default: break;
  }
}

// The check as it reads the control directory once, and as it tests each unit: the same
// findings, in the same order, and the same code, whatever the directory holds. On the
// installed catalogues of the suite, under a missing control directory and under ones that
// hold every kind of entry at every unit by turns, and on the maximum-scale one.
TEST_F(InstTocIntegrityTest, ListingAnswersAsExistenceTestsDo) {
  namespace fs = std::filesystem;
  std::vector<std::string> catalogues;
  for (const auto &file : fs::recursive_directory_iterator(DataPath("")))
    if (file.path().filename() == "PRESENT" || file.path().extension() == ".toc")
      catalogues.push_back(file.path().string());

  auto compare = [](ZYNINSInstToc &toc, std::string root) {
    std::ostringstream tested, read;
    ZYNINSControlFiles::sSetExistenceTestsOnly(true);
    int testedCode = toc.CheckIntegrity(tested, &root[0]);
    int tests = ZYNINSControlFiles::sExistenceTests();
    ZYNINSControlFiles::sSetExistenceTestsOnly(false);
    EXPECT_EQ(toc.CheckIntegrity(read, &root[0]), testedCode);
    EXPECT_EQ(read.str(), tested.str());
    return ZYNINSControlFiles::sExistenceTests() < tests;
  };
  int compared = 0, fewerTests = 0;
  for (const std::string &catalogue : catalogues) {
    auto toc = LoadInstToc(catalogue);
    if (toc->GetNbToc() <= 0) continue;  // not an installed catalogue, or an empty one
    for (int layout = -1; layout < static_cast<int>(Planted::Kinds); ++layout) {
      SCOPED_TRACE(catalogue + ", layout " + std::to_string(layout));
      std::string root = Dir() + "/root" + std::to_string(compared);
      fs::create_directories(root);
      if (layout >= 0) {  // else no control directory at all
        fs::create_directories(root + "/control");
        for (int i = 0; i < toc->GetNbToc(); ++i) {
          std::string name = toc->Entry(i).GetName();
          if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) continue;
          Plant(root + "/control", name, static_cast<Planted>((i + layout) % static_cast<int>(Planted::Kinds)));
        }
      }
      fewerTests += compare(*toc, root);
      ++compared;
    }
  }
  EXPECT_GT(compared, 150);
  EXPECT_GT(fewerTests, compared / 3);

  // At the format's maximum, without a control directory and with every unit's file: then
  // one existence test, which confirms the listing's first answer, instead of one per unit.
  MaxScaleCatalogues full = WriteMaxScaleCatalogues(Dir() + "/full");
  auto toc = LoadInstToc(full.installedToc);
  EXPECT_FALSE(compare(*toc, Dir() + "/root0"));
  EXPECT_TRUE(compare(*toc, full.root));
  std::ostringstream report;
  EXPECT_EQ(toc->CheckIntegrity(report, &full.root[0]), 1);
  EXPECT_EQ(ZYNINSControlFiles::sExistenceTests(), 1);
}

}  // namespace

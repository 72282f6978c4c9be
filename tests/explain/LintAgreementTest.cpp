// The catalogue checks and loading read with the same line reader, so they must agree:
// an error exactly when loading refuses a file, and the first error on the line that
// loading names. Checked on every catalogue file of the test data and on bad inputs
// made here, each read as a medium and as an installed catalogue.
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "TestSupport.h"
#include "ZYNINSExplain.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

namespace fs = std::filesystem;

class LintAgreementTest : public TocTest {
 protected:
  // Loads the file as the kind says, lints it as the same kind, and compares.
  void ExpectAgreement(const std::string &path, ZYNINSLintKind kind) {
    SCOPED_TRACE(path + (kind == ZYNINSLintMedia ? " as a medium" : " as installed"));
    TakeDiagnostics();
    std::string name = path;
    bool refused;
    if (kind == ZYNINSLintMedia) refused = std::make_unique<ZYNINSMediaToc>(&name[0])->GetNbToc() == -1;
    else refused = std::make_unique<ZYNINSInstToc>(&name[0])->GetNbToc() == -1;
    std::string diagnostics = TakeDiagnostics();

    ZYNINSLintReport report = ZYNINSLintFile(path.c_str(), kind);
    EXPECT_EQ(TakeDiagnostics(), "") << "the checks report nothing to the diagnostic stream";
    ASSERT_EQ(report.NbErrors > 0, refused) << diagnostics;
    if (!refused) return;
    const ZYNINSLintFinding &first = report.Findings.front();
    std::smatch named;
    if (std::regex_search(diagnostics, named, std::regex("line number (\\d+)"))) {
      EXPECT_EQ(first.Line, std::stoi(named[1])) << diagnostics << first.Message;
    } else if (diagnostics.find("_NbToc = ") != std::string::npos) {
      EXPECT_EQ(first.Line, 4096) << first.Message;
    } else if (diagnostics.find("unable to open") != std::string::npos) {
      EXPECT_EQ(first.Line, 0) << first.Message;
    }
  }

  void ExpectAgreementBothWays(const std::string &path) {
    ExpectAgreement(path, ZYNINSLintMedia);
    ExpectAgreement(path, ZYNINSLintInstalled);
  }
};

TEST_F(LintAgreementTest, EveryCatalogueOfTheTestData) {
  int files = 0;
  for (const auto &item : fs::recursive_directory_iterator(DataPath(""))) {
    const fs::path &path = item.path();
    std::string name = path.filename().string();
    if (!item.is_regular_file() || (path.extension() != ".toc" && name != "TOC" && name != "PRESENT")) continue;
    ExpectAgreementBothWays(path.string());
    ++files;
  }
  EXPECT_GT(files, 20);
}

TEST_F(LintAgreementTest, BadInputs) {
  const std::string good = "01:3:10:code:PRD:P::::1:t:o:g:0:l:\n";
  const std::string goodInstalled = "code:PRD:P::::1:t:o:g:0:l:\n";
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  std::string manyLines;
  for (int i = 0; i < 4096; ++i) manyLines += "01:" + std::to_string(i + 3) + ":1:code:PRD:P" + std::to_string(i) + "::::1:t:o:g:0:l:\n";
  const std::pair<const char *, std::string> inputs[] = {
      {"empty", ""},
      {"garbage", garbage},
      {"nul-bytes", std::string("01:3:1:code:PRD:P\0Q::::1:t:o:g:0:l:\n\0\0\0\n", 40)},
      {"no-final-newline", good + "01:4:1:code:FIX:F::::1:t:o:g:0:l:"},
      {"huge-line", good + "01:4:1:code:PRD:" + std::string(10 * 1024 * 1024, 'N') + "::::1:t:o:g:0:l:\n"},
      {"many-lines", manyLines},
      {"just-enough-lines", manyLines.substr(0, manyLines.rfind("01:"))},
      {"newlines-only", "\n\n\n"},
      {"crlf", "01:3:10:code:PRD:P::::1:t:o:g:0:l:\r\n" + goodInstalled},
      {"other-os-after-bad-line", good + "01:4:1:code:PRD:Q::::1:t:OTHER:g:0:l:\n01:5:x:code:PRD:R::::1:t:o:g:0:l:\n"},
      {"other-ga", goodInstalled + "zarn:PRD:Q::::1:t:o:G2:0:l:\n"},
      {"duplicate", goodInstalled + goodInstalled},
      {"fsp-alone", goodInstalled + "code:FSP:CORE.1::P ::1:t:o:g:1:l:\n"},
      {"signed-sizes", "01:-3:-1:code:PRD:P::::-1048576:t:o:g:0:l:\n01:4:+1:code:PRD:Q::::-4294967296:t:o:g:0:l:\n"},
      {"path-names", goodInstalled + "code:PRD:../P::::1:t:o:g:0:l:\ncode:PRD:..::::1:t:o:g:0:l:\n"},
  };
  for (const auto &input : inputs) ExpectAgreementBothWays(WriteFile(input.first, input.second));
  ExpectAgreementBothWays(Dir());  // a directory
  ExpectAgreementBothWays(Dir() + "/nowhere");
}

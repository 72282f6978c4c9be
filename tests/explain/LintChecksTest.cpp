// The checks across lines where the samples do not reach: long prerequisite chains,
// how a file's kind is guessed, sequence numbers out of order, line ends.
#include <string>

#include "TestSupport.h"
#include "ZYNINSExplain.h"

class LintChecksTest : public TocTest {
 protected:
  static std::string Line(const std::string &name, const std::string &prereqs, int number = 0) {
    std::string prefix = number > 0 ? "01:" + std::to_string(number) + ":1:" : "";
    return prefix + "code:PRD:" + name + "::" + prereqs + ":" + ":1:t:o:g:0:" + name + ":\n";
  }
  // The findings as "LINE:COLUMN: severity: message" lines.
  static std::string Findings(const ZYNINSLintReport &report) {
    std::string text;
    for (const ZYNINSLintFinding &f : report.Findings)
      text += std::to_string(f.Line) + ":" + std::to_string(f.Column) + ": " +
              (f.Severity == ZYNINSLintError ? "error: " : "warning: ") + f.Message + "\n";
    return text;
  }
};

TEST_F(LintChecksTest, ALongChainClosedIntoACycleIsOneWarning) {
  std::string text;
  const int n = 4000;
  for (int i = 0; i < n; ++i) text += Line("U" + std::to_string(i), "U" + std::to_string((i + 1) % n) + " ");
  ZYNINSLintReport report = ZYNINSLintFile(WriteFile("chain", text).c_str(), ZYNINSLintInstalled);
  ASSERT_EQ(report.NbErrors, 0) << Findings(report);
  ASSERT_EQ(report.NbWarnings, 1) << Findings(report);
  EXPECT_EQ(report.Findings[0].Line, 1);
  EXPECT_NE(report.Findings[0].Message.find("and 3992 more need each other"), std::string::npos);
}

TEST_F(LintChecksTest, KindIsGuessedFromTheFirstLineWithText) {
  EXPECT_EQ(ZYNINSLintFile(WriteFile("m", "\n" + Line("A", "", 3)).c_str(), ZYNINSLintGuess).Kind, ZYNINSLintMedia);
  EXPECT_EQ(ZYNINSLintFile(WriteFile("i", Line("A", "")).c_str(), ZYNINSLintGuess).Kind, ZYNINSLintInstalled);
  EXPECT_EQ(ZYNINSLintFile(WriteFile("e", "").c_str(), ZYNINSLintGuess).Kind, ZYNINSLintInstalled);
}

TEST_F(LintChecksTest, SequenceNumbersTwiceOrBackwards) {
  std::string text = Line("A", "", 5) + Line("B", "", 7) + Line("C", "", 6) + Line("D", "", 7);
  ZYNINSLintReport report = ZYNINSLintFile(WriteFile("TOC", text).c_str(), ZYNINSLintMedia);
  EXPECT_EQ(Findings(report),
            "3:4: warning: sequence number 6 comes after 7 on line 2\n"
            "4:4: warning: sequence number 7 is also on line 2\n");
}

TEST_F(LintChecksTest, ColumnsCountBytesOfTheRawLine) {
  // A CR LF line end and a long prefix shift nothing: columns are bytes of the line as written.
  std::string text = "0000A:3:10:code:PRD:A::NONE ::1:t:o:g:0:l:\r\n"
                     "0000A:4:10:code:PRD:B::::1:t:o:G2:0:l:\r\n";
  ZYNINSLintReport report = ZYNINSLintFile(WriteFile("TOC", text).c_str(), ZYNINSLintMedia);
  EXPECT_EQ(Findings(report),
            "2:32: error: GA level 'G2' disagrees with 'g' of line 1\n"
            "1:24: warning: 'A' needs 'NONE', which no code entry of the file has\n");
}

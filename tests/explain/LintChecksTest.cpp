// The checks across lines where the samples do not reach: long prerequisite chains,
// how a file's kind is guessed, sequence numbers out of order, line ends, and both sides of
// the edges of each check.
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

// Every finding of a file, row by row; each group of rows puts the two sides of an edge
// next to each other.
TEST_F(LintChecksTest, FindingsAtTheEdges) {
  auto media = [](int number, const std::string &name) {
    return "01:" + std::to_string(number) + ":1:" + Line(name, "");
  };
  auto cycle = [](int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += Line("U" + std::to_string(i), "U" + std::to_string((i + 1) % n) + " ");
    return text;
  };
  const std::string eightNames = "'U0' (line 1), 'U1' (line 2), 'U2' (line 3), 'U3' (line 4), 'U4' (line 5), "
                                 "'U5' (line 6), 'U6' (line 7), 'U7' (line 8)";
  const std::string zarnNeedsX = "zarn:PRD:A::X ::1:t:o:g:0:l:\n";
  const std::string codeNeedsX = "code:PRD:A::X ::1:t:o:g:0:l:\n";
  const struct {
    const char *name;
    ZYNINSLintKind kind;
    std::string text;
    std::string findings;
  } rows[] = {
      // Sequence numbers compare as signed numbers, from the first pair of lines on.
      {"negative after positive", ZYNINSLintMedia, media(5, "A") + media(-1, "B"),
       "2:4: warning: sequence number -1 comes after 5 on line 1\n"},
      {"positive after negative", ZYNINSLintMedia, media(-1, "A") + media(5, "B"), ""},
      {"drop after line 1", ZYNINSLintMedia, media(4, "A") + media(3, "B"),
       "2:4: warning: sequence number 3 comes after 4 on line 1\n"},
      // A refused line still gives its name to references: as written, for both types, when
      // refused before the name is read; once it is, for its own type only (a reference from
      // the other type is then rightly missing).
      {"refused before its name", ZYNINSLintInstalled, "zarn:prd:X:\n" + zarnNeedsX,
       "1:6: error: unknown package kind 'prd' (did you mean 'PRD'?)\n"},
      {"refused at its name", ZYNINSLintInstalled, "zarn:PRD:X\n" + zarnNeedsX,
       "1:10: error: the name runs to the end of the line without its ':'\n"},
      {"refused right after its name", ZYNINSLintInstalled, "zarn:PRD:X:\n" + zarnNeedsX,
       "1:12: error: the line ends where the supersede list should begin\n"},
      {"refused right after its name, needed by the other type", ZYNINSLintInstalled,
       "zarn:PRD:X:\n" + codeNeedsX,
       "1:12: error: the line ends where the supersede list should begin\n"
       "2:13: warning: 'A' needs 'X', which no code entry of the file has\n"},
      // A cycle names up to eight units, then counts the rest.
      {"cycle of 8", ZYNINSLintInstalled, cycle(8),
       "1:14: warning: prerequisite cycle: " + eightNames + " need each other\n"},
      {"cycle of 9", ZYNINSLintInstalled, cycle(9),
       "1:14: warning: prerequisite cycle: " + eightNames + " and 1 more need each other\n"},
      // A CR ends the line only before a LF, as loading reads it: on an unterminated last
      // line it is a byte of the last field.
      {"CR without LF", ZYNINSLintInstalled, "code:PRD:A::::1:t:o:g:0\r",
       "1:23: error: the service-pack level '0\\x0D' is not a decimal number\n"},
      {"CR LF", ZYNINSLintInstalled, "code:PRD:A::::1:t:o:g:0\r\n",
       "1:23: error: the service-pack level runs to the end of the line without its ':'\n"},
      // An empty type is unknown, as loading says, unless the line ends there.
      {"empty type, more fields", ZYNINSLintInstalled, ":PRD:A::::1:t:o:g:0:l:\n",
       "1:1: error: unknown type ''\n"},
      {"empty line", ZYNINSLintInstalled, Line("A", "") + "\n",
       "2:1: error: the line ends where the type should begin\n"},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Findings(ZYNINSLintFile(WriteFile("TOC", row.text).c_str(), row.kind)), row.findings);
  }
}

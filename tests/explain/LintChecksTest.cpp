// The checks across lines where the samples do not reach: long prerequisite chains,
// how a file's kind is guessed, sequence numbers out of order, line ends, fields that load
// but do not mean what they seem, and both sides of the edges of each check.
#include <random>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSCycleSearch.h"
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

// On random graphs, the cycle search gives exactly the groups of nodes that reach each other,
// as a closure of the edges finds them.
TEST_F(LintChecksTest, CyclesAreTheGroupsOfNodesThatReachEachOther) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int n = 1 + static_cast<int>(random() % 12);
    std::vector<std::vector<int>> edges(n);
    std::vector<std::vector<bool>> reach(n, std::vector<bool>(n, false));
    for (int edge = static_cast<int>(random() % (2 * n + 1)); edge > 0; --edge) {
      int from = static_cast<int>(random() % n), to = static_cast<int>(random() % n);
      edges[from].push_back(to);
      reach[from][to] = true;
    }
    for (int k = 0; k < n; ++k)
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
          if (reach[i][k] && reach[k][j]) reach[i][j] = true;
    std::set<std::vector<int>> expected;
    for (int i = 0; i < n; ++i) {
      std::vector<int> group;
      for (int j = 0; j < n; ++j)
        if (i == j ? reach[i][i] : reach[i][j] && reach[j][i]) group.push_back(j);
      if (reach[i][i]) expected.insert(group);
    }
    std::vector<std::vector<int>> found = ZYNINSFindCycles(edges);
    EXPECT_EQ(std::set<std::vector<int>>(found.begin(), found.end()), expected) << "round " << round;
    EXPECT_EQ(found.size(), expected.size()) << "round " << round;
  }
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

// Fields that load but do not mean what they seem: a size written with a sign (named with
// the value it loads as) and a name that cannot be a file of the control directory.
TEST_F(LintChecksTest, SignedSizesAndNamesNoControlFileCanHave) {
  const struct {
    ZYNINSLintKind kind;
    const char *line;
    const char *findings;
  } rows[] = {
      {ZYNINSLintInstalled, "code:PRD:P::::-1:t:o:g:0:l:",
       "1:15: warning: the size '-1' is written with a sign: it loads as 4294967295\n"},
      {ZYNINSLintInstalled, "code:PRD:P::::+5:t:o:g:0:l:",
       "1:15: warning: the size '+5' is written with a sign: it loads as 5\n"},
      {ZYNINSLintInstalled, "code:PRD:P:::: -4294967295:t:o:g:0:l:",
       "1:15: warning: the size '-4294967295' is written with a sign: it loads as 1\n"},
      {ZYNINSLintInstalled, "code:PRD:P::::-1048576:t:o:g:0:l:",
       "1:15: warning: the size '-1048576' is written with a sign: it loads as 4293918720\n"},
      {ZYNINSLintInstalled, "code:PRD:P::::-0:t:o:g:0:l:",
       "1:15: warning: the size '-0' is written with a sign: it loads as 0\n"},
      {ZYNINSLintInstalled, "code:PRD:P::::4294967295:t:o:g:0:l:", ""},
      {ZYNINSLintInstalled, "code:PRD:P::::-4294967296:t:o:g:0:l:",
       "1:15: error: the size '-4294967296' is out of range\n"},
      {ZYNINSLintMedia, "01:3:-1:code:PRD:P::::-2:t:o:g:0:l:",
       "1:6: warning: the media size '-1' is written with a sign: it loads as 4294967295\n"
       "1:23: warning: the size '-2' is written with a sign: it loads as 4294967294\n"},
      {ZYNINSLintMedia, "01:-2147483648:+7:code:PRD:P::::1:t:o:g:0:l:",
       "1:16: warning: the media size '+7' is written with a sign: it loads as 7\n"},
      {ZYNINSLintInstalled, "code:PRD:a/b::::1:t:o:g:0:l:",
       "1:10: warning: the name 'a/b' cannot be a file of the control directory: the integrity check reports it "
       "not found\n"},
      {ZYNINSLintInstalled, "code:PRD:..\\PRESENT::::1:t:o:g:0:l:",
       "1:10: warning: the name '..\\x5CPRESENT' cannot be a file of the control directory: the integrity "
       "check reports it not found\n"},
      {ZYNINSLintInstalled, "code:PRD:.::::1:t:o:g:0:l:",
       "1:10: warning: the name '.' cannot be a file of the control directory: the integrity check reports it "
       "not found\n"},
      {ZYNINSLintMedia, "01:3:1:code:PRD:..::::1:t:o:g:0:l:",
       "1:17: warning: the name '..' cannot be a file of the control directory: the integrity check reports it "
       "not found\n"},
      {ZYNINSLintInstalled, "code:PRD:::::1:t:o:g:0:l:",
       "1:10: warning: the name '' cannot be a file of the control directory: the integrity check reports it "
       "not found\n"},
      {ZYNINSLintInstalled, "code:PRD:...::::1:t:o:g:0:l:", ""},
      {ZYNINSLintInstalled, "code:PRD:.hidden::::1:t:o:g:0:l:", ""},
  };
  for (const auto &row : rows) {
    std::string path = WriteFile("TOC", std::string(row.line) + "\n");
    ZYNINSLintReport report = ZYNINSLintFile(path.c_str(), row.kind);
    EXPECT_EQ(Findings(report), row.findings) << row.line;
    for (const ZYNINSLintFinding &finding : report.Findings) EXPECT_EQ(finding.File, path) << row.line;
  }
}

// The escaping the checks quote with and the tool shows catalogue text with: ASCII form,
// and terminal form, which keeps well-formed UTF-8 but for the C1 controls.
TEST_F(LintChecksTest, EscapedTextKeepsOnlyPrintableText) {
  const struct {
    const char *text, *ascii, *terminal;
  } rows[] = {
      {"plain ~text~", "plain ~text~", "plain ~text~"},
      {"a\\b\n", "a\\x5Cb\\x0A", "a\\b\n"},
      {"\x1b[2J\r\a\t\x7f", "\\x1B[2J\\x0D\\x07\\x09\\x7F", "\\x1B[2J\\x0D\\x07\\x09\\x7F"},
      {"caf\xc3\xa9 \xf0\x9f\x98\x80", "caf\\xC3\\xA9 \\xF0\\x9F\\x98\\x80", "caf\xc3\xa9 \xf0\x9f\x98\x80"},
      {"C1 \xc2\x9b \xc2\xa0", "C1 \\xC2\\x9B \\xC2\\xA0", "C1 \\xC2\\x9B \xc2\xa0"},
      // Lone and cut bytes, overlong forms, surrogates, beyond U+10FFFF.
      {"\x9b\xff\xe2\x82", "\\x9B\\xFF\\xE2\\x82", "\\x9B\\xFF\\xE2\\x82"},
      {"\xc0\xaf\xe0\x80\x80\xed\xa0\x80\xf4\x90\x80\x80", "\\xC0\\xAF\\xE0\\x80\\x80\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80",
       "\\xC0\\xAF\\xE0\\x80\\x80\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},
  };
  for (const auto &row : rows) {
    EXPECT_EQ(ZYNINSEscapeText(row.text, ZYNINSTextAscii), row.ascii);
    EXPECT_EQ(ZYNINSEscapeText(row.text, ZYNINSTextTerminal), row.terminal);
    // What the terminal form writes reads the same when escaped again.
    EXPECT_EQ(ZYNINSEscapeText(row.terminal, ZYNINSTextTerminal), row.terminal);
  }
  EXPECT_EQ(ZYNINSEscapeText(std::string("a\0b", 3), ZYNINSTextTerminal), "a\\x00b");
}

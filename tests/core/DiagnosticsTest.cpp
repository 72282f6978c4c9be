// Tests of collecting diagnostics between a reset and a fetch.
#include <sstream>

#include "TestSupport.h"
#include "ZYNINSDiag.h"
#include "ZYNINSToc.h"

using DiagnosticsTest = TocTest;

TEST_F(DiagnosticsTest, MessagesCollectInOrderWithTheirLineEnds) {
  ZYNINSReport("A.Key", "first %s\n", {"one"});
  ZYNINSReport("B.Key", "second %d", {2});
  EXPECT_EQ(TakeDiagnostics(), "first one\n\nsecond 2\n");
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(DiagnosticsTest, FetchedTextStaysValidAndUnchangedUntilTheNextReset) {
  ZYNINSReport("A.Key", "kept");
  char *first = nullptr;
  ZYNINSToc::sGetInfoMsg(first);
  ZYNINSReport("B.Key", "written after the fetch");
  char *second = nullptr;
  ZYNINSToc::sGetInfoMsg(second);
  EXPECT_STREQ(first, "kept\n");
  EXPECT_STREQ(second, "kept\n");
}

TEST_F(DiagnosticsTest, ResetTwiceLeavesNoTrace) {
  ZYNINSReport("A.Key", "gone");
  ZYNINSToc::sResetInfoMsg(nullptr);
  ZYNINSToc::sResetInfoMsg(nullptr);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(DiagnosticsTest, CallersStreamReceivesDiagnosticsAndFetchGivesEmptyText) {
  std::ostringstream *own = new std::ostringstream;  // owned by the library from here on
  ZYNINSToc::sResetInfoMsg(own);
  ZYNINSReport("A.Key", "to the caller %s", {"x"});
  EXPECT_EQ(own->str(), "to the caller x\n");
  char *text = nullptr;
  ZYNINSToc::sGetInfoMsg(text);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "");
}

TEST_F(DiagnosticsTest, ExplicitDestinationBypassesTheDiagnosticStream) {
  std::ostringstream report;
  ZYNINSReport("A.Key", "%s : file not found", {"x"}, &report);
  EXPECT_EQ(report.str(), "x : file not found\n");
  EXPECT_EQ(TakeDiagnostics(), "");
}

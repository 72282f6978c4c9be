// Tests of reading and writing TOC lines.
#include <sstream>
#include <vector>

#include "Probes.h"
#include "TestSupport.h"
#include "ZYNINSLineReader.h"
#include "ZYNINSPrefixReader.h"
#include "ZYNINSUnitTocIO.h"

class LineFormatTest : public TocTest {
 protected:
  // Reads one line into rec; true when the line was accepted.
  bool Read(const std::string &line) {
    rec.Release();
    rec.Clear();
    std::istringstream in(line);
    in >> rec;
    return !in.fail() && !in.bad();
  }
  std::string Write() {
    std::ostringstream out;
    out << rec;
    return out.str();
  }
  ZYNINSUnitToc rec;
};

TEST_F(LineFormatTest, WholeCatalogueReadsBackIntoTheSameLines) {
  std::string text = ReadFile(DataPath("core/canonical.toc"));
  TocProbe catalog(DataPath("core/canonical.toc"));
  ASSERT_EQ(catalog.GetNbToc(), 10);
  std::ostringstream written;
  for (int i = 0; i < catalog.GetNbToc(); ++i) written << catalog.MutableEntry(i);
  EXPECT_EQ(written.str(), text);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LineFormatTest, FieldsLandInTheirMembers) {
  ASSERT_TRUE(Read("code:PRD:ORBITDESK:OLD1  OLD2 :P1 P2 P3:A/B C/D:5400:20240305070809:LNX64:GA7:-2:Orbit Desk:"));
  EXPECT_EQ(rec.GetType(), ZYNINSCode);
  EXPECT_EQ(rec.GetPkg(), ZYNINSPRD);
  EXPECT_STREQ(rec.GetName(), "ORBITDESK");
  ASSERT_EQ(rec.GetNbSupersede(), 2);
  EXPECT_STREQ(rec.GetSupersede(0), "OLD1");
  EXPECT_STREQ(rec.GetSupersede(1), "OLD2");
  ASSERT_EQ(rec.GetNbPrereq(), 3);
  EXPECT_STREQ(rec.GetPrereq(2), "P3");
  ASSERT_EQ(rec.GetNbIfreq(), 2);
  EXPECT_STREQ(rec.GetIfreq(1)->GetCondName(), "C");
  EXPECT_STREQ(rec.GetIfreq(1)->GetReqName(), "D");
  EXPECT_EQ(rec.GetSize(), 5400u);
  EXPECT_STREQ(rec.GetOS(), "LNX64");
  EXPECT_STREQ(rec.GetGALevel(), "GA7");
  EXPECT_EQ(rec.GetSPKLevel(), -2);
  EXPECT_EQ(rec.GetMaxSPKLevel(), 0);
  EXPECT_STREQ(rec.GetLabel(), "Orbit Desk");
}

TEST_F(LineFormatTest, EmptyListsAndLabel) {
  ASSERT_TRUE(Read("zarn:FWK:CORE::::0:20240101000000:ANY:GA1:0::"));
  EXPECT_EQ(rec.GetNbSupersede() + rec.GetNbPrereq() + rec.GetNbIfreq(), 0);
  ASSERT_NE(rec.GetLabel(), nullptr);
  EXPECT_STREQ(rec.GetLabel(), "");
  EXPECT_EQ(Write(), "zarn:FWK:CORE::::0:20240101000000:ANY:GA1:0::\n");
}

TEST_F(LineFormatTest, LabelStopsAtAColonAndMayEndTheLine) {
  ASSERT_TRUE(Read("code:PRD:P::::1:t:o:g:0:Label: with a colon:"));
  EXPECT_STREQ(rec.GetLabel(), "Label");
  ASSERT_TRUE(Read("code:PRD:P::::1:t:o:g:0:No final colon"));
  EXPECT_STREQ(rec.GetLabel(), "No final colon");
}

TEST_F(LineFormatTest, KeywordsAreCaseSensitive) {
  EXPECT_FALSE(Read("Code:PRD:P::::1:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown type: Code\n\n");
  EXPECT_FALSE(Read("code:fwk:P::::1:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown package: fwk\n\n");
  EXPECT_EQ(rec.GetLabel(), nullptr);
}

TEST_F(LineFormatTest, FixAndFspNeedAPrerequisite) {
  EXPECT_FALSE(Read("code:FIX:FX1::::1:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: missing prereq for FX1\n\n");
  EXPECT_FALSE(Read("code:FSP:CORE.SP1::::1:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: missing prereq for CORE.SP1\n\n");
  EXPECT_TRUE(Read("code:SPK:SP1::::1:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LineFormatTest, LinesCutShortAreRejected) {
  const std::string full = "code:FWK:CORE:OLD :P1 :A/B :10:20240101000000:LNX:GA1:3:label:";
  for (size_t cut = 0; cut + 7 < full.size(); ++cut) {
    SCOPED_TRACE(full.substr(0, cut));
    EXPECT_FALSE(Read(full.substr(0, cut)));
  }
  TakeDiagnostics();
  EXPECT_FALSE(Read("code:FWK:CORE:"));
  EXPECT_EQ(rec.GetNbSupersede() + rec.GetNbPrereq() + rec.GetNbIfreq(), 0);
  EXPECT_STREQ(rec.GetLabel(), "");
  EXPECT_EQ(TakeDiagnostics(), "");
  EXPECT_FALSE(Read("code:FIX:FX1:"));
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: missing prereq for FX1\n\n");
}

TEST_F(LineFormatTest, OverWideFieldsRejectTheLine) {
  const std::string name31(31, 'N'), name32(32, 'N');
  EXPECT_TRUE(Read("code:PRD:" + name31 + ":" + name31 + ":" + name31 + ":" + name31 + "/" + name31 + ":1:t:o:g:0:l:"));
  EXPECT_STREQ(rec.GetName(), name31.c_str());
  EXPECT_FALSE(Read("code:PRD:" + name32 + "::::1:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P:" + name32 + "::::1:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P::" + name32 + ":::1:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P:::A/" + name32 + "::1:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P:::" + name32 + "/B::1:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P:::AB::1:t:o:g:0:l:"));  // a pair needs its '/'
  EXPECT_FALSE(Read("code:PRD:P::::1:202403050708091:o:g:0:l:"));
  EXPECT_TRUE(Read("code:PRD:P::::1:20240305070809:1234567:1234567:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P::::1:t:12345678:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P::::1:t:o:12345678:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P::::12x:t:o:g:0:l:"));
  EXPECT_FALSE(Read("code:PRD:P::::99999999999:t:o:g:0:l:"));
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LineFormatTest, NumbersAreDecimalWhateverTheirLeadingZeros) {
  ASSERT_TRUE(Read("code:PRD:P:::: 010:t:o:g:  010:l:"));
  EXPECT_EQ(rec.GetSize(), 10u);
  EXPECT_EQ(rec.GetSPKLevel(), 10);
  // A size written with a sign wraps as unsigned arithmetic does.
  ASSERT_TRUE(Read("code:PRD:P::::-1:t:o:g:0:l:"));
  EXPECT_EQ(rec.GetSize(), 4294967295u);
  ASSERT_TRUE(Read("code:PRD:P::::-4294967295:t:o:g:0:l:"));
  EXPECT_EQ(rec.GetSize(), 1u);
}

TEST_F(LineFormatTest, BinaryGarbageIsRejectedWithoutHarm) {
  std::string garbage("code:PRD:\0\x01\xff:::", 15);
  garbage += std::string(3000, '\xfe') + "\0::";
  EXPECT_FALSE(Read(garbage));
  EXPECT_FALSE(Read(std::string("\0\0\0\0", 4)));
  std::string nulInLabel("code:PRD:P::::1:t:o:g:0:ab\0cd:", 31);
  EXPECT_TRUE(Read(nulInLabel));
  EXPECT_STREQ(rec.GetLabel(), "ab");
  // A NUL would cut a name or list item short without a trace: the line is refused.
  using namespace std::string_literals;
  EXPECT_FALSE(Read("code:PRD:P\0Q::::1:t:o:g:0:l:"s));
  EXPECT_FALSE(Read("code:PRD:P:\0\0OLD:::1:t:o:g:0:l:"s));
  EXPECT_FALSE(Read("code:PRD:P:::A/B\0::1:t:o:g:0:l:"s));
  EXPECT_FALSE(Read("code:PRD:P::::1:t:o\0:g:0:l:"s));
}

TEST_F(LineFormatTest, RecordOperations) {
  ASSERT_TRUE(Read("code:FSP:CORE.SP2.X::CORE ::1:t:o:g:0:l:"));
  char *framework = rec.GetFrameworkName();
  EXPECT_STREQ(framework, "CORE");
  delete[] framework;
  ASSERT_TRUE(Read("code:FWK:CORE::::1:t:o:g:0:l:"));
  framework = rec.GetFrameworkName();
  EXPECT_STREQ(framework, "CORE");
  delete[] framework;
  EXPECT_EQ(rec.RaiseMaxSPKLevel(3), 3);
  EXPECT_EQ(rec.RaiseMaxSPKLevel(-1), 3);
  rec.Release();
  rec.Clear();
  EXPECT_EQ(rec.GetMaxSPKLevel(), 0);
}

// The reader tells where and why it refuses a line: the cases of core/line-faults.txt, whose
// columns the reader's verdicts must give back (update mode writes them from the verdicts).
TEST_F(LineFormatTest, RefusedLinesTellTheFieldTheOffsetAndTheFault) {
  const char *const kFaults[] = {"None",       "CutShort",   "MissingColon",   "TooWide",
                                 "HoldsNul",   "NotDecimal", "OutOfRange",     "UnknownType",
                                 "UnknownPackage", "PairWithoutSlash", "MissingPrereq"};
  const std::string path = DataPath("core/line-faults.txt");
  std::istringstream cases(ReadFile(path));
  std::string actual;
  int checked = 0;
  for (std::string text; std::getline(cases, text); actual += text + "\n") {
    if (text.empty() || text[0] == '#') continue;
    // The reader and the line stay; the seven columns between them come from the verdict.
    const std::string reader = text.substr(0, text.find('|'));
    std::string written = text;
    for (int bar = 0; bar < 8; ++bar) written = written.substr(written.find('|') + 1);
    // The file writes a NUL byte of a line as \0.
    std::string line;
    for (std::size_t at = 0; at < written.size(); ++at) {
      const bool nul = written.compare(at, 2, "\\0") == 0;
      line += nul ? '\0' : written[at];
      at += nul;
    }
    ZYNINSUnitToc entry;
    ZYNINSPrefixToc prefix;
    ZYNINSLineVerdict verdict = reader == "media" ? ZYNINSReadMediaLine(line.data(), line.size(), prefix, entry)
                                                  : ZYNINSReadEntryLine(line.data(), line.size(), entry);
    std::ostringstream columns;
    columns << reader << '|' << kFaults[static_cast<int>(verdict.fault)] << '|'
            << (verdict.inPrefix ? "prefix" : "entry") << '|' << verdict.field << '|' << verdict.offset << '|'
            << verdict.itemOffset << '|' << verdict.length << '|' << verdict.limit << '|' << written;
    text = columns.str();
    ++checked;
  }
  EXPECT_GT(checked, 30);
  ExpectFileContent(path, actual);
  TakeDiagnostics();
}

TEST_F(LineFormatTest, WriterFollowsTheStreamsOwnNumberFormat) {
  ASSERT_TRUE(Read("code:PRD:P:S :Q :A/B :255:t:o:g:-2:label:"));
  EXPECT_EQ(Write(), "code:PRD:P:S :Q :A/B :255:t:o:g:-2:label:\n");
  std::ostringstream out;
  out << std::hex << rec;
  EXPECT_EQ(out.str(), "code:PRD:P:S :Q :A/B :ff:t:o:g:fffffffe:label:\n");
}

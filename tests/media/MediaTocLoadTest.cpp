// Loading a medium's TOC: prefixes, refused lines, the all-fix mark and sequence lookups.
#include <climits>
#include <sstream>
#include <string>

#include "Probes.h"
#include "TestSupport.h"
#include "ZYNINSMediaIndex.h"
#include "ZYNINSMediaToc.h"

namespace {

std::string LoadPath(const std::string &file) { return DataPath("media/load/" + file); }

std::string RefusedLine(int line, const std::string &path) {
  return "Internal error in ZYNINSMediaToc: Init of line number " + std::to_string(line) + " from " + path + "\n\n";
}

class MediaTocLoad : public TocTest {};

TEST_F(MediaTocLoad, ReadsPrefixesWithAndWithoutLeadingZerosInDecimal) {
  MediaTocProbe media(LoadPath("prefixes.toc"));
  EXPECT_EQ(TakeDiagnostics(), "");
  // The last line has no newline and is read like the others.
  ASSERT_EQ(media.GetNbToc(), 5);
  struct Expected {
    char tag;
    int indexI;
    unsigned int mediaSize;
    const char *name;
  } expected[] = {{'A', 3, 120, "P1"}, {'B', 4, 0, "P2"}, {'7', 12, 500, "P3"},
                  {'C', 10, 10, "P4"}, {'D', -7, 4294967295u, "P5"}};
  for (int k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(media.Prefix(k).GetTag(), expected[k].tag);
    EXPECT_EQ(media.Prefix(k).GetIndexI(), expected[k].indexI);
    EXPECT_EQ(media.Prefix(k).GetMediaSize(), expected[k].mediaSize);
    EXPECT_STREQ(media.Name(k), expected[k].name);
  }
  EXPECT_EQ(media.AllFix(), 0);
}

TEST_F(MediaTocLoad, PrefixReaderStopsOnLinesWithoutTag) {
  for (const char *text : {"", "0", "0000000000", "07"}) {
    SCOPED_TRACE(text);
    ZYNINSPrefixToc prefix;
    std::istringstream line(text);
    line >> prefix;
    EXPECT_TRUE(line.fail());
  }
}

// Each refused line is reported by number; the reader's own message comes first.
TEST_F(MediaTocLoad, RefusesLinesWithoutAUsablePrefix) {
  for (const char *file : {"no_prefix.toc", "empty_line.toc", "zeros_line.toc"}) {
    SCOPED_TRACE(file);
    std::string path = LoadPath(file);
    MediaTocProbe media(path);
    EXPECT_EQ(media.GetNbToc(), -1);
    EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown type: \n\n" + RefusedLine(2, path));
  }
}

TEST_F(MediaTocLoad, FailingThirdLineKeepsEarlierLinesButRefusesTheCatalogue) {
  std::string path = LoadPath("bad_third_line.toc");
  MediaTocProbe media(path);
  EXPECT_EQ(media.GetNbToc(), -1);
  EXPECT_STREQ(media.Name(0), "P1");
  EXPECT_STREQ(media.Name(1), "P2");
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSUnitToc: unknown package: XYZ\n\n" + RefusedLine(3, path));
}

TEST_F(MediaTocLoad, RefusesNumbersOutOfRange) {
  for (const char *file : {"huge_sequence.toc", "huge_media_size.toc"}) {
    SCOPED_TRACE(file);
    std::string path = LoadPath(file);
    MediaTocProbe media(path);
    EXPECT_EQ(media.GetNbToc(), -1);
    EXPECT_NE(TakeDiagnostics().find(RefusedLine(2, path)), std::string::npos);
  }
}

TEST_F(MediaTocLoad, MarksMediaOfFixesOnly) {
  EXPECT_EQ(MediaTocProbe(LoadPath("all_fix.toc")).AllFix(), 1);
  EXPECT_EQ(MediaTocProbe(LoadPath("fix_and_product.toc")).AllFix(), 0);
  MediaTocProbe empty(LoadPath("empty.toc"));
  EXPECT_EQ(empty.GetNbToc(), 0);
  EXPECT_EQ(empty.AllFix(), 1);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(MediaTocLoad, SequenceNumbersFromThreeAreFoundInPlace) {
  MediaTocProbe media(LoadPath("numbered_from_three.toc"));
  ZYNINSMediaIndex index(media.Prefixes(), media.GetNbToc());
  EXPECT_EQ(index.Position(3), 0);
  EXPECT_EQ(index.Position(4), 1);
  EXPECT_EQ(index.Position(5), 2);
  EXPECT_EQ(index.Position(2), -1);
  EXPECT_EQ(index.Position(6), -1);
}

TEST_F(MediaTocLoad, SparseAndFarSequenceNumbersAreFoundByLookup) {
  MediaTocProbe media(LoadPath("numbered_sparse.toc"));
  ZYNINSMediaIndex index(media.Prefixes(), media.GetNbToc());
  EXPECT_EQ(index.Position(20), 1);
  EXPECT_EQ(index.Position(25), -1);
  EXPECT_EQ(index.Position(100000), 3);
  EXPECT_EQ(index.Position(INT_MAX), 4);
  EXPECT_EQ(index.Position(INT_MIN), -1);
  EXPECT_EQ(index.Position(-1), -1);
}

TEST_F(MediaTocLoad, DuplicateSequenceNumbers) {
  MediaTocProbe media(LoadPath("duplicate_numbers.toc"));  // numbers 5 9 5 8 8
  ZYNINSMediaIndex index(media.Prefixes(), media.GetNbToc());
  EXPECT_EQ(index.Position(5), 2);  // the line at 5 - 3 carries it
  EXPECT_EQ(index.Position(9), 1);
  EXPECT_EQ(index.Position(8), 3);  // otherwise the first in table order
}

}  // namespace

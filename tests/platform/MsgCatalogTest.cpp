// Tests of the message catalogue stand-in.
#include "TestSupport.h"
#include "ZYNINSDiag.h"
#include "ZYNINSFormat.h"
#include "ZYNMsgCatalog.h"

class MsgCatalogTest : public TocTest {
 protected:
  void UseCatalog(const std::string &text) {
    WriteFile("msg/ZYNWFToc.msg", text);
    SetEnv("ZYNTOC_MSGPATH", Dir() + "/nowhere" + kPathListSeparator + Dir() + "/msg");
  }
};

TEST_F(MsgCatalogTest, WithoutCatalogueTheDefaultTextIsFilledIn) {
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", "%s has %d units\n", {"PRD1", 12}), "PRD1 has 12 units\n");
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", ""), "No default message");
}

TEST_F(MsgCatalogTest, CatalogueTextReplacesTheDefaultWithItsParameters) {
  // The same catalogue reads alike with LF and with CR LF line ends.
  for (const std::string eol : {"\n", "\r\n"}) {
    SCOPED_TRACE(eol.size() == 1 ? "LF" : "CR LF");
    UseCatalog("# translated texts" + eol + eol + "Some.Key = %2 contient %1 unités (100%%)\\n" + eol +
               "Plain.Key=no parameters here" + eol);
    EXPECT_EQ(ZYNINSBuildMessage("Some.Key", "%s has %d units\n", {"PRD1", 12}), "12 contient PRD1 unités (100%)\n");
    EXPECT_EQ(ZYNINSBuildMessage("Plain.Key", "default"), "no parameters here");
  }
}

TEST_F(MsgCatalogTest, KeyMissingFromALoadedCatalogue) {
  UseCatalog("Other.Key = other\n");
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", "default %s", {"x"}), "default x");
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", ""), "No default message ");
}

TEST_F(MsgCatalogTest, MalformedLinesAreSkipped) {
  UseCatalog("no equals sign\n= no key\n%1%9%\nGood.Key = %1 and %7 and %\nTruncated.Key = \\");
  EXPECT_EQ(ZYNINSBuildMessage("Good.Key", "", {"one"}), "one and  and %");
  EXPECT_EQ(ZYNINSBuildMessage("Truncated.Key", ""), "\\");
}

TEST_F(MsgCatalogTest, EscapesAndParametersAtTheirEdges) {
  // A backslash that ends a text stays as written, and nothing follows it.
  ZYNMsgCatalog::Messages messages = ZYNParseMsgCatalog("Ends.Key = a\\\nEscaped.Key = a\\\\\n");
  EXPECT_EQ(messages["Ends.Key"], "a\\");
  EXPECT_EQ(messages["Escaped.Key"], "a\\");
  // %1 to %9 are parameters; %0 and the character after '9' are not.
  UseCatalog("Edges.Key = %0 %1 %9 %:\n");
  EXPECT_EQ(ZYNINSBuildMessage("Edges.Key", "", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}), "%0 a i %:");
}

TEST_F(MsgCatalogTest, CatalogueIsRereadWhenItChanges) {
  UseCatalog("Some.Key = first\n");
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", ""), "first");
  UseCatalog("Some.Key = second text\n");
  EXPECT_EQ(ZYNINSBuildMessage("Some.Key", ""), "second text");
}

TEST_F(MsgCatalogTest, LoadAnswersOneOnlyWhenAFileIsFound) {
  ZYNMsgCatalog catalog;
  EXPECT_EQ(catalog.LoadMsgCatalog("ZYNWFToc", nullptr), 0);
  SetEnv("ZYNTOC_MSGPATH", "");
  EXPECT_EQ(catalog.LoadMsgCatalog("ZYNWFToc", nullptr), 0);
  EXPECT_EQ(ZYNINSMessageCatalogueFile(), "");
  UseCatalog("");
  EXPECT_EQ(catalog.LoadMsgCatalog("ZYNWFToc", nullptr), 1);
  // The file read is the one of the first folder that holds it.
  const std::string folder = Dir() + "/msg", file = ZYNINSMessageCatalogueFile();
  EXPECT_EQ(file.substr(0, folder.size()), folder);
  EXPECT_EQ(file.size(), folder.size() + 1 + std::string("ZYNWFToc.msg").size());
  EXPECT_EQ(file.substr(folder.size() + 1), "ZYNWFToc.msg");
  EXPECT_NE(catalog.GetCatalogMsg("Any").IsEmpty(), 0);
}

TEST_F(MsgCatalogTest, DefaultTextIsBoundedAt255Bytes) {
  std::string longName(600, 'n');
  std::string message = ZYNINSBuildMessage("Some.Key", "unable to open file %s\n", {longName});
  EXPECT_EQ(message.size(), 255u);
  EXPECT_EQ(message.substr(0, 20), "unable to open file ");
}

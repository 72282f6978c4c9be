// The flat interface on missing, foreign or absent catalogues and on indices out of range.
#include <cstring>
#include <string>
#include <vector>

#include "FlatTestSupport.h"

TEST_F(FlatTest, MissingMediumIsShownAndKeptEmpty) {
  std::string path = Dir() + "/no-such-TOC";
  EXPECT_EQ(OpenMedia(path), 1);
  ASSERT_EQ(Shown().size(), 1u);
  std::string expected = "ZYNINSToc::Init  unable to open file " + path + "\n\n";
  EXPECT_EQ(Shown()[0], std::wstring(expected.begin(), expected.end()));

  // A catalogue is kept: it lists nothing and has no GA level.
  char level[8] = {0};
  GetGALevelTOC(level);
  EXPECT_STREQ(level, "");
  int nbProduct = -1, nbConfig = -1, size = -1;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  EXPECT_EQ(nbProduct, 0);
  EXPECT_EQ(nbConfig, 0);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(FlatTest, LoadDiagnosticsAreWidenedFromUtf8) {
  std::string path = Dir() + "/m\xC3\xA9" "dium-\xF0\x9F\x98\x80-\xFF";
  EXPECT_EQ(OpenMedia(path), 1);
  ASSERT_EQ(Shown().size(), 1u);
  std::wstring expected = L"ZYNINSToc::Init  unable to open file " + std::wstring(Dir().begin(), Dir().end()) +
                          L"/m\u00E9dium-\U0001F600-\uFFFD\n\n";
  EXPECT_EQ(Shown()[0], expected);
}

TEST_F(FlatTest, DefaultMessageBoxWritesUtf8ToStandardError) {
#if defined(_WIN32)
  GTEST_SKIP() << "the default handler on Windows shows a message box, which no test may wait for";
#endif
  ZYNSetMessageBoxHandler(nullptr);
  std::string path = Dir() + "/caf\xC3\xA9";
  testing::internal::CaptureStderr();
  EXPECT_EQ(OpenMedia(path), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "ZYNINSToc::Init  unable to open file " + path + "\n\n\n");
}

TEST_F(FlatTest, MessageBoxHandlerSwapReturnsThePreviousOne) {
  ZYNMessageBoxHandler recording = ZYNSetMessageBoxHandler(nullptr);
  EXPECT_NE(recording, nullptr);
  EXPECT_EQ(ZYNSetMessageBoxHandler(recording), nullptr);
  EXPECT_EQ(ZYNSetMessageBoxHandler(recording), recording);
}

TEST_F(FlatTest, ForeignMediumFailsPlanningAndKeepsTheInstallList) {
  OpenSample();
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  SelectAll();
  char message[1100];
  ASSERT_EQ(GetSpaceRequired(&size, message), 0);
  std::vector<std::string> planned = InstallList();
  ASSERT_EQ(planned.size(), 6u);

  EXPECT_EQ(OpenMedia(DataPath("flat/other-os/TOC")), 0);
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  EXPECT_EQ(nbProduct, 1);
  EXPECT_EQ(size, 0);  // planning failed
  SelectAll();
  memset(message, '#', sizeof message);
  EXPECT_EQ(GetSpaceRequired(&size, message), -1);
  EXPECT_EQ(size, -1);
  std::string text =
      "Invalid Media: it's forbidden to install win operating system data onto lnx operating system installation\n\n";
  EXPECT_EQ(std::string(message), text);
  EXPECT_EQ(message[1023], '\0');  // padded with NULs up to the buffer's size
  EXPECT_EQ(message[1024], '#');
  EXPECT_EQ(InstallList(), planned);
}

TEST_F(FlatTest, PlanningTextIsCutAtTheMessageBuffer) {
  // Forty code products planned as zarn: each one is reported as not found.
  std::string toc;
  for (int i = 0; i < 40; ++i)
    toc += "0A:" + std::to_string(i + 3) + ":1:code:PRD:PRODUCT_NUMBER_" + std::to_string(10 + i) +
           "::::1:20250101120000:lnx:R21:0:Product " + std::to_string(i) + ":\n";
  ASSERT_EQ(OpenMedia(WriteFile("long/TOC", toc)), 0);
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProductZARN(&nbProduct, &nbConfig, &size);
  ASSERT_EQ(nbProduct, 40);
  SelectAll();
  char message[1100];
  memset(message, '#', sizeof message);
  EXPECT_EQ(GetSpaceRequiredZARN(&size, message), -1);
  EXPECT_EQ(size, -1);
  std::string first = "PRODUCT_NUMBER_10 zarn is not found on the media\n\n";
  EXPECT_EQ(std::string(message, first.size()), first);
  EXPECT_NE(message[1023], '\0');
  EXPECT_EQ(message[1024], '#');
}

TEST_F(FlatTest, PlanningFailureWithoutTextGivesSizeOnly) {
  // A framework service pack cannot be planned without an installation, and nothing says why.
  std::string toc =
      "0A:3:1:code:FWK:FW::::10:20250101120000:lnx:R21:0:Framework:\n"
      "0A:4:1:code:FSP:FW.SP1::FW::10:20250101120000:lnx:R21:1:Framework pack:\n"
      "0A:5:1:code:PRD:APP::FW.SP1::10:20250101120000:lnx:R21:0:Application:\n";
  ASSERT_EQ(OpenMedia(WriteFile("fsp/TOC", toc)), 0);
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  ASSERT_EQ(nbProduct, 1);
  EXPECT_EQ(size, 0);
  SelectAll();
  char message[8] = "keep";
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, -1);
  EXPECT_STREQ(message, "keep");
  EXPECT_TRUE(InstallList().empty());
}

TEST_F(FlatTest, CallsBeforeOpeningLeaveTheirOutputs) {
  char level[8] = "abc";
  EXPECT_EQ(GetGALevelTOC(level), 0);
  EXPECT_STREQ(level, "abc");
  int spLevel = 42;
  EXPECT_EQ(GetSPLevel(&spLevel), 0);
  EXPECT_EQ(spLevel, 42);

  int nbProduct = -1, nbConfig = -1, size = -1, count = -1;
  EXPECT_EQ(GenerateListProduct(&nbProduct, &nbConfig, &size), 0);
  EXPECT_EQ(nbProduct + nbConfig + size, 0);
  EXPECT_EQ(GenerateInstalledZARN(&count), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(CheckInteg(nullptr), 0);
  EXPECT_EQ(CheckUnloadProduct(), 0);
  EXPECT_EQ(CheckUnloadProductZARN(), 0);
  char message[1024] = "untouched";
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, 0);
  EXPECT_STREQ(message, "untouched");
  EXPECT_TRUE(InstallList().empty());

  // A media catalogue without an installed one: nothing is installed, so everything is offered.
  ASSERT_EQ(OpenMedia(DataPath("flat/medium/TOC")), 0);
  EXPECT_EQ(CheckUnloadProduct(), 0);
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  EXPECT_EQ(nbProduct, 4);
  EXPECT_EQ(nbConfig, 3);
}

TEST_F(FlatTest, IndicesOutOfRangeCopyEmptyText) {
  OpenSample();
  int nbProduct = 0, nbConfig = 0, size = 0, count = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  GenerateInstalled(&count);
  SelectAll();
  char buffer[32];
  using Getter = int (*)(int, char *);
  struct Case {
    Getter get;
    int count;
  } cases[] = {{GetiemeProductLabel, nbProduct}, {GetiemeConfigLabel, nbConfig},
               {GetiemeProdSelect, nbProduct},   {GetiemeConfigSelect, nbConfig},
               {GetiemeInstallProduct, count},   {GetiemeCAF, static_cast<int>(InstallList().size())}};
  for (const Case &c : cases) {
    for (int i : {-1, c.count, 1 << 30}) {
      memset(buffer, 'x', sizeof buffer);
      EXPECT_EQ(c.get(i, buffer), 0);
      EXPECT_EQ(buffer[0], '\0') << "index " << i;
    }
  }
}

TEST_F(FlatTest, LongLabelsAreCutAtTheLabelBuffer) {
  std::string label(1500, 'L');
  ASSERT_EQ(OpenMedia(WriteFile("labels/TOC", "0A:3:1:code:PRD:BIG::::1:20250101120000:lnx:R21:0:" + label + ":\n")), 0);
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  ASSERT_EQ(nbProduct, 1);
  char buffer[1100];
  memset(buffer, '#', sizeof buffer);
  GetiemeProductLabel(0, buffer);
  EXPECT_EQ(std::string(buffer), label.substr(0, 1023));
  EXPECT_EQ(buffer[1024], '#');

  // The selection keeps the whole label and still plans it.
  SelectAll();
  memset(buffer, '#', sizeof buffer);
  GetiemeProdSelect(0, buffer);
  EXPECT_EQ(std::string(buffer), label.substr(0, 1023));
  char message[1024];
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(InstallList(), std::vector<std::string>{"BIG"});
}

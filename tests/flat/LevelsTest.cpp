// Levels of the installation named by ZYNInstallPath, read without any setup state.
#include <string>

#include "FlatTestSupport.h"

class LevelsTest : public FlatTest {
 protected:
  void TearDown() override {
    UnsetEnv("ZYNInstallPath");
    FlatTest::TearDown();
  }
  static void Root(const std::string &root) { SetEnv("ZYNInstallPath", root); }

  // What both functions write for one message, each naming itself.
  static std::string Twice(const std::string &before, const std::string &after) {
    return before + "ZYNGetGALevel" + after + before + "ZYNGetSPKLevel" + after;
  }
  // Both functions fail; returns what they wrote to the standard error stream.
  static std::string FailedLevels() {
    testing::internal::CaptureStderr();
    EXPECT_EQ(ZYNGetGALevel(), nullptr);
    EXPECT_EQ(ZYNGetSPKLevel(), -1);
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(LevelsTest, InstallationLevelsAndLastingGAText) {
  Root(DataPath("flat/install"));
  const char *first = ZYNGetGALevel();
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first, "R21");
  EXPECT_EQ(ZYNGetSPKLevel(), 1);

  // Each call reads the installation anew; an earlier text stays valid.
  Root(DataPath("flat/upgraded"));
  const char *second = ZYNGetGALevel();
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(second, "R22");
  EXPECT_EQ(ZYNGetSPKLevel(), 3);
  EXPECT_STREQ(first, "R21");
  Root(DataPath("flat/install"));
  EXPECT_EQ(ZYNGetGALevel(), first);
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(LevelsTest, MissingOrEmptyInstallPath) {
  std::string expected = Twice(" Error ( ", " ) : ZYNInstallPath is not set. Verify your environment.\n\n");
  UnsetEnv("ZYNInstallPath");
  EXPECT_EQ(FailedLevels(), expected);
  Root("");
  EXPECT_EQ(FailedLevels(), expected);
}

TEST_F(LevelsTest, RootWithoutInstalledCatalogue) {
  Root(Dir());
  std::string path = ControlPath(Dir(), "PRESENT");
  EXPECT_EQ(FailedLevels(), Twice(" Error ( ", " ) : File " + path + " is not found. Check Setup integrity.\n\n"));

  // Too long for the path buffer: refused the same way, never composed past it.
  // An empty catalogue is there and would load.
  std::string deep;
  for (int i = 0; i < 10; ++i) deep += "/" + std::string(100, 'd');
  WriteFile(deep.substr(1) + "/control/PRESENT", "");
  Root(Dir() + deep);
  std::string text = FailedLevels();
  EXPECT_EQ(text.find(" Error ( ZYNGetGALevel ) : File "), 0u);
  EXPECT_NE(text.find(" Error ( ZYNGetSPKLevel ) : File "), std::string::npos);
}

TEST_F(LevelsTest, CatalogueWithABadLine) {
  Root(DataPath("flat/badline"));
  std::string text = FailedLevels();
  EXPECT_EQ(text.find(" Error ( ZYNGetGALevel ) : ZYNINSUnitToc: unknown package: XYZ\n"), 0u) << text;
  EXPECT_NE(text.find(" Error ( ZYNGetSPKLevel ) : ZYNINSUnitToc: unknown package: XYZ\n"), std::string::npos);
  EXPECT_EQ(TakeDiagnostics(), "");
}

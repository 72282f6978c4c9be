// Whole runs of a setup front end on the sample medium and installation.
#include <string>
#include <utility>
#include <vector>

#include "FlatTestSupport.h"

using Labels = std::vector<std::string>;

TEST_F(FlatTest, CodeRunListsSelectsPlansInstallsAndChecksUnload) {
  OpenSample();
  char level[8] = "xxxxxxx";
  GetGALevelTOC(level);
  EXPECT_EQ(std::string(level), "R21xxxx");  // no NUL of its own
  int spLevel = -7;
  GetSPLevel(&spLevel);
  EXPECT_EQ(spLevel, 1);

  // DRAFT is installed, DRAFTOLD superseded, HIDDEN kept out by PCFG.list, STARTER installed.
  int nbProduct = -1, nbConfig = -1, size = -1;
  EXPECT_EQ(GenerateListProduct(&nbProduct, &nbConfig, &size), 0);
  ASSERT_EQ(nbProduct, 2);
  ASSERT_EQ(nbConfig, 2);
  EXPECT_EQ(OfferedProducts(nbProduct), (Labels{"Meshing", "Rendering"}));
  EXPECT_EQ(OfferedConfigs(nbConfig), (Labels{"Full set", "Render set"}));
  // Everything offered: 2050 + 40 + 1500 + 2000 + 800 + 300 + 400 = 7090 bytes.
  EXPECT_EQ(size, 6);
  EXPECT_EQ(TakeDiagnostics(), "");
  EXPECT_EQ(InstallList().size(), 6u);

  StockSelectedProdLabel("Meshing");
  StockSelectedProdLabel("Rendering");
  StockSelectedConfigLabel("Render set");
  EXPECT_EQ(SelectedProducts(), (Labels{"Meshing", "Rendering"}));
  EXPECT_EQ(SelectedConfigs(), (Labels{"Render set"}));

  char message[1024];
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, 4);  // 2000 + 800 + 1500 + 40 + 300 + 400 = 5040
  ExpectLines(DataPath("flat/expected-install-list"), InstallList());

  // The front end installs and records the new units in the installed catalogue.
  std::string present = Dir() + "/PRESENT";
  std::string original = DataPath("flat/install/control/PRESENT");
  std::string additions = DataPath("flat/installed-additions");
  EXPECT_EQ(CheckUnloadProduct(), 0);
  EXPECT_EQ(UpdatePresent(&present[0], &original[0]), 0);
  EXPECT_EQ(ReadFile(present), ReadFile(original));
  EXPECT_EQ(UpdatePresent(&present[0], &additions[0]), 0);
  EXPECT_EQ(ReadFile(present), ReadFile(original) + ReadFile(additions));

  EXPECT_EQ(OpenInstalled(present, 1), 0);
  EXPECT_EQ(CheckUnloadProduct(), 1);
  EXPECT_EQ(GenerateListProduct(&nbProduct, &nbConfig, &size), 0);
  EXPECT_EQ(nbProduct, 0);
  EXPECT_EQ(nbConfig, 0);
  EXPECT_EQ(size, 0);
  int count = -1;
  EXPECT_EQ(GenerateInstalled(&count), 0);
  EXPECT_EQ(count, 6);  // FULLSET, RENDERSET, STARTER, then DRAFT, MESH, RENDER
  char label[64];
  GetiemeInstallProduct(3, label);
  EXPECT_STREQ(label, "Drafting");
}

TEST_F(FlatTest, ZarnRunOffersInstalledCodeProductsAndPlansZarnUnits) {
  OpenSample();
  int before = -1;
  GetnbCAF(&before);

  TakeDiagnostics();  // a fresh collection, since opening fetched the last one
  int nbProduct = -1, nbConfig = -1, size = -1;
  EXPECT_EQ(GenerateListProductZARN(&nbProduct, &nbConfig, &size), 0);
  ASSERT_EQ(nbProduct, 5);
  ASSERT_EQ(nbConfig, 3);
  // The installed code DRAFT is still offered: the installed check looks at zarn units.
  ExpectLines(DataPath("flat/expected-zarn-products"), OfferedProducts(nbProduct));
  // Code-only units are not found as zarn on the medium: planning fails, size 0, the
  // messages stay in the buffer and the install list stays as it was.
  EXPECT_EQ(size, 0);
  std::string reported = TakeDiagnostics();
  EXPECT_NE(reported.find("FULLSET zarn is not found on the media\n"), std::string::npos) << reported;
  int after = -2;
  GetnbCAF(&after);
  EXPECT_EQ(after, before);

  StockSelectedProdLabel("Viewer data");
  StockSelectedProdLabel("Drafting");
  char message[1024];
  EXPECT_EQ(GetSpaceRequiredZARN(&size, message), 0);
  EXPECT_EQ(size, 3);  // 2048 + 1024, nothing added for zarn
  EXPECT_EQ(InstallList(), (Labels{"DRAFT", "ZVIEW"}));

  EXPECT_EQ(CheckUnloadProductZARN(), 0);

  int count = -1;
  GenerateInstalledZARN(&count);
  EXPECT_EQ(count, 3);
  char label[64];
  GetiemeInstallProduct(2, label);
  EXPECT_STREQ(label, "Notes data");
  GenerateInstalled(&count);
  EXPECT_EQ(count, 2);
}

TEST_F(FlatTest, SelectionIsKeptAsCopiesAndClearedPerKind) {
  OpenSample();
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);

  std::string picked = "Meshing";
  StockSelectedProdLabel(picked.c_str());
  picked = "Changed";
  EXPECT_EQ(SelectedProducts(), (Labels{"Meshing"}));

  ClearSelectAll();
  SelectAll();
  EXPECT_EQ(SelectedConfigs(), (Labels{"Full set", "Render set"}));
  EXPECT_EQ(SelectedProducts(), (Labels{"Meshing", "Rendering"}));
  // Full: a further pick is ignored.
  StockSelectedProdLabel("Meshing");
  EXPECT_EQ(SelectedProducts().size(), 2u);

  ClearNbProdSelect();
  EXPECT_TRUE(SelectedProducts().empty());
  EXPECT_EQ(SelectedConfigs().size(), 2u);
  ClearNbConfigSelect();
  EXPECT_TRUE(SelectedConfigs().empty());
  char message[1024];
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(InstallList().empty());

  // The same label twice plans its unit once.
  StockSelectedProdLabel("Meshing");
  StockSelectedProdLabel("Meshing");
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, 2);  // 800 + 1500 + 400
  EXPECT_EQ(InstallList(), (Labels{"MESHFW", "MESH"}));
  ClearNbProdSelect();

  SelectAll();
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  EXPECT_EQ(nbProduct, 2);
  EXPECT_EQ(nbConfig, 2);
  EXPECT_TRUE(SelectedProducts().empty());
  EXPECT_TRUE(SelectedConfigs().empty());
}

// A label that several units share, selected as often as the selection has room: each unit is
// requested once, and the request fits the room of the offered count.
TEST_F(FlatTest, ASharedLabelSelectedOverAndOverRequestsEachUnitOnce) {
  std::string toc = WriteFile("medium/TOC", TocLine("code", "PRD", "P1").Label("Same").OnMedia(3) +
                                                TocLine("code", "PRD", "P2").Label("Same").OnMedia(4) +
                                                TocLine("code", "PRD", "P3").Label("Same").OnMedia(5));
  ASSERT_EQ(OpenMedia(toc), 0);
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  ASSERT_EQ(nbProduct, 3);
  for (int i = 0; i < nbProduct; ++i) StockSelectedProdLabel("Same");
  char message[1024];
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(InstallList(), (Labels{"P1", "P2", "P3"}));
}

TEST_F(FlatTest, IntegrityExaminesTheCatalogueOpenedForIt) {
  OpenSample();
  std::string root = DataPath("flat/install");
  EXPECT_EQ(OpenInstalled(DataPath("flat/install/control/PRESENT"), 0), 0);
  EXPECT_EQ(CheckInteg(&root[0]), 1);
  std::string bare = Dir();
  EXPECT_EQ(CheckInteg(&bare[0]), 0);  // no control files there

  // A lone framework and a missing co-requisite: the co-requisite decides.
  EXPECT_EQ(OpenInstalled(DataPath("flat/integrity/PRESENT"), 2), 0);
  EXPECT_EQ(CheckInteg(nullptr), 2);
  int spLevel = -1;
  GetSPLevel(&spLevel);
  EXPECT_EQ(spLevel, 1);  // still the catalogue opened with selector 1
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(FlatTest, ListsBuiltFromAReplacedMediumStayReadable) {
  OpenSample();
  int nbProduct = 0, nbConfig = 0, size = 0;
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  StockSelectedConfigLabel("Full set");
  EXPECT_EQ(OpenMedia(DataPath("flat/medium/TOC")), 0);
  EXPECT_EQ(OfferedProducts(nbProduct), (Labels{"Meshing", "Rendering"}));
  char message[1024];
  EXPECT_EQ(GetSpaceRequired(&size, message), 0);
  EXPECT_EQ(size, 6);
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  EXPECT_EQ(OfferedConfigs(nbConfig), (Labels{"Full set", "Render set"}));
}

// A medium is fully installed only when every product and every configuration on it is
// installed or superseded; a medium offering neither counts as fully installed too.
TEST_F(FlatTest, UnloadCheckNeedsEveryProductAndEveryConfiguration) {
  const std::string base = TocLine("code", "FWK", "BASE");
  ASSERT_EQ(OpenInstalled(WriteFile("control/PRESENT", base + TocLine("code", "PRD", "P1").Prereqs("BASE ") +
                                                           TocLine("code", "SLT", "C2").Prereqs("BASE ")),
                          1),
            0);
  const std::string onBase = "BASE ";
  struct Case {
    const char *name;
    std::vector<std::pair<const char *, const char *>> units;  // package kind and name besides BASE
    int unloaded;
  } cases[] = {
      {"every product installed, a configuration not", {{"PRD", "P1"}, {"SLT", "C1"}}, 0},
      {"no product, a configuration not installed", {{"SLT", "C1"}}, 0},
      {"a product not installed, every configuration installed", {{"PRD", "P9"}, {"SLT", "C2"}}, 0},
      {"every product and configuration installed", {{"PRD", "P1"}, {"SLT", "C2"}}, 1},
      {"neither products nor configurations", {}, 1},
  };
  int number = 3;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string medium = TocLine("code", "FWK", "BASE").OnMedia(number++);
    for (const auto &unit : c.units)
      medium += TocLine("code", unit.first, unit.second).Prereqs(onBase).OnMedia(number++);
    ASSERT_EQ(OpenMedia(WriteFile(std::string("media/") + std::to_string(number) + "/TOC", medium)), 0);
    EXPECT_EQ(CheckUnloadProduct(), c.unloaded);
  }
}

// The KiB figures divide the unsigned total: a 3 GB unit is not negative, and units of about
// 4 GiB each saturate instead of wrapping to almost nothing. Everything offered and everything
// selected are the same units here, so both figures are the row's.
TEST_F(FlatTest, SpaceFiguresDivideTheUnsignedTotal) {
  struct Row {
    const char *what;
    const char *type;
    std::vector<unsigned long long> sizes;  // of the products on the medium
    int kib;
  } rows[] = {
      {"a 3 GB unit", "code", {3000000000ull}, 2929687},  // 3000000400 bytes
      {"two units of about 4 GiB", "code", {4294000000ull, 4294000000ull}, 4194303},  // 0xFFFFFFFE bytes
      {"2^31 - 1 bytes", "code", {1073741823ull, 1073741424ull}, 2097151},
      {"2^31 bytes", "code", {1073741824ull, 1073741424ull}, 2097152},
      {"2^31 - 1 bytes of zarn", "zarn", {2147483647ull}, 2097151},
      {"2^31 bytes of zarn", "zarn", {2147483647ull, 1}, 2097152},
      {"the largest size twice, zarn", "zarn", {0xFFFFFFFFull, 0xFFFFFFFFull}, 4194303},
  };
  int number = 0;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what);
    const bool zarn = std::string(row.type) == "zarn";
    std::string medium;
    for (unsigned long long size : row.sizes) {
      ++number;
      medium += TocLine(row.type, "PRD", "P" + std::to_string(number)).Size(size).OnMedia(number);
    }
    ASSERT_EQ(OpenMedia(WriteFile("media" + std::to_string(number) + "/TOC", medium)), 0);
    int nbProduct = 0, nbConfig = 0, size = 0;
    (zarn ? GenerateListProductZARN : GenerateListProduct)(&nbProduct, &nbConfig, &size);
    ASSERT_EQ(nbProduct, static_cast<int>(row.sizes.size()));
    EXPECT_EQ(size, row.kib) << "offered";
    SelectAll();
    char message[1024];
    size = 0;
    EXPECT_EQ((zarn ? GetSpaceRequiredZARN : GetSpaceRequired)(&size, message), 0);
    EXPECT_EQ(size, row.kib) << "selected";
  }
}

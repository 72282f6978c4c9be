// Test support of the flat interface: recorded message boxes and label lists.
#include "FlatTestSupport.h"


#include "ZYNINSSetupState.h"

namespace {

void ZYNTOC_CALL RecordMessage(const wchar_t *text) { FlatTestShown().push_back(text); }

template <typename Getter>
std::vector<std::string> Labels(int count, Getter get) {
  std::vector<std::string> labels;
  for (int i = 0; i < count; ++i) {
    char label[1024] = {0};
    get(i, label);
    labels.push_back(label);
  }
  return labels;
}

}  // namespace

std::vector<std::wstring> &FlatTestShown() {
  static std::vector<std::wstring> shown;
  return shown;
}

std::vector<std::wstring> &FlatTest::Shown() { return FlatTestShown(); }

void FlatTest::SetUp() {
  TocTest::SetUp();
  ZYNINSSetupReset();
  Shown().clear();
  ZYNSetMessageBoxHandler(RecordMessage);
}

void FlatTest::TearDown() {
  ZYNSetMessageBoxHandler(nullptr);
  ZYNINSSetupReset();
  TocTest::TearDown();
}

void FlatTest::OpenSample() {
  ASSERT_EQ(OpenMedia(DataPath("flat/medium/TOC")), 0);
  ASSERT_EQ(OpenInstalled(DataPath("flat/install/control/PRESENT"), 1), 0);
  ASSERT_TRUE(Shown().empty());
}

int FlatTest::OpenMedia(const std::string &path) {
  std::string name = path;
  return newMediaToc(&name[0]);
}

int FlatTest::OpenInstalled(const std::string &path, int selector) {
  std::string name = path;
  return newInstToc(&name[0], selector);
}

std::vector<std::string> FlatTest::OfferedProducts(int count) { return Labels(count, GetiemeProductLabel); }

std::vector<std::string> FlatTest::OfferedConfigs(int count) { return Labels(count, GetiemeConfigLabel); }

std::vector<std::string> FlatTest::SelectedProducts() {
  int count = -1;
  GetNbProdSelect(&count);
  return Labels(count, GetiemeProdSelect);
}

std::vector<std::string> FlatTest::SelectedConfigs() {
  int count = -1;
  GetNbConfigSelect(&count);
  return Labels(count, GetiemeConfigSelect);
}

std::vector<std::string> FlatTest::InstallList() {
  int count = -1;
  GetnbCAF(&count);
  return Labels(count, GetiemeCAF);
}

void ExpectLines(const std::string &path, const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines) text += line + "\n";
  ExpectFileContent(path, text);
}

// Fixture of the flat-interface tests: an empty setup state and a message box that records.
#ifndef FlatTestSupport_h
#define FlatTestSupport_h

#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSFlat.h"

class FlatTest : public TocTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Texts the message box was asked to show, in order.
  static std::vector<std::wstring> &Shown();

  // Opens the sample medium and installation with selector 1.
  void OpenSample();

  static int OpenMedia(const std::string &path);
  static int OpenInstalled(const std::string &path, int selector);

  // Labels of the offered units, of the selection, of the installed list and the install list.
  static std::vector<std::string> OfferedProducts(int count);
  static std::vector<std::string> OfferedConfigs(int count);
  static std::vector<std::string> SelectedProducts();
  static std::vector<std::string> SelectedConfigs();
  static std::vector<std::string> InstallList();
};

std::vector<std::wstring> &FlatTestShown();

// Compares lines with those of an expected file, or rewrites it in update mode.
void ExpectLines(const std::string &path, const std::vector<std::string> &lines);

#endif

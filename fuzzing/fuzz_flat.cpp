// The flat interface driven as a setup front end would, in any order. Input: the
// medium's TOC, "%%", its PCFG.list, "%%", the installed catalogue, "%%", the calls:
// each byte picks a call, the bytes after it pick its arguments.
#include <sys/stat.h>

#include <cstring>
#include <cwchar>
#include <iostream>
#include <string>

#include "FuzzSupport.h"
#include "ZYNINSFlat.h"
#include "ZYNINSSetupState.h"

namespace {

// Room a front end gives a label, a name of the install list, a GetSpaceRequired message.
constexpr size_t kLabelRoom = 1024;
constexpr size_t kNameRoom = 32;
constexpr size_t kMessageRoom = 1025;
// Calls per input: enough for any sequence of the front end's steps.
constexpr int kMaxCalls = 48;
constexpr long kMostAppended = 1 << 20;  // bytes

void ZYNTOC_CALL ReadMessageBox(const wchar_t *text) {
  volatile size_t length = wcslen(text);
  (void)length;
}

struct Files {
  std::string medium, installed, missing, root;
  // One of the files a front end could name, or a missing one.
  char *Pick(unsigned choice) {
    std::string *files[] = {&medium, &installed, &missing};
    return &(*files[choice % 3])[0];
  }
};

struct Counts {
  int product = 0, config = 0, installed = 0;
};

// A label from the offered ones, or a text of the input.
std::string PickLabel(zynfuzz::ByteReader &calls, int (*getter)(int, char *), int count) {
  char label[kLabelRoom] = {};
  if (calls.Byte() & 1) return calls.Text(40);
  getter(calls.Index(count), label);
  return label;
}

void Call(zynfuzz::ByteReader &calls, Files &files, Counts &counts) {
  char label[kLabelRoom];
  char message[kMessageRoom] = {};
  int value = 0, other = 0;
  memset(label, 0, sizeof label);
  switch (calls.Byte() % 31) {
    case 0: newMediaToc(files.Pick(calls.Byte())); break;
    case 1: newInstToc(files.Pick(calls.Byte()), static_cast<int>(calls.Byte() % 3)); break;
    case 2: GetGALevelTOC(label); break;
    case 3: GetSPLevel(&value); break;
    case 4: GenerateListProduct(&counts.product, &counts.config, &value); break;
    case 5: GenerateListProductZARN(&counts.product, &counts.config, &value); break;
    case 6: GetiemeProductLabel(calls.Index(counts.product), label); break;
    case 7: GetiemeConfigLabel(calls.Index(counts.config), label); break;
    case 8: SelectAll(); break;
    case 9: StockSelectedProdLabel(PickLabel(calls, GetiemeProductLabel, counts.product).c_str()); break;
    case 10: StockSelectedConfigLabel(PickLabel(calls, GetiemeConfigLabel, counts.config).c_str()); break;
    case 11: ClearSelectAll(); break;
    case 12: ClearNbProdSelect(); break;
    case 13: ClearNbConfigSelect(); break;
    case 14: GetNbProdSelect(&value); break;
    case 15: GetNbProdSelect(&value), GetiemeProdSelect(calls.Index(value), label); break;
    case 16: GetNbConfigSelect(&value); break;
    case 17: GetNbConfigSelect(&value), GetiemeConfigSelect(calls.Index(value), label); break;
    case 18: GenerateInstalled(&counts.installed); break;
    case 19: GenerateInstalledZARN(&counts.installed); break;
    case 20: GetiemeInstallProduct(calls.Index(counts.installed), label); break;
    case 21: GetSpaceRequired(&value, message); break;
    case 22: GetSpaceRequiredZARN(&value, message); break;
    case 23: GetnbCAF(&value); break;
    case 24: {
      char name[kNameRoom];
      GetnbCAF(&value);
      GetiemeCAF(calls.Index(value), name);
      zynfuzz::Require(memchr(name, '\0', kNameRoom) != nullptr, "an install list name without its NUL");
      break;
    }
    case 25: {
      // Appending a file to itself doubles it: a few dozen calls would only measure the disk.
      char *target = files.Pick(calls.Byte()), *source = files.Pick(calls.Byte());
      struct stat status;
      if (stat(source, &status) != 0 || status.st_size <= kMostAppended) UpdatePresent(target, source);
      break;
    }
    case 26: CheckUnloadProduct(); break;
    case 27: CheckUnloadProductZARN(); break;
    case 28: CheckInteg(&files.root[0]); break;
    case 29: ZYNGetGALevel(); break;
    case 30: other = ZYNGetSPKLevel(); break;
  }
  zynfuzz::Require(memchr(label, '\0', kLabelRoom) != nullptr, "a label without its NUL");
  zynfuzz::Require(memchr(message, '\0', kMessageRoom) != nullptr, "a message without its NUL");
  (void)other;
}

// Forgets what the last input opened, so that each input starts as a fresh process would.
void ResetLibrary() {
  ZYNINSSetupReset();
  delete ZYNINSSetup.GALevelTexts;
  ZYNINSSetup.GALevelTexts = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> parts = zynfuzz::SplitParts(data, size, 4);
  zynfuzz::PrivateWorkDir work;
  std::string dir = work.Path();
  Files files{dir + "/medium/TOC", dir + "/install/control/PRESENT", dir + "/missing/TOC", dir + "/install"};
  zynfuzz::WriteFile(files.medium, parts[0]);
  zynfuzz::WriteFile(dir + "/medium/PCFG.list", parts[1]);
  zynfuzz::WriteFile(files.installed, parts[2]);
  setenv("ZYNInstallPath", files.root.c_str(), 1);
  ZYNSetMessageBoxHandler(ReadMessageBox);
  // The installed-level functions report to the standard error stream.
  std::streambuf *errors = std::cerr.rdbuf(zynfuzz::Discard().rdbuf());

  zynfuzz::ByteReader calls(parts[3]);
  Counts counts;
  for (int i = 0; i < kMaxCalls && !calls.Done(); ++i) Call(calls, files, counts);

  std::cerr.rdbuf(errors);
  ResetLibrary();
  return 0;
}

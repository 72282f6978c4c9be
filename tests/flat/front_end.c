/* A setup front end written in C: the shared library and its C header only.
   Argument: the directory of the sample medium and installation. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "ZYNINSFlat.h"

static int failures = 0;
static int shown = 0;
static wchar_t lastShown[512];

#define CHECK(condition)                                              \
  do {                                                                \
    if (!(condition)) {                                               \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

static void RecordMessage(const wchar_t *text) {
  ++shown;
  wcsncpy(lastShown, text, sizeof lastShown / sizeof lastShown[0] - 1);
}

static char *Path(char *buffer, size_t size, const char *dir, const char *name) {
  snprintf(buffer, size, "%s/%s", dir, name);
  return buffer;
}

int main(int argc, char **argv) {
  char path[2048], label[1024], message[1024], level[8];
  int nbProduct = -1, nbConfig = -1, size = -1, count = -1, spLevel = 42;

  if (argc != 2) {
    fprintf(stderr, "usage: %s DATA_DIR\n", argv[0]);
    return 2;
  }
  CHECK(ZYNSetMessageBoxHandler(RecordMessage) == NULL);

  /* Nothing is open yet: nothing is written, nothing is offered. */
  memset(level, 0, sizeof level);
  CHECK(GetGALevelTOC(level) == 0 && level[0] == '\0');
  CHECK(GetSPLevel(&spLevel) == 0 && spLevel == 42);
  CHECK(GenerateListProduct(&nbProduct, &nbConfig, &size) == 0);
  CHECK(nbProduct == 0 && nbConfig == 0 && size == 0);
  CHECK(CheckUnloadProduct() == 0);
  CHECK(CheckInteg(NULL) == 0);

  CHECK(newMediaToc(Path(path, sizeof path, argv[1], "no-such-medium")) == 1);
  CHECK(shown == 1 && wcsstr(lastShown, L"unable to open file") != NULL);

  CHECK(newMediaToc(Path(path, sizeof path, argv[1], "medium/TOC")) == 0);
  CHECK(newInstToc(Path(path, sizeof path, argv[1], "install/control/PRESENT"), 1) == 0);
  CHECK(shown == 1);
  GetGALevelTOC(level);
  CHECK(strcmp(level, "R21") == 0);
  GetSPLevel(&spLevel);
  CHECK(spLevel == 1);

  CHECK(GenerateListProduct(&nbProduct, &nbConfig, &size) == 0);
  CHECK(nbProduct == 2 && nbConfig == 2 && size == 6);
  GetiemeProductLabel(1, label);
  CHECK(strcmp(label, "Rendering") == 0);
  GetiemeConfigLabel(0, label);
  CHECK(strcmp(label, "Full set") == 0);

  StockSelectedProdLabel("Rendering");
  GetNbProdSelect(&count);
  CHECK(count == 1);
  CHECK(GetSpaceRequired(&size, message) == 0);
  CHECK(size == 2); /* 2000 + 300 + 400 */
  GetnbCAF(&count);
  CHECK(count == 2);
  GetiemeCAF(0, label);
  CHECK(strcmp(label, "RENDER") == 0);
  GetiemeCAF(1, label);
  CHECK(strcmp(label, "RDRAFT") == 0);

  CHECK(GenerateInstalled(&count) == 0 && count == 2);
  GetiemeInstallProduct(1, label);
  CHECK(strcmp(label, "Drafting") == 0);
  CHECK(CheckUnloadProduct() == 0);

  CHECK(newInstToc(Path(path, sizeof path, argv[1], "integrity/PRESENT"), 0) == 0);
  CHECK(CheckInteg(NULL) == 2);

  if (failures) fprintf(stderr, "%d check(s) failed\n", failures);
  return failures ? 1 : 0;
}

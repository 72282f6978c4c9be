/* A setup front end written in C: the shared library and its C header only.
   Argument: the directory of the sample medium and installation. On 32-bit Windows it is compiled
   with stdcall as the default convention: the header's own convention must keep every call right. */
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

static void ZYNTOC_CALL RecordMessage(const wchar_t *text) {
  size_t i = 0;
  ++shown;
  /* Copied by hand: mingw-w64 declares wcsncpy without a convention, so it would be called as
     stdcall here. */
  for (; text[i] && i < sizeof lastShown / sizeof lastShown[0] - 1; ++i) lastShown[i] = text[i];
  lastShown[i] = L'\0';
}

static char *Path(char *buffer, size_t size, const char *dir, const char *name) {
  snprintf(buffer, size, "%s/%s", dir, name);
  return buffer;
}

/* A front end's session against the sample data in dir. Not main, which keeps a frame pointer
   for its stack alignment: here a call made with the wrong convention moves the stack pointer
   that the locals are found by. */
static void RunFrontEnd(const char *dir) {
  char path[2048], label[1024], message[1025], level[8];
  int nbProduct = -1, nbConfig = -1, size = -1, count = -1, spLevel = 42;

  CHECK(ZYNSetMessageBoxHandler(RecordMessage) == NULL);

  /* Nothing is open yet: nothing is written, nothing is offered. */
  memset(level, 0, sizeof level);
  CHECK(GetGALevelTOC(level) == 0 && level[0] == '\0');
  CHECK(GetSPLevel(&spLevel) == 0 && spLevel == 42);
  CHECK(GenerateListProduct(&nbProduct, &nbConfig, &size) == 0);
  CHECK(nbProduct == 0 && nbConfig == 0 && size == 0);
  CHECK(CheckUnloadProduct() == 0);
  CHECK(CheckInteg(NULL) == 0);

  CHECK(newMediaToc(Path(path, sizeof path, dir, "no-such-medium")) == 1);
  CHECK(shown == 1 && wcsstr(lastShown, L"unable to open file") != NULL);

  CHECK(newMediaToc(Path(path, sizeof path, dir, "medium/TOC")) == 0);
  CHECK(newInstToc(Path(path, sizeof path, dir, "install/control/PRESENT"), 1) == 0);
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

  CHECK(newInstToc(Path(path, sizeof path, dir, "integrity/PRESENT"), 0) == 0);
  CHECK(CheckInteg(NULL) == 2);
}

/* The C runtime calls main as cdecl, whatever this file's default. */
int ZYNTOC_CALL main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s DATA_DIR\n", argv[0]);
    return 2;
  }
  RunFrontEnd(argv[1]);
  if (failures) fprintf(stderr, "%d check(s) failed\n", failures);
  return failures ? 1 : 0;
}

/* Plans installing products a medium offers, selected by label, with the flat interface of
   an installed zyntoc, found through pkg-config.
     plan_c MEDIUM_TOC INSTALLED_PRESENT PRODUCT_LABEL... */
#include <stdio.h>

#include "ZYNINSFlat.h"
#include "ZYNINSVersion.h"

int main(int argc, char **argv) {
  int nbProduct, nbConfig, size, count, i;
  char name[32], message[1025] = {0};
  if (argc < 4) {
    fprintf(stderr, "usage: plan_c MEDIUM_TOC INSTALLED_PRESENT PRODUCT_LABEL...\n");
    return 2;
  }
  printf("zyntoc %s\n", ZYNTOC_VERSION_STRING);
  newMediaToc(argv[1]);
  newInstToc(argv[2], 1);
  GenerateListProduct(&nbProduct, &nbConfig, &size);
  for (i = 3; i < argc; ++i) StockSelectedProdLabel(argv[i]);
  if (GetSpaceRequired(&size, message) != 0) {
    fprintf(stderr, "%s\n", message);
    return 1;
  }
  GetnbCAF(&count);
  for (i = 0; i < count; ++i) {
    GetiemeCAF(i, name);
    printf("install %s\n", name);
  }
  printf("%d KiB\n", size);
  return 0;
}

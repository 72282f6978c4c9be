// Plans installing units from a medium with the class interface of an installed zyntoc.
//   plan_cpp MEDIUM_TOC INSTALLED_PRESENT UNIT...
#include <iostream>
#include <string>
#include <vector>

#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSVersion.h"

int main(int argc, char **argv) {
  if (argc < 4 || argc - 3 > 16) {
    std::cerr << "usage: plan_cpp MEDIUM_TOC INSTALLED_PRESENT UNIT...\n";
    return 2;
  }
  std::cout << "zyntoc " << ZYNTOC_VERSION_STRING << '\n';
  ZYNINSToc::sResetInfoMsg(nullptr);
  ZYNINSMediaToc medium(argv[1]);
  ZYNINSInstToc installed(argv[2]);
  char wanted[16][32] = {};
  unsigned int nbWanted = 0;
  for (int i = 3; i < argc; ++i) std::string(argv[i]).copy(wanted[nbWanted++], 31);
  unsigned int count = 0;
  char (*toInstall)[32] = nullptr;
  unsigned int size = medium.GetSize(wanted, nbWanted, ZYNINSCode, 0, &count, toInstall, &installed);
  char *diagnostics = nullptr;
  ZYNINSToc::sGetInfoMsg(diagnostics);
  std::cerr << diagnostics;
  if (size == static_cast<unsigned int>(-1)) return 1;
  for (unsigned int i = 0; i < count; ++i) std::cout << "install " << toInstall[i] << '\n';
  delete[] toInstall;
  std::cout << size << " bytes\n";
  return 0;
}

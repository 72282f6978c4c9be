// Runs files through a fuzz target's entry point without libFuzzer: every file named,
// and every file below each directory named, in path order.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace fs = std::filesystem;

int main(int argc, char **argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    fs::path given = fs::absolute(argv[i]).lexically_normal();
    if (!fs::is_directory(given)) {
      inputs.push_back(given);
      continue;
    }
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(given))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    fprintf(stderr, "no input files\n");
    return 1;
  }
  for (const fs::path &input : inputs) {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
      fprintf(stderr, "cannot read %s\n", input.c_str());
      return 1;
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Named first, so that a crash report follows the name of its input.
    printf("%s\n", input.c_str());
    fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
  }
  printf("%zu inputs replayed\n", inputs.size());
  return 0;
}

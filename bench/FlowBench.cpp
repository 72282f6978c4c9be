// Times the front-end flow on catalogues at the format's maximum, step by step and whole,
// against the floor of reading and splitting the same bytes. See the README for how to run it.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MaxScaleCatalogues.h"
#include "ZYNINSExplain.h"
#include "ZYNINSFlat.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSSetupState.h"

extern char **environ;

namespace {

MaxScaleCatalogues gFiles;

std::vector<char> Writable(const std::string &text) { return std::vector<char>(text.begin(), text.end() + 1); }

std::vector<char> gMedium, gInstalled, gRoot;
std::vector<char (*)[32]> gKeep;

char (*NameArray(const std::vector<std::string> &names))[32] {
  char(*array)[32] = new char[names.size()][32]();
  for (size_t i = 0; i < names.size(); ++i) strncpy(array[i], names[i].c_str(), 31);
  gKeep.push_back(array);
  return array;
}

// The floor: the file read in one piece, then split into lines and fields.
size_t ReadAndSplit(const std::string &path) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::string text;
  char chunk[65536];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, got);
  std::fclose(file);
  size_t fields = 0;
  for (const char *p = text.data(), *end = p + text.size(); p < end;) {
    const char *line = static_cast<const char *>(memchr(p, '\n', end - p));
    if (!line) line = end;
    for (const char *f = p; f < line; ++fields) {
      const char *colon = static_cast<const char *>(memchr(f, ':', line - f));
      f = colon ? colon + 1 : line;
    }
    p = line + 1;
  }
  return fields;
}

void Floor(benchmark::State &state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadAndSplit(gFiles.mediumToc));
    benchmark::DoNotOptimize(ReadAndSplit(gFiles.installedToc));
  }
}

void FloorMedium(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAndSplit(gFiles.mediumToc));
}

void FloorInstalled(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAndSplit(gFiles.installedToc));
}

// The second floor: one existence test per unit in the control directory.
void ControlFileCalls(benchmark::State &state) {
  std::vector<std::string> paths;
  std::ifstream present(gFiles.installedToc);
  for (std::string line; std::getline(present, line);) {
    size_t a = line.find(':'), b = line.find(':', a + 1), c = line.find(':', b + 1);
    paths.push_back(gFiles.root + "/control/" + line.substr(b + 1, c - b - 1));
  }
  for (auto _ : state) {
    int found = 0;
    struct stat info;
    for (const std::string &path : paths) found += stat(path.c_str(), &info) == 0;
    benchmark::DoNotOptimize(found);
  }
}

void LoadMedium(benchmark::State &state) {
  for (auto _ : state) {
    ZYNINSMediaToc toc(gMedium.data());
    if (toc.GetNbToc() != gFiles.mediumLines) state.SkipWithError("medium not loaded");
  }
}

void LoadInstalled(benchmark::State &state) {
  for (auto _ : state) {
    auto toc = std::make_unique<ZYNINSInstToc>(gInstalled.data());
    if (toc->GetNbToc() != gFiles.installedLines) state.SkipWithError("installation not loaded");
  }
}

void GetPackageVisible(benchmark::State &state) {
  ZYNINSMediaToc toc(gMedium.data());
  auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  for (auto _ : state) {
    toc.GetPackage(ZYNINSPRD, ZYNINSCode, list, 1);
    benchmark::DoNotOptimize(list->GetNbName());
  }
  operator delete(list);
}

void OpenBoth() {
  newMediaToc(gMedium.data());
  newInstToc(gInstalled.data(), 1);
}

void GenerateList(benchmark::State &state) {
  OpenBoth();
  int products = 0, configs = 0, size = 0;
  for (auto _ : state) GenerateListProduct(&products, &configs, &size);
  state.counters["offered"] = products + configs;
}

void SelectAllAndSpace(benchmark::State &state) {
  OpenBoth();
  int products = 0, configs = 0, size = 0;
  GenerateListProduct(&products, &configs, &size);
  char message[1024];
  for (auto _ : state) {
    SelectAll();
    GetSpaceRequired(&size, message);
  }
  int planned = 0;
  GetnbCAF(&planned);
  state.counters["planned"] = planned;
}

void CheckIntegNoFiles(benchmark::State &state) {
  newInstToc(gInstalled.data(), 2);
  for (auto _ : state)
    if (CheckInteg(nullptr) != 1) state.SkipWithError("installation not consistent");
}

void CheckIntegWithFiles(benchmark::State &state) {
  newInstToc(gInstalled.data(), 2);
  for (auto _ : state)
    if (CheckInteg(gRoot.data()) != 1) state.SkipWithError("installation not consistent");
}

unsigned int RemoveFixes(ZYNINSInstToc &toc) {
  static char(*names)[32] = NameArray(gFiles.installedFixes);
  return toc.GetSize(names, static_cast<unsigned int>(gFiles.installedFixes.size()));
}

unsigned int RemoveProducts(ZYNINSInstToc &toc, ZYNINSStockName *list) {
  static char(*names)[32] = NameArray(gFiles.installedProducts);
  return toc.GetSize(names, static_cast<unsigned int>(gFiles.installedProducts.size()), ZYNINSCode, 1, list);
}

void RemoveEveryFix(benchmark::State &state) {
  auto toc = std::make_unique<ZYNINSInstToc>(gInstalled.data());
  for (auto _ : state) benchmark::DoNotOptimize(RemoveFixes(*toc));
}

void RemoveEveryProduct(benchmark::State &state) {
  auto toc = std::make_unique<ZYNINSInstToc>(gInstalled.data());
  auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  for (auto _ : state) benchmark::DoNotOptimize(RemoveProducts(*toc, list));
  state.counters["removed"] = list->GetNbName();
  operator delete(list);
}

// An observer that ignores what planning tells it, set for a scope: the cost of the hooks
// behind `zyntoc plan --why` and `remove --why`.
class SilentObserverScope {
 public:
  SilentObserverScope() : _Previous(ZYNINSSetPlanObserver(&_Silent)) {}
  ~SilentObserverScope() { ZYNINSSetPlanObserver(_Previous); }

 private:
  ZYNINSPlanObserver _Silent;
  ZYNINSPlanObserver *_Previous;
};

void SelectAllAndSpaceObserved(benchmark::State &state) {
  SilentObserverScope observed;
  SelectAllAndSpace(state);
}

void RemoveEveryProductObserved(benchmark::State &state) {
  SilentObserverScope observed;
  RemoveEveryProduct(state);
}

void WriteCatalogue(benchmark::State &state) {
  auto toc = std::make_unique<ZYNINSInstToc>(gInstalled.data());
  for (auto _ : state) {
    std::ostringstream out;
    out << *toc;
    benchmark::DoNotOptimize(out.str().size());
  }
}

// What a front end does on a user's clicks, less the control-file calls of the integrity check.
void RunFlow(ZYNINSStockName *list) {
  OpenBoth();
  int products = 0, configs = 0, size = 0;
  GenerateListProduct(&products, &configs, &size);
  SelectAll();
  char message[1024];
  GetSpaceRequired(&size, message);
  newInstToc(gInstalled.data(), 2);
  CheckInteg(nullptr);
  RemoveFixes(*ZYNINSSetup.SetupInstToc);
  RemoveProducts(*ZYNINSSetup.SetupInstToc, list);
  std::ostringstream out;
  out << *ZYNINSSetup.SetupInstToc;
}

void WholeFlow(benchmark::State &state) {
  auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  for (auto _ : state) RunFlow(list);
  operator delete(list);
}

// Keeps the times of the runs to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      if (run.run_type == Run::RT_Iteration) {
        realTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
        cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
      }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> realTimes, cpuTimes;
};

// Peak resident memory of one flow in a fresh process, in KiB; 0 when it cannot be measured.
long FlowPeakMemory(const char *self, const std::string &dir) {
  std::string flag = "--zyntoc-flow-once=" + dir;
  char *argv[] = {const_cast<char *>(self), flag.data(), nullptr};
  pid_t child;
  if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) return 0;
  int status = 0;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
  return usage.ru_maxrss;
}

void Setup(const std::string &dir) {
  gFiles = WriteMaxScaleCatalogues(dir);
  gMedium = Writable(gFiles.mediumToc);
  gInstalled = Writable(gFiles.installedToc);
  gRoot = Writable(gFiles.root);
  // The fix removal writes its to_remove file into the working directory.
  if (chdir(dir.c_str()) != 0) std::perror(dir.c_str());
  ZYNINSToc::sResetInfoMsg(nullptr);
}

}  // namespace

BENCHMARK(Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorMedium)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorInstalled)->Unit(benchmark::kMillisecond);
BENCHMARK(ControlFileCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadMedium)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadInstalled)->Unit(benchmark::kMillisecond);
BENCHMARK(GetPackageVisible)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateList)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllAndSpace)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckIntegNoFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckIntegWithFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryFix)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryProduct)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllAndSpaceObserved)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryProductObserved)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeFlow)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  const std::string onceFlag = "--zyntoc-flow-once=";
  if (argc == 2 && std::string(argv[1]).rfind(onceFlag, 0) == 0) {
    Setup(std::string(argv[1]).substr(onceFlag.size()));
    auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
    RunFlow(list);
    return 0;
  }

  std::string pattern = (std::filesystem::temp_directory_path() / "zyntoc-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string dir = pattern;
  Setup(dir);
  std::printf("max-scale data in %s: medium of %d lines, installation of %d units\n", dir.c_str(),
              gFiles.mediumLines, gFiles.installedLines);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  // On a shared machine the wall time also counts waiting for a core: CPU time is the steadier one.
  auto ratio = [&reporter](const char *what, const char *floor) {
    auto &cpu = reporter.cpuTimes;
    auto &real = reporter.realTimes;
    if (!cpu.count(what) || !cpu.count(floor) || cpu[floor] <= 0 || real[floor] <= 0) return;
    std::printf("  %-26s CPU %8.3f ms = %5.2f x %-18s (wall %8.3f ms = %5.2f x)\n", what, cpu[what],
                cpu[what] / cpu[floor], floor, real[what], real[what] / real[floor]);
  };
  std::printf("\nRatios in this run:\n");
  ratio("WholeFlow", "Floor");
  ratio("LoadMedium", "FloorMedium");
  ratio("LoadInstalled", "FloorInstalled");
  ratio("CheckIntegWithFiles", "ControlFileCalls");
  ratio("SelectAllAndSpaceObserved", "SelectAllAndSpace");
  ratio("RemoveEveryProductObserved", "RemoveEveryProduct");
  long peak = FlowPeakMemory(argv[0], dir);
  if (peak) std::printf("  peak resident memory of the whole flow: %.1f MB\n", peak / 1024.0);
  benchmark::Shutdown();

  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return 0;
}

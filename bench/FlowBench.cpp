// Times the front-end flow on catalogues at the format's maximum, step by step, then prints the
// pinned measurement (FrontEndFlow.h) of the whole flow against its floor. See the README.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FrontEndFlow.h"
#include "ZYNINSControlFiles.h"
#include "ZYNINSExplain.h"
#include "ZYNINSFlat.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSSetupState.h"
#include "ZYNSystem.h"

extern char **environ;

namespace {

FlowData *gData = nullptr;

void Floor(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(TimeFloor(*gData));
}

void FloorMedium(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(FloorOfFile(gData->Files().mediumToc));
}

void FloorInstalled(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(FloorOfFile(gData->Files().installedToc));
}

// The second floor: one existence test per unit in the control directory.
void ControlFileCalls(benchmark::State &state) {
  std::vector<std::string> paths;
  std::ifstream present(gData->Files().installedToc);
  for (std::string line; std::getline(present, line);) {
    size_t a = line.find(':'), b = line.find(':', a + 1), c = line.find(':', b + 1);
    paths.push_back(gData->Files().root + "/control/" + line.substr(b + 1, c - b - 1));
  }
  for (auto _ : state) {
    int found = 0;
    for (const std::string &path : paths) found += ZYNFileAccess(path.c_str(), 0) == 0;
    benchmark::DoNotOptimize(found);
  }
}

void LoadMedium(benchmark::State &state) {
  for (auto _ : state) {
    ZYNINSMediaToc toc(gData->Medium());
    if (toc.GetNbToc() != gData->Files().mediumLines) state.SkipWithError("medium not loaded");
  }
}

void LoadInstalled(benchmark::State &state) {
  for (auto _ : state) {
    auto toc = std::make_unique<ZYNINSInstToc>(gData->Installed());
    if (toc->GetNbToc() != gData->Files().installedLines) state.SkipWithError("installation not loaded");
  }
}

void GetPackageVisible(benchmark::State &state) {
  ZYNINSMediaToc toc(gData->Medium());
  auto *list = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  for (auto _ : state) {
    toc.GetPackage(ZYNINSPRD, ZYNINSCode, list, 1);
    benchmark::DoNotOptimize(list->GetNbName());
  }
  operator delete(list);
}

void OpenBoth() {
  newMediaToc(gData->Medium());
  newInstToc(gData->Installed(), 1);
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
  newInstToc(gData->Installed(), 0);
  for (auto _ : state)
    if (CheckInteg(nullptr) != 1) state.SkipWithError("installation not consistent");
}

// The control directory read once, or (argument 1) one existence test per unit.
void CheckIntegWithFiles(benchmark::State &state) {
  newInstToc(gData->Installed(), 0);
  ZYNINSControlFiles::sSetExistenceTestsOnly(state.range(0) == 1);
  for (auto _ : state)
    if (CheckInteg(gData->Root()) != 1) state.SkipWithError("installation not consistent");
  ZYNINSControlFiles::sSetExistenceTestsOnly(false);
}

unsigned int RemoveFixes(ZYNINSInstToc &toc) {
  return toc.GetSize(gData->Fixes(), static_cast<unsigned int>(gData->Files().installedFixes.size()));
}

unsigned int RemoveProducts(ZYNINSInstToc &toc, ZYNINSStockName *list) {
  return toc.GetSize(gData->Products(), static_cast<unsigned int>(gData->Files().installedProducts.size()),
                     ZYNINSCode, 1, list);
}

void RemoveEveryFix(benchmark::State &state) {
  auto toc = std::make_unique<ZYNINSInstToc>(gData->Installed());
  for (auto _ : state) benchmark::DoNotOptimize(RemoveFixes(*toc));
}

void RemoveEveryProduct(benchmark::State &state) {
  auto toc = std::make_unique<ZYNINSInstToc>(gData->Installed());
  ZYNINSStockName *list = gData->ResultList();
  for (auto _ : state) benchmark::DoNotOptimize(RemoveProducts(*toc, list));
  state.counters["removed"] = list->GetNbName();
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
  auto toc = std::make_unique<ZYNINSInstToc>(gData->Installed());
  for (auto _ : state) {
    std::ostringstream out;
    out << *toc;
    benchmark::DoNotOptimize(out.str().size());
  }
}

void WholeFlow(benchmark::State &state) {
  double steps[kNbFlowSteps];
  for (auto _ : state) TimeFlow(*gData, steps, nullptr);
}

// Keeps the times of the runs to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      if (run.run_type == Run::RT_Iteration) cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> cpuTimes;
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
BENCHMARK(CheckIntegWithFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryFix)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryProduct)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllAndSpaceObserved)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveEveryProductObserved)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeFlow)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  const std::string onceFlag = "--zyntoc-flow-once=";
  if (argc == 2 && std::string(argv[1]).rfind(onceFlag, 0) == 0) {
    FlowData data(std::string(argv[1]).substr(onceFlag.size()));
    double steps[kNbFlowSteps];
    bool ok = false;
    TimeFlow(data, steps, &ok);
    return ok ? 0 : 1;
  }

  FlowData data;
  if (!data.Ready()) {
    std::fprintf(stderr, "cannot write the catalogues under the temporary folder\n");
    return 1;
  }
  gData = &data;
  std::printf("max-scale data in %s: medium of %d lines, installation of %d units\n", data.Dir().c_str(),
              data.Files().mediumLines, data.Files().installedLines);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  auto ratio = [&reporter](const char *what, const char *floor) {
    auto &cpu = reporter.cpuTimes;
    if (!cpu.count(what) || !cpu.count(floor) || cpu[floor] <= 0) return;
    std::printf("  %-32s CPU %8.3f ms = %5.2f x %s\n", what, cpu[what], cpu[what] / cpu[floor], floor);
  };
  std::printf("\nCPU-time ratios of the benchmarks above:\n");
  ratio("LoadMedium", "FloorMedium");
  ratio("LoadInstalled", "FloorInstalled");
  ratio("CheckIntegWithFiles/0", "CheckIntegWithFiles/1");
  ratio("SelectAllAndSpaceObserved", "SelectAllAndSpace");
  ratio("RemoveEveryProductObserved", "RemoveEveryProduct");

  std::printf("\n");
  PinnedFigures figures = MeasurePinned(data, 15);
  PrintPinned(figures, data, stdout);
  long peak = FlowPeakMemory(argv[0], data.Dir());
  if (peak) std::printf("Peak resident memory of one flow: %.1f MB\n", peak / 1024.0);
  benchmark::Shutdown();
  return figures.ok ? 0 : 1;
}

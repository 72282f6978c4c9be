// The pinned measurement of the front-end flow: data, floor, flow, medians, table.
#include "FrontEndFlow.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

#include "ZYNINSControlFiles.h"
#include "ZYNINSFlat.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSSetupState.h"

const char *const kFlowStepNames[kNbFlowSteps] = {
    "newMediaToc(medium)",      "newInstToc(PRESENT, 1)", "GenerateListProduct",
    "SelectAll",                "GetSpaceRequired",       "GetnbCAF",
    "newInstToc(PRESENT, 0)",   "CheckInteg(root)",       "GetSize, every fix",
    "GetSize, every product, closure"};

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::vector<char> Writable(const std::string &text) { return std::vector<char>(text.begin(), text.end() + 1); }

std::vector<char> NameFields(const std::vector<std::string> &names) {
  std::vector<char> fields(names.size() * 32 + 32, '\0');
  for (std::size_t i = 0; i < names.size(); ++i) names[i].copy(&fields[i * 32], 31);
  return fields;
}

// A new folder of its own under the system's temporary folder (on disk here: it is never a
// memory-backed one on the machines this is run on).
std::string MakeFolder() {
  std::random_device random;
  std::error_code error;
  std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return "";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "zyntoc-flow-" << std::hex << random() << random();
    if (std::filesystem::create_directory(base / name.str(), error)) return (base / name.str()).string();
  }
  return "";
}

// Load diagnostics would stop a Windows run in a message box: they are printed instead.
void PrintMessage(const wchar_t *text) { std::fprintf(stderr, "diagnostic: %ls\n", text); }

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double TimeCheck(char *root) {
  Clock::time_point start = Clock::now();
  int code = CheckInteg(root);
  double seconds = Since(start);
  return code == 1 ? seconds : -1;
}

}  // namespace

FlowData::FlowData() {
  std::string dir = MakeFolder();
  if (dir.empty()) return;
  _Owned = true;
  Use(dir, true);
}

FlowData::FlowData(const std::string &existing) { Use(existing, false); }

void FlowData::Use(const std::string &dir, bool controlFiles) {
  _Files = WriteMaxScaleCatalogues(dir, controlFiles);
  _Medium = Writable(_Files.mediumToc);
  _Installed = Writable(_Files.installedToc);
  _Root = Writable(_Files.root);
  _Fixes = NameFields(_Files.installedFixes);
  _Products = NameFields(_Files.installedProducts);
  _List = static_cast<ZYNINSStockName *>(operator new(sizeof(ZYNINSStockName)));
  std::error_code error;
  _OldDir = std::filesystem::current_path(error).string();
  std::filesystem::current_path(dir, error);
  ZYNSetMessageBoxHandler(PrintMessage);
  ZYNINSToc::sResetInfoMsg(nullptr);
  _Dir = dir;
}

FlowData::~FlowData() {
  operator delete(_List);
  if (_Dir.empty()) return;
  std::error_code ignored;
  std::filesystem::current_path(_OldDir, ignored);
  if (_Owned) std::filesystem::remove_all(_Dir, ignored);
}

std::size_t FloorOfFile(const std::string &path) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::string text;
  static char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, got);
  std::fclose(file);
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                  std::count(text.begin(), text.end(), ':'));
}

double TimeFloor(FlowData &data) {
  Clock::time_point start = Clock::now();
  volatile std::size_t counted = FloorOfFile(data.Files().mediumToc) + FloorOfFile(data.Files().installedToc);
  (void)counted;
  return Since(start);
}

double TimeFlow(FlowData &data, double steps[kNbFlowSteps], bool *ok) {
  int products = 0, configs = 0, size = 0, planned = 0, code = 0;
  unsigned int fixesFreed = 0, productsFreed = 0;
  char message[1024] = "";
  const unsigned int nbFixes = static_cast<unsigned int>(data.Files().installedFixes.size());
  const unsigned int nbProducts = static_cast<unsigned int>(data.Files().installedProducts.size());
  Clock::time_point first = Clock::now(), start = first;
  auto step = [&](FlowStep s) {
    Clock::time_point now = Clock::now();
    steps[s] = std::chrono::duration<double>(now - start).count();
    start = now;
  };
  newMediaToc(data.Medium());
  step(kLoadMedium);
  newInstToc(data.Installed(), 1);
  step(kLoadInstalled);
  GenerateListProduct(&products, &configs, &size);
  step(kListProducts);
  SelectAll();
  step(kSelectAll);
  GetSpaceRequired(&size, message);
  step(kSpace);
  GetnbCAF(&planned);
  step(kInstallCount);
  newInstToc(data.Installed(), 0);
  step(kLoadForCheck);
  code = CheckInteg(data.Root());
  step(kCheck);
  ZYNINSInstToc *installed = ZYNINSSetup.SetupInstToc;
  fixesFreed = installed->GetSize(data.Fixes(), nbFixes);
  step(kRemoveFixes);
  productsFreed = installed->GetSize(data.Products(), nbProducts, ZYNINSCode, 1, data.ResultList());
  step(kRemoveProducts);
  double whole = std::chrono::duration<double>(start - first).count();
  if (ok)
    *ok = installed->GetNbToc() == data.Files().installedLines && products + configs > 0 && planned > 0 &&
          code == 1 && fixesFreed != 0xFFFFFFFFu && productsFreed != 0xFFFFFFFFu;
  return whole;
}

PinnedFigures MeasurePinned(FlowData &data, int runs) {
  PinnedFigures figures;
  figures.runs = runs;
  double steps[kNbFlowSteps];
  bool ok = true;
  TimeFloor(data);
  TimeFlow(data, steps, &ok);  // the warm-up
  figures.ok = ok;
  std::vector<double> floors, flows, stepTimes[kNbFlowSteps];
  for (int run = 0; run < runs; ++run) {
    floors.push_back(TimeFloor(data));
    flows.push_back(TimeFlow(data, steps, &ok));
    figures.ok = figures.ok && ok;
    for (int s = 0; s < kNbFlowSteps; ++s) stepTimes[s].push_back(steps[s]);
  }
  figures.floor = Median(floors);
  figures.flow = Median(flows);
  for (int s = 0; s < kNbFlowSteps; ++s) figures.steps[s] = Median(stepTimes[s]);

  // The integrity check of the last flow's catalogue, without its control files, with them
  // read once, and with one existence test per unit: the same code each time.
  std::vector<double> bare, listed, tested;
  for (int run = 0; run < runs; ++run) {
    bare.push_back(TimeCheck(nullptr));
    listed.push_back(TimeCheck(data.Root()));
    ZYNINSControlFiles::sSetExistenceTestsOnly(true);
    tested.push_back(TimeCheck(data.Root()));
    ZYNINSControlFiles::sSetExistenceTestsOnly(false);
  }
  for (const std::vector<double> *times : {&bare, &listed, &tested})
    if (*std::min_element(times->begin(), times->end()) < 0) figures.ok = false;
  figures.check3Listed = Median(listed) - Median(bare);
  figures.check3Tested = Median(tested) - Median(bare);
  return figures;
}

void PrintPinned(const PinnedFigures &f, const FlowData &data, std::FILE *out) {
  const double ms = 1000;
  std::fprintf(out, "Front-end flow: medium of %d lines, installation of %d units, in %s\n",
               data.Files().mediumLines, data.Files().installedLines, data.Dir().c_str());
  std::fprintf(out, "Medians of %d runs after one warm-up, wall time in ms:\n", f.runs);
  std::fprintf(out, "  %-34s %9.3f\n", "floor (both files read, counted)", f.floor * ms);
  for (int s = 0; s < kNbFlowSteps; ++s)
    std::fprintf(out, "  %-34s %9.3f %7.1f x floor\n", kFlowStepNames[s], f.steps[s] * ms, f.steps[s] / f.floor);
  std::fprintf(out, "  %-34s %9.3f\n", "whole flow", f.flow * ms);
  std::fprintf(out, "  %-34s %9.1f\n", "whole flow / floor", f.flow / f.floor);
  std::fprintf(out, "Control files of CheckInteg (with root less without):\n");
  std::fprintf(out, "  %-34s %9.3f\n", "directory read once", f.check3Listed * ms);
  std::fprintf(out, "  %-34s %9.3f\n", "one existence test per unit", f.check3Tested * ms);
  if (f.check3Tested > 0)
    std::fprintf(out, "  %-34s %9.2f\n", "read once / tests", f.check3Listed / f.check3Tested);
  if (!f.ok) std::fprintf(out, "WARNING: a step did not give the expected answer: the figures are not the flow's\n");
}

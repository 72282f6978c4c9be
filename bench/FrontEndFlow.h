// The front-end flow at the format's maximum and the floor it is measured against, shared by
// the benchmark and the plain timing program so that both time the very same thing.
//
// Floor: for each of the two files, fopen in binary mode, read in 64 KiB chunks into one
// string, one count of '\n' and one of ':' over it. Flow: the steps of FlowStep, in that order.
// Figure: the median of the flows after one warm-up, divided by the median of the floors.
#ifndef FrontEndFlow_h
#define FrontEndFlow_h

#include <cstdio>
#include <string>
#include <vector>

#include "MaxScaleCatalogues.h"
#include "ZYNINSToc.h"

enum FlowStep {
  kLoadMedium,       // newMediaToc(medium)
  kLoadInstalled,    // newInstToc(PRESENT, 1)
  kListProducts,     // GenerateListProduct
  kSelectAll,        // SelectAll
  kSpace,            // GetSpaceRequired
  kInstallCount,     // GetnbCAF
  kLoadForCheck,     // newInstToc(PRESENT, 0)
  kCheck,            // CheckInteg(root)
  kRemoveFixes,      // GetSize of every installed fix, the names form
  kRemoveProducts,   // GetSize of every installed product and configuration, closure, into a list
  kNbFlowSteps
};
extern const char *const kFlowStepNames[kNbFlowSteps];

// The catalogues written under a new folder of the system's temporary folder, which becomes
// the working directory (fix removal writes its to_remove file there). Removed when destroyed.
class FlowData {
 public:
  FlowData();
  // The catalogues of a FlowData that is alive in another process, control files and all.
  explicit FlowData(const std::string &existing);
  ~FlowData();
  FlowData(const FlowData &) = delete;
  FlowData &operator=(const FlowData &) = delete;

  bool Ready() const { return !_Dir.empty(); }
  const std::string &Dir() const { return _Dir; }
  const MaxScaleCatalogues &Files() const { return _Files; }
  char *Medium() { return _Medium.data(); }
  char *Installed() { return _Installed.data(); }
  char *Root() { return _Root.data(); }
  char (*Fixes())[32] { return reinterpret_cast<char(*)[32]>(_Fixes.data()); }
  char (*Products())[32] { return reinterpret_cast<char(*)[32]>(_Products.data()); }
  ZYNINSStockName *ResultList() { return _List; }

 private:
  void Use(const std::string &dir, bool controlFiles);

  std::string _Dir, _OldDir;
  bool _Owned = false;
  MaxScaleCatalogues _Files;
  std::vector<char> _Medium, _Installed, _Root, _Fixes, _Products;
  ZYNINSStockName *_List = nullptr;
};

// The floor for one file: its '\n' and ':' counted, summed so that nothing is optimised away.
std::size_t FloorOfFile(const std::string &path);
// Both files; returns the seconds taken.
double TimeFloor(FlowData &data);

// One flow; fills the seconds of each step and returns the whole. False in *ok when a step
// did not give the answer the data calls for (a refused load, a finding, nothing planned).
double TimeFlow(FlowData &data, double steps[kNbFlowSteps], bool *ok);

struct PinnedFigures {
  int runs = 0;
  double floor = 0, flow = 0, steps[kNbFlowSteps] = {};
  // CheckInteg(root) less CheckInteg(null): the control directory read once, then with one
  // existence test per unit.
  double check3Listed = 0, check3Tested = 0;
  bool ok = true;
};

// The pinned measurement: one warm-up, then runs floors and flows (medians), then the check's
// third part both ways (medians of as many runs).
PinnedFigures MeasurePinned(FlowData &data, int runs);
void PrintPinned(const PinnedFigures &figures, const FlowData &data, std::FILE *out);

#endif

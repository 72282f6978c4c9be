// The pinned measurement of the front-end flow with a plain clock, for the platforms without
// Google Benchmark (the Windows builds, run under wine). See the README's benchmark section.
//   zyntoc-flow-timing [RUNS]     (default 15, at least 7)
#include <cstdio>
#include <cstdlib>

#include "FrontEndFlow.h"

int main(int argc, char **argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 15;
  if (runs < 7) runs = 7;
  FlowData data;
  if (!data.Ready()) {
    std::fprintf(stderr, "cannot write the catalogues under the temporary folder\n");
    return 1;
  }
  PinnedFigures figures = MeasurePinned(data, runs);
  PrintPinned(figures, data, stdout);
  return figures.ok ? 0 : 1;
}

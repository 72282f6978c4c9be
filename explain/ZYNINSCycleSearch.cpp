// Tarjan's search for strongly connected components, with an explicit stack of frames so
// that a long chain of nodes cannot exhaust the call stack.
#include "ZYNINSCycleSearch.h"

#include <algorithm>
#include <cstddef>
#include <utility>

std::vector<std::vector<int>> ZYNINSFindCycles(const std::vector<std::vector<int>> &edges) {
  const int n = static_cast<int>(edges.size());
  std::vector<int> index(n, -1), low(n, 0), stack;
  std::vector<bool> onStack(n, false);
  std::vector<std::vector<int>> cycles;
  int counter = 0;
  for (int root = 0; root < n; ++root) {
    if (index[root] >= 0) continue;
    // Each frame is a node and the next of its edges to follow.
    std::vector<std::pair<int, std::size_t>> frames{{root, 0}};
    index[root] = low[root] = counter++;
    stack.push_back(root);
    onStack[root] = true;
    while (!frames.empty()) {
      int v = frames.back().first;
      std::size_t &next = frames.back().second;
      if (next < edges[v].size()) {
        int w = edges[v][next++];
        if (index[w] < 0) {
          index[w] = low[w] = counter++;
          stack.push_back(w);
          onStack[w] = true;
          frames.emplace_back(w, 0);
        } else if (onStack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      frames.pop_back();
      if (!frames.empty()) low[frames.back().first] = std::min(low[frames.back().first], low[v]);
      if (low[v] != index[v]) continue;
      // v is the first node of its component: the component is what the stack holds above it.
      std::vector<int> component;
      int w;
      do {
        w = stack.back();
        stack.pop_back();
        onStack[w] = false;
        component.push_back(w);
      } while (w != v);
      if (component.size() == 1 && std::count(edges[v].begin(), edges[v].end(), v) == 0) continue;
      std::sort(component.begin(), component.end());
      cycles.push_back(std::move(component));
    }
  }
  return cycles;
}

// The cycles of a directed graph, for the check of prerequisite cycles.
#ifndef ZYNINSCycleSearch_h
#define ZYNINSCycleSearch_h

#include <vector>

// The groups of nodes that reach each other through the edges (edges[v] lists the nodes v
// leads to): each strongly connected component of more than one node, and each node with an
// edge to itself. Every group lists its nodes in ascending order.
std::vector<std::vector<int>> ZYNINSFindCycles(const std::vector<std::vector<int>> &edges);

#endif

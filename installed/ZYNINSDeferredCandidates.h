// Removal candidates waiting for a supersessor that stays. Each is filed under the entry that
// holds it back, so a pass retests only those whose holder has joined the removal set since:
// the others would fail again, the set only grows. Candidate order is kept as a sequence
// number.
#ifndef ZYNINSDeferredCandidates_h
#define ZYNINSDeferredCandidates_h

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

class ZYNINSDeferredCandidates {
 public:
  bool Contains(int name) const { return _Order.count(name) != 0; }
  std::size_t Count() const { return _Order.size(); }
  void Hold(int name, unsigned int order, int holder) {
    _Order[name] = order;
    _HeldBy[holder].push_back(name);
  }
  void Release(int name) { _Order.erase(name); }

  // The candidates whose holder is among the members added since the last call, in
  // candidate order; they stay deferred until held again or released.
  std::vector<std::pair<unsigned int, int>> Freed(const std::vector<int> &removal) {
    std::vector<std::pair<unsigned int, int>> freed;
    for (; _Seen < removal.size(); ++_Seen) {
      auto held = _HeldBy.find(removal[_Seen]);
      if (held == _HeldBy.end()) continue;
      for (int name : held->second) freed.emplace_back(_Order[name], name);
      _HeldBy.erase(held);
    }
    std::sort(freed.begin(), freed.end());
    return freed;
  }

 private:
  std::unordered_map<int, unsigned int> _Order;
  std::unordered_map<int, std::vector<int>> _HeldBy;
  std::size_t _Seen = 0;
};

#endif

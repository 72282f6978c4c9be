// The working lists of planning: bounded, insertion-ordered and free of duplicates.
// An item is appended when a search does not find it, the only way such a list grows.
#ifndef ZYNINSWorkList_h
#define ZYNINSWorkList_h

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "ZYNINSLimits.h"

// A hash index keeps membership tests cheap on large catalogues.
template <typename Item, typename Key = Item>
class ZYNINSWorkList {
 public:
  enum AddResult { Added, Present, Full };
  explicit ZYNINSWorkList(std::size_t capacity = ZYNINSListCapacity) : _Capacity(capacity) {}

  // A bounded add: a full list refuses every item, present or not.
  AddResult Add(const Item &item) {
    if (_Items.size() >= _Capacity) return Full;
    if (!_Keys.insert(KeyOf(item)).second) return Present;
    _Items.push_back(item);
    return Added;
  }
  bool Contains(const Key &key) const { return _Keys.count(key) != 0; }
  std::size_t Count() const { return _Items.size(); }
  const Item &operator[](std::size_t i) const { return _Items[i]; }
  const std::vector<Item> &Items() const { return _Items; }
  void Clear() {
    _Items.clear();
    _Keys.clear();
  }

 private:
  static Key KeyOf(const Item &item) { return Key(item); }
  std::size_t _Capacity;
  std::vector<Item> _Items;
  std::unordered_set<Key> _Keys;
};

// Names are kept as their text up to the NUL.
using ZYNINSNameWorkList = ZYNINSWorkList<std::string>;
using ZYNINSIndexWorkList = ZYNINSWorkList<int>;

#endif

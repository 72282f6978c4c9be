// Search-and-append: the only way the library's lists grow. An item is appended
// when a search does not find it, so lists stay free of duplicates and keep
// insertion order.
#ifndef ZYNINSSearch_h
#define ZYNINSSearch_h

#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

// The text of a 32-byte name field, up to its NUL (never more than 32 bytes).
inline std::string ZYNINSNameText(const char *name) {
  return std::string(name, strnlen(name, 32));
}

// A working list of planning: bounded, insertion-ordered, free of duplicates,
// with a hash index so that membership tests stay cheap on large catalogues.
template <typename Item, typename Key = Item>
class ZYNINSWorkList {
 public:
  enum AddResult { Added, Present, Full };
  explicit ZYNINSWorkList(std::size_t capacity = 4096) : _Capacity(capacity) {}

  // A bounded add: a full list refuses every item, present or not.
  AddResult Add(const Item &item) {
    if (_Items.size() >= _Capacity) return Full;
    if (!_Keys.insert(KeyOf(item)).second) return Present;
    _Items.push_back(item);
    return Added;
  }
  bool Contains(const Key &key) const { return _Keys.count(key) != 0; }
  std::size_t Count() const { return _Items.size(); }
  bool Empty() const { return _Items.empty(); }
  const Item &operator[](std::size_t i) const { return _Items[i]; }
  const std::vector<Item> &Items() const { return _Items; }
  void Clear() {
    _Items.clear();
    _Keys.clear();
  }
  // Takes the content of other, which is left empty.
  void TakeFrom(ZYNINSWorkList &other) {
    _Items.swap(other._Items);
    _Keys.swap(other._Keys);
    other.Clear();
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

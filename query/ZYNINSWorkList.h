// The working lists of planning: bounded, insertion-ordered and free of duplicates.
// An item is appended when a search does not find it, the only way such a list grows.
#ifndef ZYNINSWorkList_h
#define ZYNINSWorkList_h

#include <cstddef>
#include <string>
#include <vector>

#include "ZYNINSLimits.h"
#include "ZYNINSNameTable.h"

// Membership of the items a list holds: entry positions (or ids of a table's names) by a
// flag per position, names by a name table, so that a test costs no allocation and no scan.
// A flag per value suits only small non-negative keys: never a sequence number, which may
// be negative or near INT_MAX.
template <typename Key>
class ZYNINSWorkListKeys;

template <>
class ZYNINSWorkListKeys<int> {
 public:
  bool Insert(int key) {
    if (key < 0) return false;
    if (static_cast<std::size_t>(key) >= _Present.size()) _Present.resize(static_cast<std::size_t>(key) + 1, 0);
    if (_Present[static_cast<std::size_t>(key)]) return false;
    _Present[static_cast<std::size_t>(key)] = 1;
    return true;
  }
  bool Contains(int key) const {
    return key >= 0 && static_cast<std::size_t>(key) < _Present.size() && _Present[static_cast<std::size_t>(key)];
  }
  // Only the items held are forgotten: a list emptied once a pass costs no more than it held.
  void Clear(const std::vector<int> &items) {
    for (int key : items) _Present[static_cast<std::size_t>(key)] = 0;
  }

 private:
  std::vector<unsigned char> _Present;
};

// Names are the texts of name fields: never longer than a field, never with a NUL inside.
template <>
class ZYNINSWorkListKeys<std::string> {
 public:
  bool Insert(const std::string &key) {
    bool added = false;
    _Names.Intern(key.c_str(), &added);
    return added;
  }
  bool Contains(const std::string &key) const { return _Names.Find(key.c_str()) >= 0; }
  void Clear(const std::vector<std::string> &) { _Names.Clear(); }

 private:
  ZYNINSNameTable _Names;
};

template <typename Item, typename Key = Item>
class ZYNINSWorkList {
 public:
  enum AddResult { Added, Present, Full };
  explicit ZYNINSWorkList(std::size_t capacity = ZYNINSListCapacity) : _Capacity(capacity) {}

  // A bounded add: a full list refuses every item, present or not.
  AddResult Add(const Item &item) {
    if (_Items.size() >= _Capacity) return Full;
    if (!_Keys.Insert(KeyOf(item))) return Present;
    _Items.push_back(item);
    return Added;
  }
  bool Contains(const Key &key) const { return _Keys.Contains(key); }
  std::size_t Count() const { return _Items.size(); }
  const Item &operator[](std::size_t i) const { return _Items[i]; }
  const std::vector<Item> &Items() const { return _Items; }
  void Clear() {
    _Keys.Clear(_Items);
    _Items.clear();
  }

 private:
  static Key KeyOf(const Item &item) { return Key(item); }
  std::size_t _Capacity;
  std::vector<Item> _Items;
  ZYNINSWorkListKeys<Key> _Keys;
};

// Names are kept as their text up to the NUL.
using ZYNINSNameWorkList = ZYNINSWorkList<std::string>;
using ZYNINSIndexWorkList = ZYNINSWorkList<int>;

#endif

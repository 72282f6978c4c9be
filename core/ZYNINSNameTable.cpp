// Names to dense ids, by open addressing.
#include "ZYNINSNameTable.h"

#include <cstring>

#include "ZYNINSBytes.h"
#include "ZYNINSLimits.h"

ZYNINSNameTable::ZYNINSNameTable(std::size_t expected) {
  _Slots.assign(16, Slot{0, -1});
  Reserve(expected);
}

void ZYNINSNameTable::Reserve(std::size_t expected) {
  _Keys.reserve(expected);
  std::size_t slots = _Slots.size();
  while (slots < expected * 2) slots *= 2;
  if (slots != _Slots.size()) Rehash(slots);
}

ZYNINSNameTable::Key ZYNINSNameTable::Pack(const char *name, std::size_t length) {
  // Names are short: a byte loop beats a length search and a copy.
  Key key = {{0, 0, 0, 0}};
  char *bytes = reinterpret_cast<char *>(key.words);
  const std::size_t width = length < ZYNINSNameWidth ? length : ZYNINSNameWidth;
  for (std::size_t i = 0; i < width && name[i] != '\0'; ++i) bytes[i] = name[i];
  return key;
}

ZYNINSNameTable::Key ZYNINSNameTable::PackField(const char *field) {
#if defined(ZYNINS_FIELD_WORDS)
  static_assert(sizeof(Key) == ZYNINSNameWidth, "a key is a name field");
  Key key;
  memcpy(key.words, field, sizeof key.words);
  bool ended = false;
  for (std::uint64_t &word : key.words) word = ended ? 0 : ZYNINSWordUpToNul(word, ended);
  return key;
#else
  return Pack(field, ZYNINSNameWidth);
#endif
}

std::uint32_t ZYNINSNameTable::Hash(const Key &key) {
  std::uint64_t hash = (key.words[0] * 0x9E3779B97F4A7C15ULL) ^ (key.words[1] * 0xC2B2AE3D27D4EB4FULL) ^
                       (key.words[2] * 0x165667B19E3779F9ULL) ^ (key.words[3] * 0x27D4EB2F165667C5ULL);
  hash ^= hash >> 29;
  hash *= 0xBF58476D1CE4E5B9ULL;
  hash ^= hash >> 32;
  return static_cast<std::uint32_t>(hash);
}

std::size_t ZYNINSNameTable::Locate(const Key &key, std::uint32_t hash) const {
  const std::size_t mask = _Slots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot &slot = _Slots[i];
    if (slot.id < 0 || (slot.hash == hash && _Keys[static_cast<std::size_t>(slot.id)] == key)) return i;
  }
}

int ZYNINSNameTable::Intern(const char *name, bool *added) { return Intern(name, ZYNINSNameWidth, added); }

int ZYNINSNameTable::Intern(const char *name, std::size_t length, bool *added) {
  return Intern(Pack(name, length), added);
}

int ZYNINSNameTable::InternField(const char *field, bool *added) { return Intern(PackField(field), added); }

int ZYNINSNameTable::Intern(const Key &key, bool *added) {
  std::uint32_t hash = Hash(key);
  std::size_t i = Locate(key, hash);
  if (added) *added = _Slots[i].id < 0;
  if (_Slots[i].id >= 0) return _Slots[i].id;
  int id = static_cast<int>(_Keys.size());
  _Keys.push_back(key);
  _Slots[i] = Slot{hash, id};
  if (_Keys.size() * 2 > _Slots.size()) Grow();
  return id;
}

int ZYNINSNameTable::Find(const char *name) const {
  if (!name) return -1;
  Key key = Pack(name, ZYNINSNameWidth);
  return _Slots[Locate(key, Hash(key))].id;
}

int ZYNINSNameTable::FindField(const char *field) const {
  Key key = PackField(field);
  return _Slots[Locate(key, Hash(key))].id;
}

void ZYNINSNameTable::Grow() { Rehash(_Slots.size() * 2); }

void ZYNINSNameTable::Rehash(std::size_t slots) {
  std::vector<Slot> old(slots, Slot{0, -1});
  old.swap(_Slots);
  const std::size_t mask = _Slots.size() - 1;
  for (const Slot &slot : old) {
    if (slot.id < 0) continue;
    std::size_t i = slot.hash & mask;
    while (_Slots[i].id >= 0) i = (i + 1) & mask;
    _Slots[i] = slot;
  }
}

void ZYNINSNameTable::Clear() {
  _Slots.assign(_Slots.size(), Slot{0, -1});
  _Keys.clear();
}

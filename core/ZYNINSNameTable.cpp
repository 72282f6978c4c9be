// Names to dense ids, by open addressing.
#include "ZYNINSNameTable.h"

#include <cstring>

namespace {
const std::size_t kNameRoom = 32;
}  // namespace

ZYNINSNameTable::ZYNINSNameTable(std::size_t expected) {
  std::size_t size = 16;
  while (size < expected * 2) size *= 2;
  _Slots.assign(size, Slot{0, -1});
  _Names.reserve(expected);
}

// A name fits four 64-bit words: they are mixed whole rather than byte by byte.
std::uint32_t ZYNINSNameTable::Hash(const char *name, std::size_t length) {
  std::uint64_t words[4] = {0, 0, 0, 0};
  memcpy(words, name, length);
  std::uint64_t hash = (words[0] * 0x9E3779B97F4A7C15ULL) ^ (words[1] * 0xC2B2AE3D27D4EB4FULL) ^
                       (words[2] * 0x165667B19E3779F9ULL) ^ (words[3] * 0x27D4EB2F165667C5ULL) ^ length;
  hash ^= hash >> 29;
  hash *= 0xBF58476D1CE4E5B9ULL;
  hash ^= hash >> 32;
  return static_cast<std::uint32_t>(hash);
}

std::size_t ZYNINSNameTable::Locate(const char *name, std::size_t length, std::uint32_t hash) const {
  const std::size_t mask = _Slots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot &slot = _Slots[i];
    if (slot.id < 0) return i;
    if (slot.hash != hash) continue;
    const Name &held = _Names[static_cast<std::size_t>(slot.id)];
    if (held.length == length && memcmp(held.text, name, length) == 0) return i;
  }
}

int ZYNINSNameTable::Intern(const char *name, bool *added) {
  std::size_t length = strnlen(name, kNameRoom);
  std::uint32_t hash = Hash(name, length);
  std::size_t i = Locate(name, length, hash);
  if (added) *added = _Slots[i].id < 0;
  if (_Slots[i].id >= 0) return _Slots[i].id;
  int id = static_cast<int>(_Names.size());
  _Names.push_back(Name{name, length});
  _Slots[i] = Slot{hash, id};
  if (_Names.size() * 2 > _Slots.size()) Grow();
  return id;
}

int ZYNINSNameTable::Find(const char *name) const {
  if (!name) return -1;
  std::size_t length = strnlen(name, kNameRoom);
  return _Slots[Locate(name, length, Hash(name, length))].id;
}

void ZYNINSNameTable::Grow() {
  std::vector<Slot> old(_Slots.size() * 2, Slot{0, -1});
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
  _Names.clear();
}

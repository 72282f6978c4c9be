// Names to dense ids, by open addressing: no allocation per name, so that the indexes of a
// catalogue at the format's maximum are built in about the time it takes to read it.
#ifndef ZYNINSNameTable_h
#define ZYNINSNameTable_h

#include <cstddef>
#include <cstdint>
#include <vector>

class ZYNINSNameTable {
 public:
  // Names are texts of at most 32 bytes up to their NUL, compared byte for byte. The table
  // keeps pointers to the names it holds: their storage must outlive it, unchanged.
  explicit ZYNINSNameTable(std::size_t expected = 0);

  // The id of the name, which is added when new; ids count from 0 in order of addition.
  int Intern(const char *name, bool *added = nullptr);
  // The id of the name, or -1.
  int Find(const char *name) const;
  std::size_t Count() const { return _Names.size(); }
  void Clear();

 private:
  // A slot holds a name's hash and id, so that probing stays within a small array.
  struct Slot {
    std::uint32_t hash;
    int id;  // -1 for an empty slot
  };
  struct Name {
    const char *text;
    std::size_t length;
  };
  static std::uint32_t Hash(const char *name, std::size_t length);
  // The slot holding the name, or the empty slot where it belongs.
  std::size_t Locate(const char *name, std::size_t length, std::uint32_t hash) const;
  void Grow();

  std::vector<Slot> _Slots;  // a power of two, at most half full
  std::vector<Name> _Names;  // by id
};

#endif

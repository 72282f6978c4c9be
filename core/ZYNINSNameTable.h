// Names to dense ids, by open addressing: no allocation per name, so that the indexes of a
// catalogue at the format's maximum are built in about the time it takes to read it.
#ifndef ZYNINSNameTable_h
#define ZYNINSNameTable_h

#include <cstddef>
#include <cstdint>
#include <vector>

class ZYNINSNameTable {
 public:
  // Names are the texts of name fields, up to their NUL, compared byte for byte; the table
  // keeps its own copy of each.
  explicit ZYNINSNameTable(std::size_t expected = 0);

  // The id of the name, which is added when new; ids count from 0 in order of addition.
  int Intern(const char *name, bool *added = nullptr);
  // The same for a name that runs at most length bytes (up to a NUL within them).
  int Intern(const char *name, std::size_t length, bool *added = nullptr);
  // The same for a whole name field: 32 bytes, read at once whatever follows the name's NUL.
  int InternField(const char *field, bool *added = nullptr);
  // The id of the name, or -1; FindField takes a whole name field, as InternField does.
  int Find(const char *name) const;
  int FindField(const char *field) const;
  std::size_t Count() const { return _Keys.size(); }
  // The name of an id: a 32-byte field, NUL-padded after the name.
  const char *Text(int id) const { return reinterpret_cast<const char *>(_Keys[static_cast<std::size_t>(id)].words); }
  // Makes room for that many names without growing again.
  void Reserve(std::size_t expected);
  void Clear();

 private:
  // A name packed into four words, zero after its end: compared and hashed word by word.
  struct Key {
    std::uint64_t words[4];
    bool operator==(const Key &other) const {
      return words[0] == other.words[0] && words[1] == other.words[1] && words[2] == other.words[2] &&
             words[3] == other.words[3];
    }
  };
  // A slot holds a name's hash and id, so that probing stays within a small array.
  struct Slot {
    std::uint32_t hash;
    int id;  // -1 for an empty slot
  };
  static Key Pack(const char *name, std::size_t length);
  static Key PackField(const char *field);
  int Intern(const Key &key, bool *added);
  static std::uint32_t Hash(const Key &key);
  // The slot holding the key, or the empty slot where it belongs.
  std::size_t Locate(const Key &key, std::uint32_t hash) const;
  void Grow();
  // Spreads the names over that many slots, a power of two.
  void Rehash(std::size_t slots);

  std::vector<Slot> _Slots;  // a power of two, at most half full
  std::vector<Key> _Keys;    // by id
};

#endif

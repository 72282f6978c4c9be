// Text read eight bytes at a time, where the byte order allows it: zero bytes found in a word,
// and a field's word cleared from its text's NUL on, so that words compare as the texts they hold.
#ifndef ZYNINSFieldWords_h
#define ZYNINSFieldWords_h

#include <cstdint>

#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define ZYNINS_FIELD_WORDS 1

// The high bit of each zero byte of the word set, and no other bit below the lowest such
// byte: the lowest flag is exact, higher ones may be false.
inline std::uint64_t ZYNINSZeroByteFlags(std::uint64_t word) {
  return (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
}

// The word with its bytes from the first NUL on cleared; ended tells whether it held a NUL.
inline std::uint64_t ZYNINSWordUpToNul(std::uint64_t word, bool &ended) {
  const std::uint64_t zeros = ZYNINSZeroByteFlags(word);
  ended = zeros != 0;
  if (!ended) return word;
  const int kept = __builtin_ctzll(zeros) / 8;
  return kept ? word & ((1ULL << (8 * kept)) - 1) : 0;
}
#endif

#endif

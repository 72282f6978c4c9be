// Byte-level work on short texts, kept apart from what the bytes mean: a byte searched sixteen
// or eight bytes at a time, the zero bytes of a word, a name copied into its field with the
// padding masked in. Fields and list items are short, so a library call on each would cost
// more than the work itself. A search or copy given a `readable` bound may read, never use,
// bytes past its text's end up to that bound, and never beyond it.
#ifndef ZYNINSBytes_h
#define ZYNINSBytes_h

#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ZYNINSLimits.h"

// A call costs as much as a short search: the searches are always inlined.
#if defined(__GNUC__)
#define ZYNINS_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define ZYNINS_ALWAYS_INLINE inline
#endif

// Text read eight bytes at a time, where the byte order allows it: zero bytes found in a word,
// and a field's word cleared from its text's NUL on, so that words compare as the texts they hold.
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

// The first `wanted` byte in [begin, end), or end; readable is at or past end.
ZYNINS_ALWAYS_INLINE const char *ZYNINSFindByte(const char *begin, const char *end, const char *readable,
                                                char wanted) {
#if defined(__GNUC__) && defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(wanted);
  for (; begin < end && readable - begin >= 16; begin += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(begin));
    const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern)));
    if (found) {
      const char *at = begin + __builtin_ctz(found);
      return at < end ? at : end;
    }
  }
  if (begin >= end) return end;
#else
  (void)readable;
#endif
#if defined(ZYNINS_FIELD_WORDS)
  const std::uint64_t pattern8 = 0x0101010101010101ULL * static_cast<unsigned char>(wanted);
  for (; end - begin >= 8; begin += 8) {
    std::uint64_t word;
    std::memcpy(&word, begin, sizeof word);
    // A byte equal to `wanted` is now zero; the lowest flag is the first of them.
    const std::uint64_t zeros = ZYNINSZeroByteFlags(word ^ pattern8);
    if (zeros) return begin + __builtin_ctzll(zeros) / 8;
  }
#endif
  while (begin < end && *begin != wanted) ++begin;
  return begin;
}

// Copies a name of `length` bytes, at most ZYNINSMaxNameLength, into a name field, NUL-padded
// to its whole width. Where the field's width may be read at the name, two 16-byte stores with
// the padding masked in do it.
ZYNINS_ALWAYS_INLINE void ZYNINSCopyName(char *field, const char *name, std::size_t length, const char *readable) {
#if defined(__SSE2__)
  static_assert(ZYNINSNameWidth == 32, "a name field is two 16-byte stores");
  if (static_cast<std::size_t>(readable - name) >= ZYNINSNameWidth) {
    const __m128i limit = _mm_set1_epi8(static_cast<char>(length));
    const __m128i low = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i high = _mm_add_epi8(low, _mm_set1_epi8(16));
    const __m128i *from = reinterpret_cast<const __m128i *>(name);
    __m128i *to = reinterpret_cast<__m128i *>(field);
    _mm_storeu_si128(to, _mm_and_si128(_mm_loadu_si128(from), _mm_cmplt_epi8(low, limit)));
    _mm_storeu_si128(to + 1, _mm_and_si128(_mm_loadu_si128(from + 1), _mm_cmplt_epi8(high, limit)));
    return;
  }
#else
  (void)readable;
#endif
  std::memcpy(field, name, length);
  std::memset(field + length, 0, ZYNINSNameWidth - length);
}

#endif

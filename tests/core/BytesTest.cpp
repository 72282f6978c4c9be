// Tests of the byte primitives under the line reader, against plain byte loops: texts of every
// length from 0 to 40 at every offset from 0 to 15, the wanted byte or the NUL at every position
// or nowhere. Each text lies in a heap block that ends exactly at the readable bound given, so
// that the sanitizer build sees any read past it; the readable bytes past the text, and those
// before it, hold what would be found there.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ZYNINSBytes.h"

namespace {
constexpr std::size_t kLongest = 40;
constexpr std::size_t kOffsets = 16;
// Readable bytes past a text's end: none, less than a word, a word's worth, and more.
constexpr std::size_t kSlacks[] = {0, 1, 7, 15, 16, 33};

// Bytes the texts lie after: as many as a 16-byte search step, so that offsets keep their alignment.
constexpr std::size_t kLead = 16;

// A byte close to `wanted` in the bits a word search looks at: equal but for its low bit, its
// high bit or both, one above it, or a zero byte.
unsigned char NearMiss(unsigned char wanted, std::size_t i) {
  const unsigned char misses[] = {static_cast<unsigned char>(wanted ^ 1), static_cast<unsigned char>(wanted ^ 0x80),
                                  static_cast<unsigned char>(wanted ^ 0x81), static_cast<unsigned char>(wanted + 1),
                                  0};
  return misses[i % (sizeof misses - (wanted == 0 ? 1 : 0))];
}

const char *PlainFind(const char *begin, const char *end, char wanted) {
  while (begin < end && *begin != wanted) ++begin;
  return begin;
}
}  // namespace

TEST(BytesTest, FindByteFindsWhatAByteLoopFinds) {
  for (char wanted : {':', ' ', '/', '\0', '\x80', '\xff'}) {
    const auto want = static_cast<unsigned char>(wanted);
    for (std::size_t offset = 0; offset < kOffsets; ++offset)
      for (std::size_t length = 0; length <= kLongest; ++length)
        for (std::size_t slack : kSlacks) {
          std::vector<char> block(kLead + offset + length + slack, wanted);
          const char *begin = block.data() + kLead + offset, *end = begin + length;
          // Past the end, the wanted byte one byte on: found there, it would not be the end.
          if (slack) block[kLead + offset + length] = static_cast<char>(NearMiss(want, 0));
          // The wanted byte first at `at`, nowhere when at == length; a second one further on.
          for (std::size_t at = 0; at <= length; ++at) {
            for (std::size_t i = 0; i < length; ++i)
              block[kLead + offset + i] = static_cast<char>(i == at || (i > at && i % 5 == 0) ? want : NearMiss(want, i));
            ASSERT_EQ(ZYNINSFindByte(begin, end, block.data() + block.size(), wanted), PlainFind(begin, end, wanted))
                << "wanted " << int(want) << " offset " << offset << " length " << length << " slack " << slack
                << " at " << at;
          }
        }
  }
}

#if defined(ZYNINS_FIELD_WORDS)
TEST(BytesTest, ZeroByteFlagsAndWordUpToNulAgreeWithAByteLoop) {
  // Bytes around the first NUL that a word trick may mistake for one: 0x01 and 0x80 above a
  // zero byte are where a borrow shows.
  for (unsigned char filler : {0x01, 0x80, 0x81, 0xff, 0x61})
    for (std::size_t nul = 0; nul <= sizeof(std::uint64_t); ++nul) {
      unsigned char bytes[sizeof(std::uint64_t)];
      for (std::size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = i < nul ? filler : i == nul ? 0 : (i % 3 ? 0x01 : 0);
      std::uint64_t word, kept = 0;
      memcpy(&word, bytes, sizeof word);
      memcpy(&kept, bytes, nul < sizeof bytes ? nul : sizeof bytes);

      const std::uint64_t flags = ZYNINSZeroByteFlags(word);
      bool ended = false;
      const std::uint64_t upToNul = ZYNINSWordUpToNul(word, ended);
      SCOPED_TRACE("filler " + std::to_string(filler) + " nul " + std::to_string(nul));
      EXPECT_EQ(flags != 0, nul < sizeof bytes);
      if (flags) {
        EXPECT_EQ(static_cast<std::size_t>(__builtin_ctzll(flags)) / 8, nul);
      }
      EXPECT_EQ(ended, nul < sizeof bytes);
      EXPECT_EQ(upToNul, kept);
    }
}
#endif

TEST(BytesTest, CopyNameFillsTheWholeFieldWithTheNameAndNulsOnly) {
  const std::vector<char> garbage(ZYNINSNameWidth, '\xaa');
  for (std::size_t offset = 0; offset < kOffsets; ++offset)
    for (std::size_t length = 0; length <= ZYNINSMaxNameLength; ++length)
      for (std::size_t slack : kSlacks) {
        // The name's bytes, then readable bytes that must not reach the field.
        std::vector<char> block(kLead + offset + length + slack, '\xff');
        const char *name = block.data() + kLead + offset;
        for (std::size_t i = 0; i < length; ++i) block[kLead + offset + i] = static_cast<char>(i % 2 ? 'A' + i : 0x80 + i);
        std::vector<char> field = garbage, expected(ZYNINSNameWidth, '\0');
        memcpy(expected.data(), name, length);
        ZYNINSCopyName(field.data(), name, length, block.data() + block.size());
        ASSERT_EQ(field, expected) << "offset " << offset << " length " << length << " slack " << slack;
      }
}

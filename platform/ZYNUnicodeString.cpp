// Counting the characters of a UTF-8 string.
#include "ZYNUnicodeString.h"

int ZYNUnicodeString::GetLengthInChar() const {
  int count = 0;
  for (unsigned char c : _Text)
    if ((c & 0xC0) != 0x80) ++count;  // continuation bytes belong to the character before
  return count;
}

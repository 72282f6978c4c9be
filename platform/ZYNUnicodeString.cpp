#include "ZYNUnicodeString.h"

#include <cstdio>

void ZYNUnicodeString::BuildFromNum(int value, const char *format) {
  char digits[32];
  snprintf(digits, sizeof digits, format ? format : "%d", value);
  _Text = digits;
}

int ZYNUnicodeString::GetLengthInChar() const {
  int count = 0;
  for (unsigned char c : _Text)
    if ((c & 0xC0) != 0x80) ++count;  // continuation bytes belong to the character before
  return count;
}

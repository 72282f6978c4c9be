// Copying a label into a front end's buffer, whose size the interface does not carry.
#ifndef ZYNINSLabelCopy_h
#define ZYNINSLabelCopy_h

#include <cstring>

// Longest copy into a caller's label buffer, NUL included.
constexpr std::size_t ZYNINSLabelBufferSize = 1024;

// Copies text (null reads as empty) into buffer, cut to fit ZYNINSLabelBufferSize with its NUL.
inline void ZYNINSCopyLabel(char *buffer, const char *text) {
  if (!buffer) return;
  std::size_t length = text ? strnlen(text, ZYNINSLabelBufferSize - 1) : 0;
  if (length) memcpy(buffer, text, length);
  buffer[length] = '\0';
}

#endif

// Copying a label into a front end's buffer, whose size the interface does not carry.
#ifndef ZYNINSLabelCopy_h
#define ZYNINSLabelCopy_h

#include <cstring>

#include "ZYNINSLimits.h"

// Copies text (null reads as empty) into buffer, cut to fit ZYNINSLabelRoom with its NUL.
inline void ZYNINSCopyLabel(char *buffer, const char *text) {
  if (!buffer) return;
  std::size_t length = text ? strnlen(text, ZYNINSLabelRoom - 1) : 0;
  if (length) memcpy(buffer, text, length);
  buffer[length] = '\0';
}

#endif

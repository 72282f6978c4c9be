// Showing collected diagnostics: a message box on Windows, the standard error stream elsewhere,
// or whatever handler the program installed.
#include "ZYNMessageBox.h"

#include <cstdio>
#include <string>

#include "ZYNINSFlat.h"
#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

ZYNMessageBoxHandler InstalledHandler = nullptr;

constexpr char32_t Replacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[i]; a malformed one gives U+FFFD and consumes one byte,
// so that decoding always moves on.
char32_t DecodeOne(const unsigned char *text, std::size_t &i) {
  unsigned char lead = text[i];
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra;
  char32_t value, minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return Replacement;
  }
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = text[i + k];  // the NUL ends a cut sequence before the text does
    if ((next & 0xC0) != 0x80) {
      ++i;
      return Replacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++i;
    return Replacement;
  }
  i += extra + 1;
  return value;
}

// UTF-8 to wchar_t whatever the locale; UTF-16 surrogate pairs where wchar_t is 16 bits.
std::wstring Widen(const char *text) {
  std::wstring wide;
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
  for (std::size_t i = 0; bytes[i];) {
    char32_t c = DecodeOne(bytes, i);
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
      c -= 0x10000;
      wide += static_cast<wchar_t>(0xD800 + (c >> 10));
      wide += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
  }
  return wide;
}

#if !defined(_WIN32)
void AppendUtf8(std::string &out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Narrow(const wchar_t *text) {
  std::string out;
  for (std::size_t i = 0; text[i]; ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      c = Replacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}
#endif

void ZYNTOC_CALL DefaultHandler(const wchar_t *text) {
#if defined(_WIN32)
  MessageBoxW(NULL, text, NULL, MB_OK);
#else
  std::string utf8 = Narrow(text);
  utf8 += '\n';
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
#endif
}

}  // namespace

// Swapping two pointers cannot throw: nothing here can cross the C boundary.
extern "C" ZYNMessageBoxHandler ZYNTOC_CALL ZYNSetMessageBoxHandler(ZYNMessageBoxHandler handler) {
  ZYNMessageBoxHandler previous = InstalledHandler;
  InstalledHandler = handler;
  return previous;
}

void ZYNShowMessageBox(const char *utf8Text) {
  std::wstring wide = Widen(utf8Text ? utf8Text : "");
  (InstalledHandler ? InstalledHandler : DefaultHandler)(wide.c_str());
}

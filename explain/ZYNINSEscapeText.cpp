// Catalogue bytes made safe to show: what is not printable text becomes \xHH.
#include <cstdio>

#include "ZYNINSExplain.h"

namespace {

void AppendEscaped(std::string &out, unsigned char c) {
  char escaped[5];
  std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
  out += escaped;
}

// Length of the well-formed UTF-8 character at text[at] (2 to 4 bytes, no overlong form,
// no surrogate, nothing above U+10FFFF), or 0.
std::size_t Utf8Length(const std::string &text, std::size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char c = static_cast<unsigned char>(text[at + k]);
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
  }
  // U+0080 to U+009F are the C1 controls, which some terminals obey.
  if (lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0x9F) return 0;
  return length;
}

}  // namespace

std::string ZYNINSEscapeText(const std::string &text, ZYNINSTextForm form) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const bool printable = c >= 0x20 && c < 0x7F;
    if (form == ZYNINSTextAscii) {
      // '\' too, so that the text reads back unambiguously.
      if (printable && c != '\\') out += static_cast<char>(c);
      else AppendEscaped(out, c);
      ++at;
      continue;
    }
    if (printable || c == '\n') {
      out += static_cast<char>(c);
      ++at;
    } else if (std::size_t length = c >= 0x80 ? Utf8Length(text, at) : 0) {
      out.append(text, at, length);
      at += length;
    } else {
      AppendEscaped(out, c);
      ++at;
    }
  }
  return out;
}

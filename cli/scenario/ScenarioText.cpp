// Escaping and unescaping the bytes a scenario file holds.
#include "ScenarioText.h"

namespace scenario {

namespace {

// The length of the valid UTF-8 sequence starting at i, or 0.
std::size_t Utf8Length(const std::string &text, std::size_t i) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (lead == 0xE0) low = 0xA0;        // no overlong forms
  else if (lead == 0xED) high = 0x9F;  // no surrogates
  else if (lead == 0xF0) low = 0x90;
  else if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char c = static_cast<unsigned char>(text[i + k]);
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Whether a line can be written as it is: UTF-8 text without control bytes that does not
// end with a space.
bool IsPlain(const std::string &line) {
  for (std::size_t i = 0; i < line.size();) {
    if (IsControl(static_cast<unsigned char>(line[i]))) return false;
    const std::size_t length = Utf8Length(line, i);
    if (length == 0) return false;
    i += length;
  }
  return line.empty() || line.back() != ' ';
}

std::string Hex(unsigned char c) {
  static const char digits[] = "0123456789ABCDEF";
  return std::string("\\x") + digits[c >> 4] + digits[c & 15];
}

std::string Escape(const std::string &bytes, bool word) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (IsControl(c) || (word && c == ' ')) out += Hex(c);
    else if ((length = Utf8Length(bytes, i)) == 0) {
      out += Hex(c);
      length = 1;
    } else {
      out.append(bytes, i, length);
    }
    i += length;
  }
  return out;
}

// A space that ends a line is written \x20, so that no editor takes it away.
std::string KeepLastSpace(std::string text) {
  if (!text.empty() && text.back() == ' ') text.replace(text.size() - 1, 1, "\\x20");
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::string> BlockLines(const std::string &bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    const bool ended = end != std::string::npos;
    const std::string line = bytes.substr(start, ended ? end - start : std::string::npos);
    if (ended && IsPlain(line)) lines.push_back(line.empty() ? "|" : "| " + line);
    else lines.push_back(ended ? "\\ " + Escape(line, false) + "\\n" : KeepLastSpace("\\ " + Escape(line, false)));
    start = ended ? end + 1 : bytes.size();
  }
  return lines;
}

bool DecodeBlockLine(const std::string &line, std::string &bytes, std::string &error) {
  if (line.empty() || (line[0] != '|' && line[0] != '\\')) {
    error = "a line of a section starts with '|' or '\\', or is 'end'";
    return false;
  }
  std::string text = line.substr(1);
  if (!text.empty() && text[0] == ' ') text.erase(0, 1);
  else if (!text.empty()) {
    error = std::string("'") + line[0] + "' is followed by a space";
    return false;
  }
  if (line[0] == '|') {
    bytes = text + "\n";
    return true;
  }
  return Unescape(text, bytes, error);
}

std::string EncodeWord(const std::string &bytes) { return Escape(bytes, true); }

std::string EncodeText(const std::string &bytes) { return KeepLastSpace(Escape(bytes, false)); }

bool Unescape(const std::string &text, std::string &bytes, std::string &error) {
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    ++i;
    if (next == '\\') bytes += '\\';
    else if (next == 'n') bytes += '\n';
    else if (next == 'r') bytes += '\r';
    else if (next == 't') bytes += '\t';
    else if (next == 'x' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      error = next == 'x'    ? "'\\x' is followed by two hexadecimal digits"
              : next == '\0' ? "a line ends with a lone '\\' (write '\\\\')"
                             : std::string("unknown escape '\\") + next + "' (known: \\n \\r \\t \\\\ \\xHH)";
      return false;
    }
  }
  return true;
}

std::vector<std::string> SplitWords(const std::string &line) {
  std::vector<std::string> words;
  std::size_t start = line.find_first_not_of(" \t");
  while (start != std::string::npos) {
    const std::size_t end = line.find_first_of(" \t", start);
    words.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    start = end == std::string::npos ? end : line.find_first_not_of(" \t", end);
  }
  return words;
}

}  // namespace scenario

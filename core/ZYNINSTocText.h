// The text of a catalogue's files as loading divides it: lines, their count and white space.
// The loaders and the catalogue checks both divide it here, so that they see the same lines.
#ifndef ZYNINSTocText_h
#define ZYNINSTocText_h

#include <cstddef>
#include <cstring>

// White space as a stream skips it ahead of a number or a word.
inline bool ZYNINSIsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next word of text[0, size) at or after start, as a stream reads it: false when only
// white space is left; else the word is [start, end).
inline bool ZYNINSNextWord(const char *text, std::size_t size, std::size_t &start, std::size_t &end) {
  while (start < size && ZYNINSIsSpace(text[start])) ++start;
  for (end = start; end < size && !ZYNINSIsSpace(text[end]);) ++end;
  return end > start;
}

// One line of a text: its bytes without the line end, and where the next line begins.
struct ZYNINSTextLine {
  const char *Begin;
  std::size_t Length;
  const char *Next;
};

// The line that begins at `line`, in a text that ends at `end`: it runs to its newline or to
// the end of the text, and a CR before the newline belongs to the line end.
inline ZYNINSTextLine ZYNINSNextLine(const char *line, const char *end) {
  const char *newline = static_cast<const char *>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
  const char *stop = newline ? newline : end;
  if (newline && stop > line && stop[-1] == '\r') --stop;
  return {line, static_cast<std::size_t>(stop - line), newline ? newline + 1 : end};
}

// Counts a file's lines as it is read in chunks: each newline ends a line, and text after the
// last newline is one more.
class ZYNINSLineCounter {
 public:
  // Counts the newlines of [begin, end) until `most` are counted in all; returns where it
  // stopped: just after that newline, or end.
  const char *Count(const char *begin, const char *end, long long most) {
    const char *p = begin;
    while (_Newlines < most &&
           (p = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
      ++p;
      if (++_Newlines == most) end = p;
    }
    if (end > begin) _Last = end[-1];
    return end;
  }
  long long Newlines() const { return _Newlines; }
  long long Lines() const { return _Last == '\n' ? _Newlines : _Newlines + 1; }

 private:
  long long _Newlines = 0;
  char _Last = '\n';
};

#endif

// Text output that a catalogue cannot turn into terminal commands: labels and names are
// bytes from a file, so what the tool and the library write as text passes through the
// library's escaping (ZYNINSEscapeText), which writes every byte that is not printable
// text as \xHH and keeps line ends.
#ifndef TerminalText_h
#define TerminalText_h

#include <ostream>
#include <streambuf>
#include <string>

// Escapes what is written to it and passes it on to another buffer, a line at a time
// (or what is pending at a flush), so that a character is never cut in two.
class EscapingBuf : public std::streambuf {
 public:
  explicit EscapingBuf(std::streambuf *target) : _Target(target) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char *text, std::streamsize count) override;
  int sync() override;

 private:
  // Passes on the complete lines pending, or everything pending when all is set.
  bool Pass(bool all);
  std::streambuf *_Target;
  std::string _Pending;
};

// While it lives, standard error and, when escapeOutput is set, standard output are
// escaped. cat (the catalogue's own bytes), graph (DOT escapes its own) and JSON output
// are left as they are by not asking for standard output.
class TerminalText {
 public:
  explicit TerminalText(bool escapeOutput);
  ~TerminalText();
  TerminalText(const TerminalText &) = delete;
  TerminalText &operator=(const TerminalText &) = delete;

 private:
  EscapingBuf _Output;
  EscapingBuf _Error;
  std::streambuf *_PreviousOutput;
  std::streambuf *_PreviousError;
};

#endif

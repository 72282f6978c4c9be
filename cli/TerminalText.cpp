// Escaping the tool's text output on its way to standard output and standard error.
#include "TerminalText.h"

#include <iostream>

#include "ZYNINSExplain.h"

EscapingBuf::int_type EscapingBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  _Pending += traits_type::to_char_type(c);
  if (c == '\n' && !Pass(false)) return traits_type::eof();
  return c;
}

std::streamsize EscapingBuf::xsputn(const char *text, std::streamsize count) {
  _Pending.append(text, static_cast<std::size_t>(count));
  return Pass(false) ? count : 0;
}

int EscapingBuf::sync() { return Pass(true) && _Target->pubsync() == 0 ? 0 : -1; }

bool EscapingBuf::Pass(bool all) {
  std::size_t end = _Pending.size();
  if (!all) {
    std::size_t lineEnd = _Pending.rfind('\n');
    if (lineEnd == std::string::npos) return true;
    end = lineEnd + 1;
  }
  if (end == 0) return true;
  std::string escaped = ZYNINSEscapeText(_Pending.substr(0, end), ZYNINSTextTerminal);
  _Pending.erase(0, end);
  const auto size = static_cast<std::streamsize>(escaped.size());
  return _Target->sputn(escaped.data(), size) == size;
}

TerminalText::TerminalText(bool escapeOutput)
    : _Output(std::cout.rdbuf()), _Error(std::cerr.rdbuf()), _PreviousOutput(nullptr),
      _PreviousError(std::cerr.rdbuf(&_Error)) {
  if (escapeOutput) _PreviousOutput = std::cout.rdbuf(&_Output);
}

TerminalText::~TerminalText() {
  std::cerr.flush();
  std::cerr.rdbuf(_PreviousError);
  if (_PreviousOutput == nullptr) return;
  std::cout.flush();
  std::cout.rdbuf(_PreviousOutput);
}

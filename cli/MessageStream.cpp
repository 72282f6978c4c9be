#include "MessageStream.h"

MessageBuf::int_type MessageBuf::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof())) _Pending += traits_type::to_char_type(c);
  return traits_type::not_eof(c);
}

std::streamsize MessageBuf::xsputn(const char *text, std::streamsize count) {
  _Pending.append(text, static_cast<std::size_t>(count));
  return count;
}

int MessageBuf::sync() {
  Close();
  return 0;
}

void MessageBuf::Close() {
  std::size_t end = _Pending.find_last_not_of("\r\n");
  if (end != std::string::npos) _Messages.push_back(_Pending.substr(0, end + 1));
  _Pending.clear();
}

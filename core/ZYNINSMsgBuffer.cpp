// The message buffer: collecting written text and handing out stable copies.
#include "ZYNINSMsgBuffer.h"

#include <cstring>

char *ZYNINSMsgBuffer::Freeze() {
  _Text.push_back('\0');
  std::unique_ptr<char[]> copy(new char[_Text.size()]);
  memcpy(copy.get(), _Text.data(), _Text.size());
  _HandedOut.push_back(std::move(copy));
  return _HandedOut.back().get();
}

ZYNINSMsgBuffer::int_type ZYNINSMsgBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  _Text.push_back(traits_type::to_char_type(c));
  return c;
}

std::streamsize ZYNINSMsgBuffer::xsputn(const char *s, std::streamsize n) {
  _Text.append(s, static_cast<size_t>(n));
  return n;
}

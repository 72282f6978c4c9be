// The in-memory message buffer that collects diagnostics between a reset and a fetch.
#ifndef ZYNINSMsgBuffer_h
#define ZYNINSMsgBuffer_h

#include <memory>
#include <streambuf>
#include <string>
#include <vector>

class ZYNINSMsgBuffer : public std::streambuf {
 public:
  // Appends a NUL and hands out the text; every text handed out stays valid
  // until the buffer is destroyed, whatever is written later.
  char *Freeze();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char *s, std::streamsize n) override;

 private:
  std::string _Text;
  std::vector<std::unique_ptr<char[]>> _HandedOut;
};

#endif

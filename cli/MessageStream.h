// An output stream that cuts what is written to it into messages: the library ends
// every message with an end of line and a flush, so each flush closes one message.
#ifndef MessageStream_h
#define MessageStream_h

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

class MessageBuf : public std::streambuf {
 public:
  explicit MessageBuf(std::vector<std::string> &messages) : _Messages(messages) {}
  ~MessageBuf() override { Close(); }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char *text, std::streamsize count) override;
  int sync() override;

 private:
  // Ends the message being written, without its final ends of line.
  void Close();
  std::vector<std::string> &_Messages;
  std::string _Pending;
};

// Messages land in a vector that outlives the stream, since the library destroys a
// diagnostic stream handed to it at its next reset.
class MessageStream : public std::ostream {
 public:
  explicit MessageStream(std::vector<std::string> &messages) : std::ostream(nullptr), _Buf(messages) {
    rdbuf(&_Buf);
  }

 private:
  MessageBuf _Buf;
};

#endif

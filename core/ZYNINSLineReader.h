// Reading TOC lines held in memory: every rule of the line format in one place, for the
// loaders, the stream reader and the catalogue checks. A refused line says where and why.
#ifndef ZYNINSLineReader_h
#define ZYNINSLineReader_h

#include <cstddef>
#include <cstring>

#include "ZYNINSToc.h"

// Why a line is refused.
enum class ZYNINSLineFault {
  None,
  CutShort,          // the line ends where the field should begin
  MissingColon,      // the field runs to the end of the line without its ':'
  TooWide,           // a text, name, list item or pair half wider than its limit
  HoldsNul,          // a text, name, list item or pair half with a NUL byte (a damaged file)
  NotDecimal,        // a size, level or sequence number that is not a decimal number
  OutOfRange,        // a decimal number too large for its field
  UnknownType,       // field 1 is no type keyword
  UnknownPackage,    // field 2 is no package keyword
  PairWithoutSlash,  // a conditional requisite without its '/'
  MissingPrereq      // a FIX or FSP without prerequisites
};

// Where and why a line was refused: its first fault. The loaders look only at Ok().
struct ZYNINSLineVerdict {
  ZYNINSLineFault fault = ZYNINSLineFault::None;
  bool inPrefix = false;        // in a media line's prefix: fields 1 tag, 2 sequence number, 3 media size
  int field = 0;                // the faulty field, from 1 (entry fields 1 to 12)
  std::size_t offset = 0;       // 0-based byte offset of the faulty field's first byte in the line
  std::size_t itemOffset = 0;   // where the faulty list item or pair half begins (else offset)
  std::size_t length = 0;       // too wide: the width found; unknown keyword: the text's length
  std::size_t limit = 0;        // too wide: the widest allowed
  bool reported = false;        // the reader wrote a diagnostic for this line

  bool Ok() const { return fault == ZYNINSLineFault::None; }
};

// What a loader knows of the text its lines lie in. The searches may read, never use, the
// bytes past a line's end up to readableEnd, to test 16 bytes at a time; a text known to hold
// no NUL byte spares each line the search for one.
struct ZYNINSTextBounds {
  const char *readableEnd = nullptr;  // null: nothing past the line's end
  bool mayHoldNul = true;
};

// A position in one line, and the first fault met in it. Once a fault is met, every later
// step reads nothing, as a failed stream would: fields come out empty, numbers unread.
class ZYNINSLineCursor {
 public:
  ZYNINSLineCursor(const char *line, std::size_t length, const ZYNINSTextBounds &text = {})
      : _Line(line), _End(line + length), _Readable(text.readableEnd > _End ? text.readableEnd : _End), _Pos(line),
        _FieldStart(line), _HoldsNul(text.mayHoldNul && length > 0 && std::memchr(line, '\0', length) != nullptr) {}

  bool Failed() const { return !_Verdict.Ok(); }
  const ZYNINSLineVerdict &Verdict() const { return _Verdict; }
  ZYNINSLineVerdict &Verdict() { return _Verdict; }
  std::size_t Offset(const char *at) const { return static_cast<std::size_t>(at - _Line); }
  std::size_t Position() const { return Offset(_Pos); }
  bool AtEnd() const { return _Pos == _End; }
  // Whether a NUL byte lies anywhere in the line: only then are its fields searched for one.
  bool HoldsNul() const { return _HoldsNul; }
  // How far the searches and copies may read, at or past the line's end.
  const char *ReadableEnd() const { return _Readable; }
  // The first `wanted` byte in [begin, end) of the line, or end.
  const char *Find(const char *begin, const char *end, char wanted) const;

  // The text up to the next ':' (left unread) or the end of the line; empty once failed.
  void Field(const char *&begin, const char *&end);
  // Consumes the ':' that ends field `field`.
  void Separator(int field);
  // Takes the next character; false at the end of the line.
  bool Take(char &c) {
    if (Failed() || _Pos == _End) return false;
    c = *_Pos++;
    return true;
  }
  // Consumes one character, whatever it is (the media prefix's separators).
  void SkipOne(int field);
  // Skips white space, as ahead of a list or a number.
  void SkipSpace();
  // Decimal numbers with an optional sign after white space; a negative size wraps as
  // unsigned arithmetic does.
  void Unsigned(int field, unsigned int &value);
  void Signed(int field, int &value);

  // Records the fault if it is the line's first; later steps then read nothing.
  void Fail(ZYNINSLineFault fault, int field, std::size_t offset);
  void FailTooWide(int field, std::size_t offset, std::size_t itemOffset, std::size_t length, std::size_t limit);

  // Marks what follows as a media line's prefix: a fault met before LeavePrefix is the prefix's.
  void EnterPrefix() { _InPrefix = true; }
  // Marks what follows as the entry fields of a media line, after its prefix.
  void LeavePrefix() { _InPrefix = false; }

 private:
  template <typename Number>
  void Decimal(int field, Number &value);
  // Digits with their sign; false when there are none.
  bool Digits(int field, const char *begin, bool &negative, unsigned long long &magnitude, bool &overflow);

  const char *_Line;
  const char *_End;
  const char *_Readable;  // the searches may read up to here
  const char *_Pos;
  const char *_FieldStart;  // where the field being read begins
  bool _HoldsNul;
  bool _InPrefix = false;
  ZYNINSLineVerdict _Verdict;
};

// Reads the twelve entry fields at the cursor into a cleared record. Unknown keywords and a
// FIX or FSP without prerequisites are reported as diagnostics, like every loader always did.
void ZYNINSReadEntry(ZYNINSLineCursor &cursor, ZYNINSUnitToc &entry);

// Reads one installed-catalogue line (no prefix) into a cleared record.
ZYNINSLineVerdict ZYNINSReadEntryLine(const char *line, std::size_t length, ZYNINSUnitToc &entry,
                                      const ZYNINSTextBounds &text = {});

#endif

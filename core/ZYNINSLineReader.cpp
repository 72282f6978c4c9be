// The TOC line reader over a line held in memory. An entry line is twelve fields, each but the
// last ended by a ':':
//   1 type keyword, 2 package keyword, 3 name, 4 superseded names, 5 prerequisite names,
//   6 condition/required pairs, 7 size, 8 timestamp, 9 OS, 10 GA level, 11 service-pack level,
//   12 label.
// The entry's reader comes first, then a reader for each kind of field, then the cursor's steps
// they are made of; the byte searches and copies under them are in ZYNINSBytes.h.
#include "ZYNINSLineReader.h"

#include <cstring>
#include <limits>
#include <string>

#include "ZYNINSBytes.h"
#include "ZYNINSDiag.h"
#include "ZYNINSLimits.h"
#include "ZYNINSTocLines.h"
#include "ZYNINSTocText.h"
#include "ZYNINSUnitTocIO.h"

namespace {
// A keyword reader answers false when it refused the field: nothing more of the line is read.
bool ReadType(ZYNINSLineCursor &cursor, ZYNINSType &type);
bool ReadPackage(ZYNINSLineCursor &cursor, ZYNINSPkg &pkg);
void ReadName(ZYNINSLineCursor &cursor, int field, char *name);
void ReadText(ZYNINSLineCursor &cursor, int field, char *dest, std::size_t room);
void ReadNameList(ZYNINSLineCursor &cursor, int field, int &count, char (*&names)[ZYNINSNameWidth]);
void ReadPairList(ZYNINSLineCursor &cursor, int field, int &count, ZYNINSIfreqPair *&pairs);
void ReadLabel(ZYNINSLineCursor &cursor, char *&label);
void Reject(ZYNINSLineCursor &cursor, ZYNINSLineFault fault, int field, std::size_t offset, std::size_t length,
            const char *key, const char *format, const std::string &what);
}  // namespace

void ZYNINSReadEntry(ZYNINSLineCursor &cursor, ZYNINSUnitToc &entry) {
  if (!ReadType(cursor, entry._Type)) return;
  cursor.Separator(1);
  if (!ReadPackage(cursor, entry._Pkg)) return;
  cursor.Separator(2);
  ReadName(cursor, 3, entry._Name);
  cursor.Separator(3);
  ReadNameList(cursor, 4, entry._NbSupersede, entry._Supersede);
  cursor.Separator(4);
  std::size_t prereqStart = cursor.Position();
  ReadNameList(cursor, 5, entry._NbPrereq, entry._Prereq);
  // A FIX or FSP without prerequisites is refused like an unknown keyword.
  if (entry._NbPrereq == 0 && (entry._Pkg == ZYNINSFIX || entry._Pkg == ZYNINSFSP))
    return Reject(cursor, ZYNINSLineFault::MissingPrereq, 5, prereqStart, 0, "ZYNINSUnitToc.error_prereq",
                  "ZYNINSUnitToc: missing prereq for %s\n", entry._Name);
  cursor.Separator(5);
  ReadPairList(cursor, 6, entry._NbIfreq, entry._Ifreq);
  cursor.Separator(6);
  cursor.Unsigned(7, entry._Size);
  cursor.Separator(7);
  ReadText(cursor, 8, entry._Timestamp, sizeof entry._Timestamp);
  cursor.Separator(8);
  ReadText(cursor, 9, entry._OS, sizeof entry._OS);
  cursor.Separator(9);
  ReadText(cursor, 10, entry._GALevel, sizeof entry._GALevel);
  cursor.Separator(10);
  cursor.Signed(11, entry._SPKLevel);
  cursor.Separator(11);
  ReadLabel(cursor, entry._Label);
}

ZYNINSLineVerdict ZYNINSReadEntryLine(const char *line, std::size_t length, ZYNINSUnitToc &entry,
                                      const ZYNINSTextBounds &text) {
  ZYNINSLineCursor cursor(line, length, text);
  ZYNINSReadEntry(cursor, entry);
  return cursor.Verdict();
}

bool ZYNINSEntryLines::Read(const char *line, std::size_t length, int, ZYNINSUnitToc &entry) {
  return ZYNINSReadEntryLine(line, length, entry, Text).Ok();
}

namespace {

// --- Keywords: fields 1 and 2 ---

// Both keyword fields are compared with their whole text.
bool IsKeyword(const char *begin, const char *end, const char *keyword) {
  for (; begin < end; ++begin, ++keyword)
    if (*keyword == '\0' || *begin != *keyword) return false;
  return *keyword == '\0';
}

// The text of a refused keyword as the diagnostic shows it: at most a name's width.
std::string KeywordText(const char *begin, const char *end) {
  std::size_t length = static_cast<std::size_t>(end - begin);
  return std::string(begin, length < ZYNINSMaxNameLength ? length : ZYNINSMaxNameLength);
}

// Reports a refused keyword field. An empty one at the end of the line is a line cut short;
// any other text is unknown.
bool RejectKeyword(ZYNINSLineCursor &cursor, ZYNINSLineFault unknown, int field, const char *begin,
                   const char *end, const char *key, const char *format) {
  std::size_t length = static_cast<std::size_t>(end - begin);
  ZYNINSLineFault fault = length == 0 && cursor.AtEnd() ? ZYNINSLineFault::CutShort : unknown;
  Reject(cursor, fault, field, cursor.Offset(begin), length, key, format, KeywordText(begin, end));
  return false;
}

bool ReadType(ZYNINSLineCursor &cursor, ZYNINSType &type) {
  const char *begin, *end;
  cursor.Field(begin, end);
  if (IsKeyword(begin, end, ZYNINSTypeKeywords[ZYNINSCode]))
    type = ZYNINSCode;
  else if (IsKeyword(begin, end, ZYNINSTypeKeywords[ZYNINSZarn]))
    type = ZYNINSZarn;
  else
    return RejectKeyword(cursor, ZYNINSLineFault::UnknownType, 1, begin, end, "ZYNINSUnitToc.error_type",
                         "ZYNINSUnitToc: unknown type: %s\n");
  return true;
}

bool ReadPackage(ZYNINSLineCursor &cursor, ZYNINSPkg &pkg) {
  const char *begin, *end;
  cursor.Field(begin, end);
  for (int k = 0; k < ZYNINSNbPkgKeywords; ++k) {
    if (IsKeyword(begin, end, ZYNINSPkgKeywords[k])) {
      pkg = static_cast<ZYNINSPkg>(k);
      return true;
    }
  }
  return RejectKeyword(cursor, ZYNINSLineFault::UnknownPackage, 2, begin, end, "ZYNINSUnitToc.error_package",
                       "ZYNINSUnitToc: unknown package: %s\n");
}

// --- Texts: the name (field 3) and the fixed-width fields 8 to 10 ---

// A NUL byte would silently cut a text short: such a text refuses the line.
bool HoldsNul(const ZYNINSLineCursor &cursor, const char *begin, const char *end) {
  return cursor.HoldsNul() && cursor.Find(begin, end, '\0') != end;
}

// How much of a text field is kept: nothing of a text holding a NUL, at most `widest` bytes of
// a wider one; either refuses the line.
std::size_t KeptLength(ZYNINSLineCursor &cursor, int field, const char *begin, const char *end,
                       std::size_t widest) {
  std::size_t length = static_cast<std::size_t>(end - begin);
  if (length && HoldsNul(cursor, begin, end)) {
    cursor.Fail(ZYNINSLineFault::HoldsNul, field, cursor.Offset(begin));
    return 0;
  }
  if (length > widest) {
    cursor.FailTooWide(field, cursor.Offset(begin), cursor.Offset(begin), length, widest);
    return widest;
  }
  return length;
}

// A name into its 32-byte field, NUL-padded to the field's end.
void CopyName(const ZYNINSLineCursor &cursor, char *name, const char *begin, const char *end) {
  ZYNINSCopyName(name, begin, static_cast<std::size_t>(end - begin), cursor.ReadableEnd());
}

void ReadName(ZYNINSLineCursor &cursor, int field, char *name) {
  const char *begin, *end;
  cursor.Field(begin, end);
  CopyName(cursor, name, begin, begin + KeptLength(cursor, field, begin, end, ZYNINSMaxNameLength));
}

// A text into a field of `room` bytes, its NUL included.
void ReadText(ZYNINSLineCursor &cursor, int field, char *dest, std::size_t room) {
  const char *begin, *end;
  cursor.Field(begin, end);
  std::size_t length = KeptLength(cursor, field, begin, end, room - 1);
  memcpy(dest, begin, length);
  dest[length] = '\0';
}

// --- Lists: fields 4 to 6 ---

// Each item of a list field in turn: runs of spaces separate them.
template <typename Visit>
void ForEachItem(const ZYNINSLineCursor &cursor, const char *begin, const char *end, Visit visit) {
  const char *item = begin;
  while (item < end) {
    const char *stop = cursor.Find(item, end, ' ');
    if (stop > item && !visit(item, stop)) return;
    item = stop + 1;
  }
}

// A list field, checked and counted first so that its array is allocated once with its exact
// size: check(start, item, stop) refuses a faulty item, fill(element, item, stop) copies one in.
// The items of a usual list are remembered while they are checked, so that they are found once.
template <typename Element, typename Check, typename Fill>
void ReadList(ZYNINSLineCursor &cursor, int &count, Element *&elements, Check check, Fill fill) {
  if (cursor.Failed()) return;
  std::size_t start = cursor.Position();
  cursor.SkipSpace();
  const char *begin, *end;
  cursor.Field(begin, end);
  constexpr int kRemembered = 32;
  const char *items[kRemembered][2];
  int nbItems = 0;
  ForEachItem(cursor, begin, end, [&](const char *item, const char *stop) {
    if (!check(start, item, stop)) return false;
    if (nbItems < kRemembered) {
      items[nbItems][0] = item;
      items[nbItems][1] = stop;
    }
    ++nbItems;
    return true;
  });
  if (cursor.Failed() || nbItems == 0) return;
  elements = new Element[nbItems];
  count = 0;
  if (nbItems <= kRemembered) {
    for (; count < nbItems; ++count) fill(elements[count], items[count][0], items[count][1]);
    return;
  }
  ForEachItem(cursor, begin, end, [&](const char *item, const char *stop) {
    fill(elements[count++], item, stop);
    return true;
  });
}

// A faulty item refuses the line at its field's start; the verdict tells where the item begins.
bool RefuseItem(ZYNINSLineCursor &cursor, ZYNINSLineFault fault, int field, std::size_t start, const char *item) {
  cursor.Fail(fault, field, start);
  cursor.Verdict().itemOffset = cursor.Offset(item);
  return false;
}

// Names separated by runs of spaces.
void ReadNameList(ZYNINSLineCursor &cursor, int field, int &count, char (*&names)[ZYNINSNameWidth]) {
  ReadList(
      cursor, count, names,
      [&](std::size_t start, const char *item, const char *stop) {
        std::size_t length = static_cast<std::size_t>(stop - item);
        if (HoldsNul(cursor, item, stop)) return RefuseItem(cursor, ZYNINSLineFault::HoldsNul, field, start, item);
        if (length <= ZYNINSMaxNameLength) return true;
        cursor.FailTooWide(field, start, cursor.Offset(item), length, ZYNINSMaxNameLength);
        return false;
      },
      [&](char (&name)[ZYNINSNameWidth], const char *item, const char *stop) { CopyName(cursor, name, item, stop); });
}

// Condition/required items, split like a name list.
void ReadPairList(ZYNINSLineCursor &cursor, int field, int &count, ZYNINSIfreqPair *&pairs) {
  ReadList(
      cursor, count, pairs,
      [&](std::size_t start, const char *item, const char *stop) {
        const char *slash = cursor.Find(item, stop, '/');
        if (slash == stop) return RefuseItem(cursor, ZYNINSLineFault::PairWithoutSlash, field, start, item);
        if (HoldsNul(cursor, item, stop)) return RefuseItem(cursor, ZYNINSLineFault::HoldsNul, field, start, item);
        std::size_t condition = static_cast<std::size_t>(slash - item);
        std::size_t required = static_cast<std::size_t>(stop - slash - 1);
        if (condition <= ZYNINSMaxNameLength && required <= ZYNINSMaxNameLength) return true;
        bool first = condition > ZYNINSMaxNameLength;
        cursor.FailTooWide(field, start, cursor.Offset(first ? item : slash + 1), first ? condition : required,
                           ZYNINSMaxNameLength);
        return false;
      },
      [&](ZYNINSIfreqPair &pair, const char *item, const char *stop) {
        const char *slash = cursor.Find(item, stop, '/');
        CopyName(cursor, pair.GetCondName(), item, slash);
        CopyName(cursor, pair.GetReqName(), slash + 1, stop);
      });
}

// --- The label: field 12 ---

// The label runs to the next ':' or the end of the line; the ':' after it is never needed.
void ReadLabel(ZYNINSLineCursor &cursor, char *&label) {
  const char *begin, *end;
  cursor.Field(begin, end);
  std::size_t length = static_cast<std::size_t>(end - begin);
  // Allocated before the old label goes, so that a failure leaves the record releasable.
  char *copy = new char[length + 1];
  memcpy(copy, begin, length);
  copy[length] = '\0';
  delete[] label;
  label = copy;
}

// A refused keyword or a missing prerequisite: reported, and nothing more is read.
void Reject(ZYNINSLineCursor &cursor, ZYNINSLineFault fault, int field, std::size_t offset, std::size_t length,
            const char *key, const char *format, const std::string &what) {
  ZYNINSReport(key, format, {what});
  if (!cursor.Failed()) {
    cursor.Fail(fault, field, offset);
    cursor.Verdict().length = length;
  }
  cursor.Verdict().reported = true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// --- The cursor's steps ---

void ZYNINSLineCursor::Fail(ZYNINSLineFault fault, int field, std::size_t offset) {
  if (Failed()) return;
  _Verdict.fault = fault;
  _Verdict.inPrefix = _InPrefix;
  _Verdict.field = field;
  _Verdict.offset = _Verdict.itemOffset = offset;
}

void ZYNINSLineCursor::FailTooWide(int field, std::size_t offset, std::size_t itemOffset, std::size_t length,
                                   std::size_t limit) {
  if (Failed()) return;
  Fail(ZYNINSLineFault::TooWide, field, offset);
  _Verdict.itemOffset = itemOffset;
  _Verdict.length = length;
  _Verdict.limit = limit;
}

const char *ZYNINSLineCursor::Find(const char *begin, const char *end, char wanted) const {
  return ZYNINSFindByte(begin, end, _Readable, wanted);
}

void ZYNINSLineCursor::Field(const char *&begin, const char *&end) {
  begin = end = _Pos;
  if (Failed()) return;
  end = _Pos = Find(_Pos, _End, ':');
}

void ZYNINSLineCursor::Separator(int field) {
  if (Failed()) return;
  if (_Pos == _End) {
    // An empty field at the end: the line stops where it should begin.
    bool empty = _Pos == _FieldStart;
    Fail(empty ? ZYNINSLineFault::CutShort : ZYNINSLineFault::MissingColon, field, Offset(_FieldStart));
  } else if (*_Pos != ':') {
    // Only a number stops before its ':': what follows it belongs to no number.
    Fail(ZYNINSLineFault::NotDecimal, field, Offset(_FieldStart));
  } else {
    ++_Pos;
    _FieldStart = _Pos;
  }
}

void ZYNINSLineCursor::SkipOne(int field) {
  if (Failed()) return;
  if (_Pos == _End) {
    Fail(_Pos == _FieldStart ? ZYNINSLineFault::CutShort : ZYNINSLineFault::MissingColon, field,
         Offset(_FieldStart));
    return;
  }
  _FieldStart = ++_Pos;
}

void ZYNINSLineCursor::SkipSpace() {
  if (Failed()) return;
  while (_Pos < _End && ZYNINSIsSpace(*_Pos)) ++_Pos;
}

bool ZYNINSLineCursor::Digits(int field, const char *begin, bool &negative, unsigned long long &magnitude,
                              bool &overflow) {
  SkipSpace();
  if (_Pos == _End) {
    Fail(ZYNINSLineFault::CutShort, field, Offset(begin));
    return false;
  }
  negative = *_Pos == '-';
  if (*_Pos == '-' || *_Pos == '+') ++_Pos;
  if (_Pos == _End || !IsDigit(*_Pos)) {
    Fail(ZYNINSLineFault::NotDecimal, field, Offset(begin));
    return false;
  }
  magnitude = 0;
  overflow = false;
  for (; _Pos < _End && IsDigit(*_Pos); ++_Pos) {
    magnitude = magnitude * 10 + static_cast<unsigned>(*_Pos - '0');
    // Anything above 2^32 is out of range for both kinds: stop growing there.
    if (magnitude > 0x100000000ULL) {
      overflow = true;
      magnitude = 0x100000000ULL + 1;
    }
  }
  return true;
}

template <typename Number>
void ZYNINSLineCursor::Decimal(int field, Number &value) {
  if (Failed()) return;
  const char *begin = _Pos;
  bool negative = false, overflow = false;
  unsigned long long magnitude = 0;
  if (!Digits(field, begin, negative, magnitude, overflow)) {
    if (!AtEnd()) value = 0;  // as a stream leaves it
    return;
  }
  using Limits = std::numeric_limits<Number>;
  const bool below = negative && Limits::is_signed;
  const unsigned long long limit = static_cast<unsigned long long>(Limits::max()) + (below ? 1 : 0);
  if (overflow || magnitude > limit) {
    value = below ? Limits::min() : Limits::max();
    Fail(ZYNINSLineFault::OutOfRange, field, Offset(begin));
    return;
  }
  if constexpr (Limits::is_signed)
    value = static_cast<Number>(negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude));
  else
    value = static_cast<Number>(negative ? 0ULL - magnitude : magnitude);  // wraps, as a stream does
}

void ZYNINSLineCursor::Unsigned(int field, unsigned int &value) { Decimal(field, value); }
void ZYNINSLineCursor::Signed(int field, int &value) { Decimal(field, value); }

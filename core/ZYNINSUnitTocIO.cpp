// Reading and writing TOC lines, and reading the counted lines of a TOC file.
#include "ZYNINSUnitTocIO.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSNames.h"

const char *const ZYNINSTypeKeywords[ZYNINSNbTypeKeywords] = {"code", "zarn", "unknownM", "unknownQ"};
const char *const ZYNINSPkgKeywords[ZYNINSNbPkgKeywords] = {"FWK", "GRP", "PRD", "SLT", "FIX", "FSP", "SPK"};

const char *ZYNINSTypeName(int type) {
  return type >= 0 && type < ZYNINSNbTypeKeywords ? ZYNINSTypeKeywords[type] : "unknown";
}

namespace {

// Every character up to the next ':' (left unread) or the end of the stream.
std::string ReadField(std::istream &in) {
  std::string text;
  if (!in) return text;
  for (int c = in.peek(); c != std::char_traits<char>::eof() && c != ':'; c = in.peek())
    text += static_cast<char>(in.get());
  return text;
}

// Consumes the ':' that ends a field; anything else means the field was malformed.
void SkipSeparator(std::istream &in) {
  if (in.get() != ':') in.setstate(std::ios::failbit);
}

// A NUL byte (a damaged file) would silently cut a name short: such a text is refused.
bool HoldsNul(const std::string &text) { return text.find('\0') != std::string::npos; }

// Copies a field into a fixed-width text; a field wider than the text rejects the line.
void ReadText(std::istream &in, char *dest, size_t width) {
  std::string text = ReadField(in);
  if (HoldsNul(text)) {
    in.setstate(std::ios::failbit);
    text.clear();
  }
  if (text.size() > width - 1) {
    in.setstate(std::ios::failbit);
    text.resize(width - 1);
  }
  memcpy(dest, text.c_str(), text.size() + 1);
}

// Splits a list field at runs of spaces.
std::vector<std::string> SplitItems(const std::string &field) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < field.size()) {
    size_t end = field.find(' ', start);
    if (end == std::string::npos) end = field.size();
    if (end > start) items.push_back(field.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

bool FitsName(const std::string &name) { return name.size() <= ZYNINSMaxNameLength && !HoldsNul(name); }

// Reads a name list; the array is allocated once, with its exact size.
void ReadNameList(std::istream &in, int &count, char (*&names)[ZYNINSNameWidth]) {
  in >> std::ws;
  std::vector<std::string> items = SplitItems(ReadField(in));
  for (const std::string &item : items)
    if (!FitsName(item)) {
      in.setstate(std::ios::failbit);
      return;
    }
  count = static_cast<int>(items.size());
  if (!count) return;
  names = new char[count][ZYNINSNameWidth];
  for (int i = 0; i < count; ++i) ZYNINSCopyName(names[i], items[i]);
}

// Reads a pair list: condition/required items, split like a name list.
void ReadPairList(std::istream &in, int &count, ZYNINSIfreqPair *&pairs) {
  in >> std::ws;
  std::vector<std::string> items = SplitItems(ReadField(in));
  for (const std::string &item : items) {
    size_t slash = item.find('/');
    if (slash == std::string::npos || !FitsName(item.substr(0, slash)) || !FitsName(item.substr(slash + 1))) {
      in.setstate(std::ios::failbit);
      return;
    }
  }
  count = static_cast<int>(items.size());
  if (!count) return;
  pairs = new ZYNINSIfreqPair[count];
  for (int i = 0; i < count; ++i) {
    size_t slash = items[i].find('/');
    ZYNINSCopyName(pairs[i].GetCondName(), items[i].substr(0, slash));
    ZYNINSCopyName(pairs[i].GetReqName(), items[i].substr(slash + 1));
  }
}

// Reports a rejected line; the stream is left with the fail bit alone.
std::istream &Reject(std::istream &in, const char *key, const char *format, const std::string &what) {
  ZYNINSReport(key, format, {what});
  in.clear(std::ios::failbit);
  return in;
}

}  // namespace

std::istream &operator>>(std::istream &in, ZYNINSUnitToc &entry) {
  in >> std::dec;
  std::string type = ReadField(in);
  if (type == ZYNINSTypeKeywords[ZYNINSCode]) entry._Type = ZYNINSCode;
  else if (type == ZYNINSTypeKeywords[ZYNINSZarn]) entry._Type = ZYNINSZarn;
  else return Reject(in, "ZYNINSUnitToc.error_type", "ZYNINSUnitToc: unknown type: %s\n", type.substr(0, ZYNINSMaxNameLength));
  SkipSeparator(in);

  std::string pkg = ReadField(in);
  int found = -1;
  for (int k = 0; k < ZYNINSNbPkgKeywords && found < 0; ++k)
    if (pkg == ZYNINSPkgKeywords[k]) found = k;
  if (found < 0) return Reject(in, "ZYNINSUnitToc.error_package", "ZYNINSUnitToc: unknown package: %s\n", pkg.substr(0, ZYNINSMaxNameLength));
  entry._Pkg = static_cast<ZYNINSPkg>(found);
  SkipSeparator(in);

  ReadText(in, entry._Name, sizeof entry._Name);
  SkipSeparator(in);
  ReadNameList(in, entry._NbSupersede, entry._Supersede);
  SkipSeparator(in);
  ReadNameList(in, entry._NbPrereq, entry._Prereq);
  if (entry._NbPrereq == 0 && (entry._Pkg == ZYNINSFIX || entry._Pkg == ZYNINSFSP))
    return Reject(in, "ZYNINSUnitToc.error_prereq", "ZYNINSUnitToc: missing prereq for %s\n", entry._Name);
  SkipSeparator(in);
  ReadPairList(in, entry._NbIfreq, entry._Ifreq);
  SkipSeparator(in);
  in >> entry._Size;
  SkipSeparator(in);
  ReadText(in, entry._Timestamp, sizeof entry._Timestamp);
  SkipSeparator(in);
  ReadText(in, entry._OS, sizeof entry._OS);
  SkipSeparator(in);
  ReadText(in, entry._GALevel, sizeof entry._GALevel);
  SkipSeparator(in);
  in >> entry._SPKLevel;
  SkipSeparator(in);

  std::string label = ReadField(in);
  delete[] entry._Label;
  entry._Label = new char[label.size() + 1];
  memcpy(entry._Label, label.c_str(), label.size() + 1);
  return in;
}

std::ostream &operator<<(std::ostream &out, ZYNINSUnitToc &entry) {
  const char *pkg = entry._Pkg >= 0 && entry._Pkg < ZYNINSNbPkgKeywords ? ZYNINSPkgKeywords[entry._Pkg] : "";
  out << ZYNINSTypeName(entry._Type) << ':' << pkg << ':' << entry._Name << ':';
  for (int i = 0; i < entry._NbSupersede; ++i) out << entry._Supersede[i] << ' ';
  out << ':';
  for (int i = 0; i < entry._NbPrereq; ++i) out << entry._Prereq[i] << ' ';
  out << ':';
  for (int i = 0; i < entry._NbIfreq; ++i)
    out << entry._Ifreq[i].GetCondName() << '/' << entry._Ifreq[i].GetReqName() << ' ';
  out << ':' << entry._Size << ':' << entry._Timestamp << ':' << entry._OS << ':' << entry._GALevel << ':'
      << entry._SPKLevel << ':' << (entry._Label ? entry._Label : "") << ':' << '\n'
      << std::flush;
  return out;
}


int ZYNINSReadTocLines(std::istream &file, int nbLines,
                       const std::function<void(std::istream &fields, int k)> &readFields) {
  std::string line;
  for (int k = 0; k < nbLines; ++k) {
    // A line missing since the count (the file shrank meanwhile) is refused like a bad one.
    if (!std::getline(file, line)) return k + 1;
    std::istringstream fields(line);
    fields >> std::dec;
    readFields(fields, k);
    if (fields.fail() || fields.bad()) return k + 1;
  }
  return 0;
}

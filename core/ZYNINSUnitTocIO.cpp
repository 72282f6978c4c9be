#include "ZYNINSUnitTocIO.h"

#include <string>

#include "ZYNINSLineReader.h"

const char *const ZYNINSTypeKeywords[4] = {"code", "zarn", "unknownM", "unknownQ"};
const char *const ZYNINSPkgKeywords[7] = {"FWK", "GRP", "PRD", "SLT", "FIX", "FSP", "SPK"};

const char *ZYNINSTypeName(int type) {
  return type >= 0 && type < 4 ? ZYNINSTypeKeywords[type] : "unknown";
}

// The stream form of the line reader, for a stream positioned on one line: what remains of
// that line (up to its newline, left unread) is read as the buffer reader reads a line.
std::istream &operator>>(std::istream &in, ZYNINSUnitToc &entry) {
  std::string line;
  if (in) {
    std::streambuf *buffer = in.rdbuf();
    for (int c = buffer->sgetc(); ; c = buffer->snextc()) {
      if (c == std::char_traits<char>::eof()) {
        in.setstate(std::ios::eofbit);
        break;
      }
      if (c == '\n') break;
      line += static_cast<char>(c);
    }
  }
  ZYNINSLineCursor cursor(line.data(), line.size());
  // A stream failed beforehand reads as a line that is already refused.
  if (!in) cursor.Fail(ZYNINSLineFault::CutShort, 1, 0);
  ZYNINSReadEntry(cursor, entry);
  const ZYNINSLineVerdict &verdict = cursor.Verdict();
  if (verdict.reported)
    in.clear(std::ios::failbit);  // a reported line leaves the fail bit alone
  else if (!verdict.Ok())
    in.setstate(std::ios::failbit);
  return in;
}

std::ostream &operator<<(std::ostream &out, ZYNINSUnitToc &entry) {
  const char *pkg = entry._Pkg >= 0 && entry._Pkg < 7 ? ZYNINSPkgKeywords[entry._Pkg] : "";
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


// Keyword tables, and the stream forms of the line reader and the line writer.
#include "ZYNINSUnitTocIO.h"

#include <charconv>
#include <cstring>
#include <string>

#include "ZYNINSFormat.h"
#include "ZYNINSLimits.h"
#include "ZYNINSLineReader.h"
#include "ZYNINSNames.h"

const char *const ZYNINSTypeKeywords[ZYNINSNbTypeKeywords] = {"code", "zarn", "unknownM", "unknownQ"};
const char *const ZYNINSPkgKeywords[ZYNINSNbPkgKeywords] = {"FWK", "GRP", "PRD", "SLT", "FIX", "FSP", "SPK"};

const char *ZYNINSTypeName(int type) {
  return type >= 0 && type < ZYNINSNbTypeKeywords ? ZYNINSTypeKeywords[type] : "unknown";
}

const char *ZYNINSTypeKeyword(int type) { return ZYNINSIsEntryType(type) ? ZYNINSTypeKeywords[type] : nullptr; }

const char *ZYNINSPkgKeyword(int pkg) { return pkg >= 0 && pkg < ZYNINSNbPkgKeywords ? ZYNINSPkgKeywords[pkg] : nullptr; }

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

namespace {

// Appends a name field's text, which ends at its NUL or with the field.
void AppendName(std::string &line, const char *name) { line.append(name, strnlen(name, ZYNINSNameWidth)); }

template <typename Number>
void AppendNumber(std::string &line, Number value) {
  char digits[16];
  line.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

// The line in one piece, so that the stream is written once per entry.
void FormatLine(std::string &line, const ZYNINSUnitToc &entry, const char *pkg, const char *timestamp,
                std::size_t timestampRoom) {
  line.clear();
  line += ZYNINSTypeName(entry.GetType());
  line += ':';
  line += pkg;
  line += ':';
  AppendName(line, entry.GetName());
  line += ':';
  for (int i = 0; i < entry.GetNbSupersede(); ++i) {
    AppendName(line, entry.GetSupersede(i));
    line += ' ';
  }
  line += ':';
  for (int i = 0; i < entry.GetNbPrereq(); ++i) {
    AppendName(line, entry.GetPrereq(i));
    line += ' ';
  }
  line += ':';
  for (int i = 0; i < entry.GetNbIfreq(); ++i) {
    AppendName(line, entry.GetIfreq(i)->GetCondName());
    line += '/';
    AppendName(line, entry.GetIfreq(i)->GetReqName());
    line += ' ';
  }
  line += ':';
  AppendNumber(line, entry.GetSize());
  line += ':';
  line.append(timestamp, strnlen(timestamp, timestampRoom));
  line += ':';
  line.append(entry.GetOS(), strnlen(entry.GetOS(), ZYNINSLevelWidth));
  line += ':';
  line.append(entry.GetGALevel(), strnlen(entry.GetGALevel(), ZYNINSLevelWidth));
  line += ':';
  AppendNumber(line, entry.GetSPKLevel());
  line += ':';
  if (entry.GetLabel()) line += entry.GetLabel();
  line += ":\n";
}

}  // namespace

std::ostream &operator<<(std::ostream &out, ZYNINSUnitToc &entry) {
  const char *pkg = ZYNINSPkgKeyword(entry._Pkg);
  if (!pkg) pkg = "";
  // A stream with its own number formatting or field width gets the numbers its way.
  if (out.flags() != (std::ios::skipws | std::ios::dec) || out.width() != 0) {
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
  std::string line;
  FormatLine(line, entry, pkg, entry._Timestamp, sizeof entry._Timestamp);
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.flush();
  return out;
}

#include "ZYNINSLintLineReader.h"

#include <cctype>
#include <string>

#include "ZYNINSDiag.h"
#include "ZYNINSFormat.h"
#include "ZYNINSLimits.h"
#include "ZYNINSLineReader.h"
#include "ZYNINSPrefixReader.h"

namespace {

const char *const kEntryFields[] = {"type",      "package", "name",      "supersede list",
                                    "prerequisite list", "conditional requisites", "size", "time stamp",
                                    "OS tag",    "GA level", "service-pack level", "label"};
const char *const kPrefixFields[] = {"media prefix tag", "sequence number", "media size"};

const char *FieldName(const ZYNINSLineVerdict &verdict) {
  if (verdict.inPrefix) return verdict.field >= 1 && verdict.field <= 3 ? kPrefixFields[verdict.field - 1] : "media prefix";
  return verdict.field >= 1 && verdict.field <= 12 ? kEntryFields[verdict.field - 1] : "line";
}

// The text at an offset up to the next stop character or the end of the line.
std::string TextAt(const std::string &line, std::size_t offset, const char *stops) {
  if (offset >= line.size()) return "";
  std::size_t end = line.find_first_of(stops, offset);
  return line.substr(offset, (end == std::string::npos ? line.size() : end) - offset);
}

// The keyword that the text matches but for letter case, if any, among those a line carries:
// keyword(k) for k below count, null for a value no line carries.
std::string CloseKeyword(const std::string &text, const char *(*keyword)(int), int count) {
  for (int k = 0; k < count; ++k) {
    if (!keyword(k)) continue;
    std::string candidate = keyword(k);
    if (candidate.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < text.size() && same; ++i)
      same = std::tolower(static_cast<unsigned char>(text[i])) == std::tolower(static_cast<unsigned char>(candidate[i]));
    if (same) return candidate;
  }
  return "";
}

std::string Unknown(const char *what, const std::string &text, const std::string &close) {
  std::string message = std::string("unknown ") + what + " " + ZYNINSLintQuote(text);
  return close.empty() ? message : message + " (did you mean '" + close + "'?)";
}

// What is wrong, in words.
std::string Describe(const ZYNINSLineVerdict &verdict, const std::string &line, const ZYNINSUnitToc &entry) {
  const std::string field = FieldName(verdict);
  switch (verdict.fault) {
    case ZYNINSLineFault::CutShort:
      if (verdict.inPrefix && verdict.field == 1) return "the line has no media prefix tag: it is empty or all zeros";
      return "the line ends where the " + field + " should begin";
    case ZYNINSLineFault::MissingColon:
      return "the " + field + " runs to the end of the line without its ':'";
    case ZYNINSLineFault::TooWide: {
      std::string widths = " is " + std::to_string(verdict.length) + " bytes wide, at most " +
                           std::to_string(verdict.limit);
      if (verdict.field >= 4 && verdict.field <= 6 && !verdict.inPrefix)
        return "the " + field + " holds " + ZYNINSLintQuote(line.substr(verdict.itemOffset, verdict.length)) +
               ", which" + widths;
      return "the " + field + " " + ZYNINSLintQuote(line.substr(verdict.offset, verdict.length)) + widths;
    }
    case ZYNINSLineFault::HoldsNul:
      return "the " + field + " holds a NUL byte";
    case ZYNINSLineFault::NotDecimal:
      return "the " + field + " " + ZYNINSLintQuote(TextAt(line, verdict.offset, ":")) + " is not a decimal number";
    case ZYNINSLineFault::OutOfRange:
      return "the " + field + " " + ZYNINSLintQuote(TextAt(line, verdict.offset, ":")) + " is out of range";
    case ZYNINSLineFault::UnknownType: {
      std::string text = TextAt(line, verdict.offset, ":");
      return Unknown("type", text, CloseKeyword(text, ZYNINSTypeKeyword, ZYNINSNbTypeKeywords));
    }
    case ZYNINSLineFault::UnknownPackage: {
      std::string text = TextAt(line, verdict.offset, ":");
      return Unknown("package kind", text, CloseKeyword(text, ZYNINSPkgKeyword, ZYNINSNbPkgKeywords));
    }
    case ZYNINSLineFault::PairWithoutSlash:
      return "the conditional requisite " + ZYNINSLintQuote(TextAt(line, verdict.itemOffset, " :")) +
             " has no '/' between its condition and the unit it requires";
    case ZYNINSLineFault::MissingPrereq:
      return std::string(entry.GetPkg() == ZYNINSFSP ? "framework service pack " : "fix ") +
             ZYNINSLintQuote(entry.GetName()) + " has no prerequisites";
    case ZYNINSLineFault::None:
      break;
  }
  return "the line is refused";
}

}  // namespace

void ZYNINSLintReadLine(ZYNINSLintedFile &file, int i) {
  ZYNINSLintLine &line = file.Lines[i];
  ZYNINSUnitToc &entry = file.Entries[i];
  // The reader reports some faults as diagnostics; the checks report them their own way.
  ZYNINSQuietDiagnostics quiet;
  ZYNINSLineVerdict verdict;
  if (file.IsMedia()) {
    ZYNINSPrefixToc prefix;
    ZYNINSLineCursor cursor(line.Text.data(), line.Text.size());
    ZYNINSReadPrefix(cursor, prefix);
    line.EntryStart = cursor.Position();
    ZYNINSReadEntry(cursor, entry);
    verdict = cursor.Verdict();
    line.IndexI = prefix.GetIndexI();
    line.MediaSize = prefix.GetMediaSize();
  } else {
    verdict = ZYNINSReadEntryLine(line.Text.data(), line.Text.size(), entry);
  }
  line.Read = verdict.Ok();
  // A fault after the name leaves the type and name read.
  line.NameRead = line.Read || (!verdict.inPrefix && verdict.field > 3);
  if (line.Read) return;
  std::string message = Describe(verdict, line.Text, entry);
  if (verdict.inPrefix) message = "bad media prefix: " + message;
  file.Error(i + 1, static_cast<int>(verdict.offset) + 1, FieldName(verdict), message);
}

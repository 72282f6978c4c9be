// Checking a catalogue file: read it the way loading does, then run the checks across
// its lines.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "ZYNINSGuard.h"
#include "ZYNINSLimits.h"
#include "ZYNINSLintFile.h"
#include "ZYNINSLintLineReader.h"
#include "ZYNINSTocText.h"
#include "ZYNSystem.h"

namespace {

// Reads the lines a catalogue may hold into kept (the rest are not checked) and counts every
// line, as loading counts them.
long long ReadKeptLines(std::istream &in, std::string &kept) {
  char chunk[65536];
  ZYNINSLineCounter counter;
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    const char *end = chunk + in.gcount();
    const char *keep = counter.Newlines() < ZYNINSMostLines ? counter.Count(chunk, end, ZYNINSMostLines) : chunk;
    kept.append(chunk, static_cast<std::size_t>(keep - chunk));
    counter.Count(keep, end, std::numeric_limits<long long>::max());
  }
  return counter.Lines();
}

// Opens the file unless it cannot be read as a catalogue; false with the reason (or an empty
// one) when it cannot. Loading refuses the same files.
bool OpenCatalogue(const std::string &path, std::ifstream &in, std::string &reason) {
  errno = 0;
  switch (ZYNGetFileKind(path.c_str())) {
    case ZYNFileKind::Missing:
      // Not opened either: on Windows a device name such as CON is no file but opens.
      reason = errno ? std::strerror(errno) : "";
      return false;
    case ZYNFileKind::Directory:
      // Opens on some systems and is refused as "Permission denied" on others: named
      // first, it reads the same everywhere.
      reason = std::strerror(EISDIR);
      return false;
    case ZYNFileKind::Other:
      // A FIFO would block the open, a device might never end.
      reason = "not a regular file";
      return false;
    case ZYNFileKind::Regular:
      break;
  }
  errno = 0;
  in.open(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) reason = errno ? std::strerror(errno) : "";
  return in.is_open();
}

// The lines as loading divides them, without their line ends.
std::vector<ZYNINSLintLine> SplitLines(const std::string &text) {
  std::vector<ZYNINSLintLine> lines;
  const char *end = text.data() + text.size();
  for (const char *at = text.data(); at < end;) {
    ZYNINSTextLine line = ZYNINSNextLine(at, end);
    lines.emplace_back();
    lines.back().Text.assign(line.Begin, line.Length);
    at = line.Next;
  }
  return lines;
}

// A medium's line starts with zeros, a tag, a separator and a sequence number.
bool HasMediaPrefix(const std::string &line) {
  std::size_t at = line.find_first_not_of('0');
  if (at == std::string::npos || at + 2 >= line.size()) return false;
  at += 2;
  if (line[at] == '-' || line[at] == '+') ++at;
  return at < line.size() && line[at] >= '0' && line[at] <= '9';
}

ZYNINSLintKind GuessKind(const std::vector<ZYNINSLintLine> &lines) {
  for (const ZYNINSLintLine &line : lines)
    if (!line.Text.empty()) return HasMediaPrefix(line.Text) ? ZYNINSLintMedia : ZYNINSLintInstalled;
  return ZYNINSLintInstalled;
}

}  // namespace

int ZYNINSLintedFile::FieldColumn(int i, int field) const {
  const std::string &text = Lines[i].Text;
  std::size_t at = Lines[i].EntryStart;
  for (int k = 1; k < field && at < text.size(); ++k) {
    std::size_t colon = text.find(':', at);
    at = colon == std::string::npos ? text.size() : colon + 1;
  }
  return static_cast<int>(at) + 1;
}

std::string ZYNINSLintedFile::RawField(int i, int field) const {
  const std::string &text = Lines[i].Text;
  std::size_t begin = static_cast<std::size_t>(FieldColumn(i, field) - 1);
  if (begin >= text.size()) return "";
  std::size_t end = text.find(':', begin);
  return text.substr(begin, (end == std::string::npos ? text.size() : end) - begin);
}

int ZYNINSLintedFile::SequenceColumn(int i) const {
  // After the leading zeros, the tag and one separator.
  std::size_t tag = Lines[i].Text.find_first_not_of('0');
  return tag == std::string::npos ? 1 : static_cast<int>(tag) + 3;
}

void ZYNINSLintedFile::Add(const std::string &file, int line, int column, ZYNINSLintSeverity severity,
                           const char *field, const std::string &message) {
  ZYNINSLintFinding finding;
  finding.File = file;
  finding.Line = line;
  finding.Column = column;
  finding.Severity = severity;
  finding.Field = field ? field : "";
  finding.Message = message;
  (severity == ZYNINSLintError ? _Errors : _Warnings).push_back(finding);
}

ZYNINSLintReport ZYNINSLintedFile::TakeReport() {
  ZYNINSLintReport report;
  report.Kind = _Kind;
  report.NbErrors = static_cast<int>(_Errors.size());
  report.NbWarnings = static_cast<int>(_Warnings.size());
  std::stable_sort(_Warnings.begin(), _Warnings.end(), [this](const ZYNINSLintFinding &a, const ZYNINSLintFinding &b) {
    bool aElsewhere = a.File != _Path, bElsewhere = b.File != _Path;
    if (aElsewhere != bElsewhere) return bElsewhere;
    return a.Line < b.Line;
  });
  report.Findings = std::move(_Errors);
  report.Findings.insert(report.Findings.end(), _Warnings.begin(), _Warnings.end());
  _Errors.clear();
  _Warnings.clear();
  return report;
}

std::string ZYNINSLintQuote(const std::string &text) {
  const std::size_t kShown = 40;
  std::string quoted = "'" + ZYNINSEscapeText(text.substr(0, kShown), ZYNINSTextAscii);
  if (text.size() > kShown) quoted += "...";
  return quoted + "'";
}

namespace {

ZYNINSLintReport LintFile(const char *path, ZYNINSLintKind kind) {
  ZYNINSLintedFile file(path, kind);
  std::ifstream in;
  std::string reason, text;
  long long nbLines = 0;
  // Read through the stream, which turns a failing read into its bad state.
  bool read = OpenCatalogue(file.Path(), in, reason);
  if (read) {
    nbLines = ReadKeptLines(in, text);
    read = !in.bad();
    if (!read) reason = errno ? std::strerror(errno) : "";
  }
  if (!read) {
    ZYNINSLintedFile unreadable(path, kind == ZYNINSLintGuess ? ZYNINSLintInstalled : kind);
    unreadable.Error(0, 0, nullptr, "cannot read the file" + (reason.empty() ? "" : ": " + reason));
    return unreadable.TakeReport();
  }

  file.Lines = SplitLines(text);
  if (kind == ZYNINSLintGuess) file.SetKind(GuessKind(file.Lines));

  // Loading counts the lines before it reads any.
  if (nbLines > ZYNINSMostLines)
    file.Error(ZYNINSMostLines + 1, 0, nullptr,
               "the file has " + std::to_string(nbLines) + " lines; a catalogue holds at most " +
                   std::to_string(ZYNINSMostLines));

  file.Entries.reset(new ZYNINSUnitToc[file.Lines.size()]);
  for (int i = 0; i < file.NbLines(); ++i) {
    file.Entries[i].Clear();
    ZYNINSLintReadLine(file, i);
  }

  // The checks loading makes once every line is read, in its order.
  ZYNINSLintLevels(file);
  ZYNINSLintDuplicates(file);
  ZYNINSLintFrameworks(file);
  // What loads but is probably a mistake.
  ZYNINSLintReferences(file);
  ZYNINSLintCycles(file);
  ZYNINSLintSequence(file);
  ZYNINSLintSignedSizes(file);
  ZYNINSLintControlNames(file);
  ZYNINSLintVisibilityList(file);
  return file.TakeReport();
}

}  // namespace

ZYNINSLintReport ZYNINSLintFile(const char *path, ZYNINSLintKind kind) {
  ZYNINSLintReport report;
  if (ZYNINSRunGuarded([&] { report = LintFile(path, kind); }) == ZYNINSThrown::Nothing) return report;
  // Out of memory: one error, with as much of its text as there is room for.
  ZYNINSLintReport failed;
  failed.Kind = kind == ZYNINSLintGuess ? ZYNINSLintInstalled : kind;
  failed.NbErrors = 1;
  ZYNINSRunGuarded([&] {
    ZYNINSLintFinding finding;
    finding.File = path ? path : "";
    finding.Message = "not enough memory to check the file";
    failed.Findings.push_back(finding);
  });
  return failed;
}

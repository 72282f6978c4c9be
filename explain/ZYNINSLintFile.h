// The catalogue checks' view of one file: its raw lines, what the line reader made of
// each, and the findings collected so far.
#ifndef ZYNINSLintFile_h
#define ZYNINSLintFile_h

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "ZYNINSExplain.h"
#include "ZYNINSToc.h"

struct ZYNINSLintLine {
  std::string Text;            // the raw line, without its newline
  std::size_t EntryStart = 0;  // where the entry fields begin: after a medium's prefix
  bool Read = false;           // the line reader accepted the line
  bool NameRead = false;       // its type and name were read, even if a later field was refused
  int IndexI = 0;              // a medium's sequence number, when read
  unsigned int MediaSize = 0;  // and its media size
};

class ZYNINSLintedFile {
 public:
  ZYNINSLintedFile(const char *path, ZYNINSLintKind kind) : _Path(path ? path : ""), _Kind(kind) {}

  const std::string &Path() const { return _Path; }
  ZYNINSLintKind Kind() const { return _Kind; }
  void SetKind(ZYNINSLintKind kind) { _Kind = kind; }
  bool IsMedia() const { return _Kind == ZYNINSLintMedia; }

  // The lines and their entries, at the same positions.
  std::vector<ZYNINSLintLine> Lines;
  std::unique_ptr<ZYNINSUnitToc[]> Entries;
  int NbLines() const { return static_cast<int>(Lines.size()); }
  // Entry i, or null when its line was refused.
  const ZYNINSUnitToc *Entry(int i) const { return Lines[i].Read ? &Entries[i] : nullptr; }

  // Column (from 1) where entry field `field` (1 to 12) of a read line begins.
  int FieldColumn(int i, int field) const;
  // The raw text of entry field `field` of a line, as far as the line has it.
  std::string RawField(int i, int field) const;
  // Column (from 1) of a medium line's sequence number.
  int SequenceColumn(int i) const;

  void Error(int line, int column, const char *field, const std::string &message) {
    Add(_Path, line, column, ZYNINSLintError, field, message);
  }
  void Warning(int line, int column, const char *field, const std::string &message) {
    Add(_Path, line, column, ZYNINSLintWarning, field, message);
  }
  void Add(const std::string &file, int line, int column, ZYNINSLintSeverity severity, const char *field,
           const std::string &message);

  // Errors in the order they were found, then warnings by file and line.
  ZYNINSLintReport TakeReport();

 private:
  std::string _Path;
  ZYNINSLintKind _Kind;
  std::vector<ZYNINSLintFinding> _Errors;
  std::vector<ZYNINSLintFinding> _Warnings;
};

// Text from a file, quoted for a message: at most 40 bytes, bytes that are not printable
// ASCII as \xHH.
std::string ZYNINSLintQuote(const std::string &text);

// The whole-file checks, each adding its findings.
void ZYNINSLintLevels(ZYNINSLintedFile &file);
void ZYNINSLintDuplicates(ZYNINSLintedFile &file);
void ZYNINSLintFrameworks(ZYNINSLintedFile &file);
void ZYNINSLintReferences(ZYNINSLintedFile &file);
void ZYNINSLintCycles(ZYNINSLintedFile &file);
void ZYNINSLintSequence(ZYNINSLintedFile &file);
void ZYNINSLintVisibilityList(ZYNINSLintedFile &file);
void ZYNINSLintSignedSizes(ZYNINSLintedFile &file);
void ZYNINSLintControlNames(ZYNINSLintedFile &file);

#endif

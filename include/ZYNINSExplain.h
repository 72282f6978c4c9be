// Explanations beside the catalogue classes: what is wrong with a catalogue file, for
// its author, why planning takes each unit, for an administrator, and catalogue text made
// safe to show.
//
// Like the rest of the library, these are used from one thread at a time: no two threads
// may be inside the library at once, even on separate objects, since the diagnostic
// buffer and the observer setting are shared by the whole process.
#ifndef ZYNINSExplain_h
#define ZYNINSExplain_h

#include <string>
#include <vector>

#include "ZYNINSExport.h"

// ---------------------------------------------------------------------------------------
// Catalogue checks.
//
// ZYNINSLintFile reads a TOC file with the very line reader the catalogues load with,
// and reports every fault, not only the first: an error for whatever makes loading refuse
// the file, a warning for what loads but is probably a mistake. Errors come first in the
// order loading meets them (the line count, the lines, the levels, then for an installed
// catalogue duplicates and frameworks), so the first error names the line that loading
// names; warnings follow. The checks report nothing to the library's diagnostic stream.

enum ZYNINSLintKind {
  ZYNINSLintGuess,      // a medium when the first line carries a media prefix, else installed
  ZYNINSLintMedia,      // a medium's TOC: every line starts with its prefix
  ZYNINSLintInstalled   // an installed catalogue
};

enum ZYNINSLintSeverity { ZYNINSLintError, ZYNINSLintWarning };

struct ZYNINSLintFinding {
  std::string File;              // the file it is in: the TOC file, or the PCFG.list beside it
  int Line = 0;                  // from 1; 0 for the file as a whole
  int Column = 0;                // 1-based byte offset of the faulty field in the raw line; 0 for none
  ZYNINSLintSeverity Severity = ZYNINSLintError;
  std::string Field;             // the field it concerns ("name", "prerequisites", ...), or empty
  std::string Message;           // one line of text, printable ASCII: other bytes are shown as \xHH
};

struct ZYNINSLintReport {
  ZYNINSLintKind Kind = ZYNINSLintGuess;  // the kind the file was checked as
  std::vector<ZYNINSLintFinding> Findings;
  int NbErrors = 0;
  int NbWarnings = 0;
};

ZYNTOC_API ZYNINSLintReport ZYNINSLintFile(const char *path, ZYNINSLintKind kind);

// ---------------------------------------------------------------------------------------
// Planning observer.
//
// While an observer is set, installation planning (ZYNINSMediaToc::GetSize) and both
// removal plannings (ZYNINSInstToc::GetSize) tell it why each unit joins their result, at
// the moment they decide it. Names are the 32-byte unit names, valid during the call only.
// Without an observer planning does exactly what it always does. Like the rest of the
// library, the setting is process-wide and for one thread at a time.
//
// An observer is called in the middle of planning: it must not edit (Remove,
// SetTimestamp), plan on, or destroy the catalogue being planned or the installed
// catalogue planning consults, nor set another observer. It may read other data and
// record what it is told.

class ZYNTOC_API ZYNINSPlanObserver {
 public:
  virtual ~ZYNINSPlanObserver();

  // Installation planning. A unit may be reached several ways; each is told once.
  virtual void Requested(const char *unit);
  virtual void PrerequisiteOf(const char *unit, const char *needer);
  // A unit on the medium that supersedes a missing prerequisite stands in for it.
  virtual void StandsInFor(const char *unit, const char *missing);
  // condition is installed (or superseded) or examined by this planning, so holder's
  // conditional requisite brings unit; lenient: the media switch takes every one.
  virtual void ConditionalRequisite(const char *unit, const char *holder, const char *condition, bool lenient);
  // The unit's entry joins the install list.
  virtual void Planned(const char *unit);

  // Removal planning.
  virtual void RemovalRequested(const char *unit);
  // unit needs removed (a prerequisite, or through a conditional requisite).
  virtual void NeedsRemoved(const char *unit, const char *removed, bool conditional);
  // Every unit that superseded name is removed, so name no longer serves unit's needs.
  virtual void SupersessorsRemoved(const char *name, const char *supersessor);
  // A framework that only removed units (and fixes) need.
  virtual void FrameworkOnlyFor(const char *framework, const char *removed);
  // A fix of a removed unit.
  virtual void FixOf(const char *fix, const char *removed);
};

// Sets the observer planning reports to; null removes it. Returns the previous one.
ZYNTOC_API ZYNINSPlanObserver *ZYNINSSetPlanObserver(ZYNINSPlanObserver *observer);

// ---------------------------------------------------------------------------------------
// Catalogue text for people.
//
// A catalogue's labels and names are bytes from a file: shown as they are, a control
// byte could move a terminal's cursor, clear its screen or retitle its window. Escaped,
// each byte that is not printable text is written \xHH (two upper-case hexadecimal
// digits).

enum ZYNINSTextForm {
  ZYNINSTextAscii,    // printable ASCII only; '\' is written \x5C too, so that the text
                      // reads back unambiguously (the catalogue checks quote this way)
  ZYNINSTextTerminal  // printable ASCII, well-formed UTF-8 characters other than the C1
                      // controls (U+0080 to U+009F), and '\n' are kept
};

ZYNTOC_API std::string ZYNINSEscapeText(const std::string &text, ZYNINSTextForm form);

#endif

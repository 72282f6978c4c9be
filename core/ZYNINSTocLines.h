// What a catalogue class does with each line of its file while the base class loads it.
#ifndef ZYNINSTocLines_h
#define ZYNINSTocLines_h

#include <cstddef>

#include "ZYNINSLineReader.h"
#include "ZYNINSToc.h"

class ZYNINSTocLines {
 public:
  // The message naming a refused line, with the line number and the file name as parameters.
  ZYNINSTocLines(const char *refusedKey, const char *refusedFormat)
      : RefusedKey(refusedKey), RefusedFormat(refusedFormat) {}
  virtual ~ZYNINSTocLines() = default;

  // Once the lines are counted and the entry table is ready; false gives up (reported there).
  virtual bool Prepare(int nbLines) {
    (void)nbLines;
    return true;
  }
  // Reads line k, without its line end, into its cleared entry; false refuses the line.
  virtual bool Read(const char *line, std::size_t length, int k, ZYNINSUnitToc &entry) = 0;

  const char *const RefusedKey;
  const char *const RefusedFormat;
  // The text the lines lie in, as the loader read it: for the cursors that read them.
  ZYNINSTextBounds Text;
};

// Lines that hold the entry fields alone, as an installed catalogue's do.
class ZYNINSEntryLines : public ZYNINSTocLines {
 public:
  using ZYNINSTocLines::ZYNINSTocLines;
  bool Read(const char *line, std::size_t length, int k, ZYNINSUnitToc &entry) override;
};

#endif

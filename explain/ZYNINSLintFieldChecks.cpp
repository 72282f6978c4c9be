// Checks of single fields that load but do not mean what they seem: a size written with
// a sign, and a unit name that cannot be a file of an installation's control directory.
#include <cstring>
#include <string>

#include "ZYNINSLintFile.h"
#include "ZYNINSNames.h"
#include "ZYNINSTocText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number written at `at` (after white space, as the line reader skips it): its text,
// and where it ends.
std::string NumberAt(const std::string &text, std::size_t at, std::size_t &end) {
  while (at < text.size() && ZYNINSIsSpace(text[at])) ++at;
  end = at;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return text.substr(at, end - at);
}

// A size is unsigned: the reader takes a sign and wraps a negative value around 2^32.
void CheckSign(ZYNINSLintedFile &file, int i, int column, const char *what, const std::string &number,
               unsigned int loaded) {
  if (number.empty() || (number[0] != '-' && number[0] != '+')) return;
  file.Warning(i + 1, column, what,
               std::string("the ") + what + " " + ZYNINSLintQuote(number) + " is written with a sign: it loads as " +
                   std::to_string(loaded));
}

}  // namespace

void ZYNINSLintSignedSizes(ZYNINSLintedFile &file) {
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry) continue;
    const std::string &text = file.Lines[i].Text;
    std::size_t end;
    if (file.IsMedia()) {
      // The media size follows the sequence number and one separator.
      NumberAt(text, static_cast<std::size_t>(file.SequenceColumn(i) - 1), end);
      std::string number = NumberAt(text, end + 1, end);
      CheckSign(file, i, static_cast<int>(end - number.size()) + 1, "media size", number,
                file.Lines[i].MediaSize);
    }
    int column = file.FieldColumn(i, 7);
    CheckSign(file, i, column, "size", NumberAt(text, static_cast<std::size_t>(column - 1), end),
              entry->GetSize());
  }
}

void ZYNINSLintControlNames(ZYNINSLintedFile &file) {
  for (int i = 0; i < file.NbLines(); ++i) {
    const ZYNINSUnitToc *entry = file.Entry(i);
    if (!entry) continue;
    const char *name = entry->GetName();
    if (ZYNINSIsControlFileName(name, strnlen(name, ZYNINSNameWidth))) continue;
    file.Warning(i + 1, file.FieldColumn(i, 3), "name",
                 "the name " + ZYNINSLintQuote(name) +
                     " cannot be a file of the control directory: the integrity check reports it not found");
  }
}

// The entry line reader alone: every line of the input is read into a record, and a
// record read whole is written back, read again and written again, which must give
// the same line (reader and writer agree).
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "ZYNINSUnitTocIO.h"

namespace {

std::string Written(ZYNINSUnitToc &entry) {
  std::ostringstream out;
  out << entry;
  return out.str();
}

void CheckWrittenLineReadsBack(ZYNINSUnitToc &entry) {
  std::string line = Written(entry);
  zynfuzz::Require(!line.empty() && line.back() == '\n', "a written line ends with a newline");
  std::istringstream again(line.substr(0, line.size() - 1));
  ZYNINSUnitToc copy;
  again >> copy;
  zynfuzz::Require(!again.fail(), "a written line is refused when read back");
  zynfuzz::Require(Written(copy) == line, "a written line reads back into another record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zynfuzz::PrivateWorkDir work;
  zynfuzz::ResetDiagnostics();
  std::string text(reinterpret_cast<const char *>(data), size);
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    ZYNINSUnitToc entry;
    fields >> entry;
    if (!fields.fail()) CheckWrittenLineReadsBack(entry);
  }

  // The loaders' own loop over the counted lines.
  std::istringstream file(text);
  int nbLines = 0;
  for (char c : text) nbLines += c == '\n';
  if (!text.empty() && text.back() != '\n') ++nbLines;
  ZYNINSReadTocLines(file, nbLines, [](std::istream &fields, int) {
    ZYNINSUnitToc entry;
    fields >> entry;
  });
  zynfuzz::FetchDiagnostics();
  return 0;
}

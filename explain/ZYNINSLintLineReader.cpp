#include "ZYNINSLintLineReader.h"

#include <sstream>

#include "ZYNINSDiag.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSUnitTocIO.h"

void ZYNINSLintReadLine(ZYNINSLintedFile &file, int i) {
  ZYNINSLintLine &line = file.Lines[i];
  ZYNINSQuietDiagnostics quiet;
  std::istringstream fields(line.Text);
  fields >> std::dec;
  if (file.IsMedia()) {
    ZYNINSPrefixToc prefix;
    fields >> prefix;
    line.EntryStart = fields ? static_cast<std::size_t>(fields.tellg()) : 0;
    line.IndexI = prefix.GetIndexI();
  }
  fields >> file.Entries[i];
  line.Read = line.NameRead = !fields.fail() && !fields.bad();
  if (!line.Read) file.Error(i + 1, 1, nullptr, "the line reader refuses this line");
}

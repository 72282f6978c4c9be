// One line of a checked file through the loaders' line reader: its entry, and its
// first fault as an error.
#ifndef ZYNINSLintLineReader_h
#define ZYNINSLintLineReader_h

#include "ZYNINSLintFile.h"

// Reads line i of the file into its entry; a refused line gets one error.
void ZYNINSLintReadLine(ZYNINSLintedFile &file, int i);

#endif

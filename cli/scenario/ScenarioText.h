// How a scenario file writes bytes: the lines of a block, words and texts.
//   "| TEXT"    a block line: TEXT as written, then a line end;
//   "\ TEXT"    a block line with escapes and no implicit line end: \n \r \t \\ \xHH;
//   words and texts of keyword lines always read escapes (a word writes its spaces \x20).
// The writer keeps ordinary lines plain and escapes only what an editor could lose or
// change: control bytes, bytes that are not UTF-8, a space ending the line, a missing end.
#ifndef ScenarioText_h
#define ScenarioText_h

#include <string>
#include <vector>

namespace scenario {

// The block lines that hold exactly these bytes.
std::vector<std::string> BlockLines(const std::string &bytes);
// The bytes of one block line; false with the reason when it is not one.
bool DecodeBlockLine(const std::string &line, std::string &bytes, std::string &error);

// A word (a unit or file name) and a text (the rest of a line), escaped as needed.
std::string EncodeWord(const std::string &bytes);
std::string EncodeText(const std::string &bytes);
// The bytes an escaped word or text stands for; false with the reason on a bad escape.
bool Unescape(const std::string &text, std::string &bytes, std::string &error);

// The words of a line, split at runs of spaces and tabs (still escaped).
std::vector<std::string> SplitWords(const std::string &line);

}  // namespace scenario

#endif

// The library's diagnostics: passed on to standard error exactly as it wrote them, or,
// for a JSON document, collected one string per message.
#ifndef Diagnostics_h
#define Diagnostics_h

#include <string>
#include <vector>

// Starts collecting the library's diagnostics: into its message buffer, or message by
// message when collectMessages is set (for the rest of the run).
void StartDiagnostics(bool collectMessages = false);
// Writes what the library collected since the last start to standard error and starts
// anew; while collecting messages it keeps them instead.
void FlushDiagnostics();
// The messages collected so far, each without its final ends of line.
const std::vector<std::string> &CollectedDiagnostics();

#endif

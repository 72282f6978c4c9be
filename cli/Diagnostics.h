// The library's diagnostics, passed on to standard error exactly as it wrote them.
#ifndef Diagnostics_h
#define Diagnostics_h

// Starts collecting the library's diagnostics into its message buffer.
void StartDiagnostics();
// Writes what the library collected since the last start to standard error and starts anew.
void FlushDiagnostics();

#endif

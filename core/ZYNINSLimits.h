// The library's limits and sentinels, each named once. The public headers spell some
// of them in their documented layouts (4096, 32); these names are the library's own.
#ifndef ZYNINSLimits_h
#define ZYNINSLimits_h

#include <cstddef>

// Names a result or working list holds, and the longest request planning accepts.
constexpr unsigned int ZYNINSListCapacity = 4096;
// Lines a catalogue may hold, so that every list of its names fits.
constexpr int ZYNINSMostLines = static_cast<int>(ZYNINSListCapacity) - 1;

// A name field, its NUL included, and the longest name it holds.
constexpr std::size_t ZYNINSNameWidth = 32;
constexpr std::size_t ZYNINSMaxNameLength = ZYNINSNameWidth - 1;
// An OS or GA level field, its NUL included.
constexpr std::size_t ZYNINSLevelWidth = 8;

// What planning returns on failure; a real total never shows it.
constexpr unsigned int ZYNINSFailed = 0xFFFFFFFFu;
// Bytes installation planning adds to a code installation's total.
constexpr unsigned int ZYNINSCodeUnitOverhead = 400;
// Bytes per KiB: medium sizes and the space a front end shows.
constexpr int ZYNINSKiB = 1024;

// Entry types a catalogue indexes its names by: code and zarn.
constexpr int ZYNINSNbEntryTypes = 2;

// Entries of the type and package keyword tables.
constexpr int ZYNINSNbTypeKeywords = 4;
constexpr int ZYNINSNbPkgKeywords = 7;

// The sequence number of a medium's first line: line k normally carries k + this.
constexpr int ZYNINSFirstSequence = 3;

// Room of the buffers the library fills for a caller or composes itself, NUL included:
// a label copied out, a planning message handed to a front end, a path it tests.
constexpr std::size_t ZYNINSLabelRoom = 1024;
constexpr std::size_t ZYNINSMessageRoom = 1024;
constexpr std::size_t ZYNINSPathRoom = 1024;
// A default text is formatted into this room, NUL included: longer results are cut.
constexpr std::size_t ZYNINSDefaultTextRoom = 256;

#endif

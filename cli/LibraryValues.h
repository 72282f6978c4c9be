// The values of the library's interface the tool relies on, named once for the tool:
// the library keeps its own names internal.
#ifndef LibraryValues_h
#define LibraryValues_h

#include <cstddef>

// What a planning call returns on failure.
constexpr unsigned int kPlanningFailed = static_cast<unsigned int>(-1);
// A unit name field, its NUL included, and the longest name it holds.
constexpr std::size_t kNameWidth = 32;
constexpr std::size_t kMaxNameLength = kNameWidth - 1;
// Bytes per KiB, as a setup front end divides.
constexpr unsigned int kKiB = 1024;

#endif

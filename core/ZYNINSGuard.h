// Nothing thrown inside the library reaches its caller: a C front end cannot catch an
// exception, and every operation has a failure result of its own to give instead. What can
// be thrown: running out of memory, and whatever a caller's stream, planning observer or
// message-box handler throws from inside an operation.
#ifndef ZYNINSGuard_h
#define ZYNINSGuard_h

#include <ios>
#include <new>
#include <stdexcept>

enum class ZYNINSThrown {
  Nothing,
  Memory,  // no room for what the work needed
  Other    // anything else, a caller's own exception included
};

// Runs work(), which returns nothing, and tells what it threw.
template <typename Work>
ZYNINSThrown ZYNINSRunGuarded(Work &&work) noexcept {
  try {
    work();
    return ZYNINSThrown::Nothing;
  } catch (const std::bad_alloc &) {
    return ZYNINSThrown::Memory;
  } catch (const std::length_error &) {  // a size no container can take
    return ZYNINSThrown::Memory;
  } catch (...) {
    return ZYNINSThrown::Other;
  }
}

// The result of work(), or failure when it threw anything.
template <typename Result, typename Work>
Result ZYNINSGuarded(Result failure, Work &&work) noexcept {
  Result result = failure;
  if (ZYNINSRunGuarded([&] { result = work(); }) != ZYNINSThrown::Nothing) return failure;
  return result;
}

// An operation that writes to a caller's stream: when work() throws, the stream is marked bad
// (without the throw its exception mask may ask for) and the result is failure.
template <typename Result, typename Work>
Result ZYNINSGuardedOutput(std::ios &out, Result failure, Work &&work) noexcept {
  Result result = failure;
  if (ZYNINSRunGuarded([&] { result = work(); }) == ZYNINSThrown::Nothing) return result;
  ZYNINSRunGuarded([&] { out.setstate(std::ios::badbit); });
  return failure;
}

// The allocation diagnostic of loading: no room for that many lines of that file.
void ZYNINSReportNoRoom(int lines, const char *fileName) noexcept;

// A loading step: whatever it throws leaves the catalogue unusable (nbToc -1); running out of
// memory is reported as the allocation diagnostic, with the lines counted when it happened.
template <typename Work>
void ZYNINSGuardedLoad(int &nbToc, const char *fileName, Work &&work) noexcept {
  ZYNINSThrown thrown = ZYNINSRunGuarded(work);
  if (thrown == ZYNINSThrown::Nothing) return;
  if (thrown == ZYNINSThrown::Memory) ZYNINSReportNoRoom(nbToc < 0 ? 0 : nbToc, fileName);
  nbToc = -1;
}

#endif

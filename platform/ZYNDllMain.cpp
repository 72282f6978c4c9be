// Load-time hook of the Windows DLL. The library keeps no per-thread state (it is used
// from one thread at a time and has no thread-local data), so it asks the system not to
// call it for every thread the process starts or ends.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
#endif

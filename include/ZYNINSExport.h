// Export macro of the zyntoc library (everything else stays hidden) and the flat interface's
// calling convention.
#ifndef ZYNINSExport_h
#define ZYNINSExport_h

#if defined(_WIN32)
#  if defined(ZYNTOC_BUILDING)
#    define ZYNTOC_API __declspec(dllexport)
#  elif defined(ZYNTOC_STATIC_LINK)  // the library's objects linked in statically
#    define ZYNTOC_API
#  else
#    define ZYNTOC_API __declspec(dllimport)
#  endif
#else
#  define ZYNTOC_API __attribute__((visibility("default")))
#endif

// Calling convention of the flat interface: cdecl on Windows, so that a front end compiled with
// another default (stdcall, fastcall) still calls it right; the platform's only one elsewhere.
#if defined(_WIN32)
#  define ZYNTOC_CALL __cdecl
#else
#  define ZYNTOC_CALL
#endif

#endif

// Export macro of the zyntoc library: everything else stays hidden.
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

#endif

/* Version of the zyntoc library. This header is where the version is set: the build
   reads it for the CMake package, the pkg-config file, the packages and the tool's
   --version. The header compiles as C and as C++. */
#ifndef ZYNINSVersion_h
#define ZYNINSVersion_h

#define ZYNTOC_VERSION_MAJOR 1
#define ZYNTOC_VERSION_MINOR 0
#define ZYNTOC_VERSION_PATCH 0

/* The same version as one text and as one number (10203 for 1.2.3), for comparisons. */
#define ZYNTOC_VERSION_STRING "1.0.0"
#define ZYNTOC_VERSION \
  (ZYNTOC_VERSION_MAJOR * 10000 + ZYNTOC_VERSION_MINOR * 100 + ZYNTOC_VERSION_PATCH)

#endif

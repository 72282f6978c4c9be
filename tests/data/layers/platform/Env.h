// A stand-in.
#include <cstdlib>

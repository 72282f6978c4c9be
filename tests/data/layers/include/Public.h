// The public header.
#include <string>

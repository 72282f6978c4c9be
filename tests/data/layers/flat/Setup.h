// The setup state: every folder above it.
#include "Record.h"
#include "../platform/Env.h"
#include <vector>

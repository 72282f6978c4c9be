#include "Record.h"
#include "Setup.h"

#include "Setup.h"

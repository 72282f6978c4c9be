// The record: its own folder, include/ and platform/.
#include "Env.h"
#include "Public.h"

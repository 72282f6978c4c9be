#include "Public.h"
#include <CLI/CLI.hpp>
  #  include "Record.h"

// The one exported assignment of the base runtime's smart pointers.
#include "ZYNBaseDispatch_var.h"

ZYNBaseDispatch_var &ZYNBaseDispatch_var::operator=(const ZYNBaseDispatch_var &other) {
  ZYNBaseUnknown_var::operator=(other);
  return *this;
}

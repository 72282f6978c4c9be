// Smart-pointer classes of the base runtime; the library exports one assignment.
#ifndef ZYNBaseDispatch_var_h
#define ZYNBaseDispatch_var_h

#include "ZYNINSExport.h"

class ZYNBaseUnknown_var {
 public:
  ZYNBaseUnknown_var() : _Object(nullptr) {}
  ZYNBaseUnknown_var &operator=(const ZYNBaseUnknown_var &other) {
    _Object = other._Object;
    return *this;
  }
  void *Get() const { return _Object; }

 protected:
  void *_Object;
};

class ZYNBaseDispatch_var : public ZYNBaseUnknown_var {
 public:
  ZYNTOC_API ZYNBaseDispatch_var &operator=(const ZYNBaseDispatch_var &other);
};

#endif

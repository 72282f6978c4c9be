// Whether units have their file in an installation's control directory. The directory is read
// once and answers every name it holds as a plain file or directory; every other name is put
// to the existence test, one call each, as is every name when the directory cannot be read.
#ifndef ZYNINSControlFiles_h
#define ZYNINSControlFiles_h

#include <string>

#include "ZYNINSNameTable.h"

class ZYNINSControlFiles {
 public:
  // control is the directory's path with its trailing separator; units, how many names will
  // be asked about (the listing's table is sized for them).
  ZYNINSControlFiles(std::string control, int units);

  // Both take a unit's 32-byte name field.
  // The path of a unit's file: the directory's path and the name.
  std::string PathOf(const char *name) const;
  // Whether the existence test finds the unit's file. A name that would lead out of the directory
  // and a path too long for the library's buffer are not tested: they are not found.
  bool Has(const char *name);

  // For tests and measurements: when set, every name is put to the existence test, as though
  // the directory could not be read.
  static void sSetExistenceTestsOnly(bool on);
  // The existence tests made since the last object was made, so that tests can tell the paths apart.
  static int sExistenceTests();

 private:
  // Reads the directory on the first question.
  void List();
  bool Tested(const char *name) const;

  std::string _Control;
  ZYNINSNameTable _Listed;
  int _Units;
  bool _Read = false;       // the listing was tried
  bool _Usable = false;     // the listing is complete and may answer
  bool _Confirmed = false;  // the existence test agreed with the listing's first answer
};

#endif

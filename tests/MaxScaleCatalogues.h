// Catalogues at the format's maximum, generated on the spot: a 4095-line medium with its
// prefixes and a PCFG.list of every product and configuration, and a consistent installation
// of about 3500 units with its control files. Shared by the benchmark and the tests.
#ifndef MaxScaleCatalogues_h
#define MaxScaleCatalogues_h

#include <string>
#include <vector>

struct MaxScaleCatalogues {
  std::string mediumToc;      // the medium's TOC, PCFG.list beside it
  std::string installedToc;   // root/control/PRESENT
  std::string root;           // the installation root, one control file per unit
  std::vector<std::string> installedFixes;    // every installed FIX
  std::vector<std::string> installedProducts; // every installed PRD and SLT
  int mediumLines = 0;
  int installedLines = 0;
};

// Writes the files below dir (which must exist) and tells where they are; the control files
// of the units only when asked.
MaxScaleCatalogues WriteMaxScaleCatalogues(const std::string &dir, bool controlFiles = true);

#endif

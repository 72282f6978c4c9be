// Where the catalogues come from, and loading them through the class interface.
#ifndef Catalogues_h
#define Catalogues_h

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "LibraryValues.h"
#include "Output.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSMediaToc.h"

// The entry table of a loaded catalogue.
struct EntryTable {
  int Count;
  const ZYNINSUnitToc *Entries;
};

// A catalogue class opened up for reading: the table and name lookups are protected.
template <class Base>
class CatalogueView : public Base {
 public:
  explicit CatalogueView(char *path) : Base(path) {}
  EntryTable Table() const { return {this->_NbToc < 0 ? 0 : this->_NbToc, this->_Entries}; }
  // The first entry of that name and type, or null.
  const ZYNINSUnitToc *Find(const std::string &name, ZYNINSType type) const {
    char buffer[kNameWidth] = {};
    if (name.size() >= sizeof buffer) return nullptr;
    name.copy(buffer, name.size());
    int i = this->GetIndex(buffer, type);
    return i < 0 ? nullptr : &this->_Entries[i];
  }
  // The code names an installed catalogue's units supersede, in the order its listing gives them.
  std::vector<std::string> SupersededCodeNames() const {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < this->_NbSuperseded[ZYNINSCode]; ++i) names.emplace_back(this->_Superseded[ZYNINSCode][i]);
    return names;
  }
  // The first entry that supersedes the name, or null.
  const ZYNINSUnitToc *Superseding(const std::string &name, ZYNINSType type) const {
    int i = this->GetOneSuperseding(name.c_str(), type);
    return i < 0 ? nullptr : &this->_Entries[i];
  }
  // Fills in the type and package kind of each unit from its entry: of that type, or
  // code before zarn when the type is either (ZYNINSUnknownQ).
  void Annotate(UnitList &units, ZYNINSType type) const {
    for (Unit &unit : units) {
      const ZYNINSUnitToc *entry = type == ZYNINSUnknownQ ? Find(unit.Name, ZYNINSCode) : Find(unit.Name, type);
      if (entry == nullptr && type == ZYNINSUnknownQ) entry = Find(unit.Name, ZYNINSZarn);
      if (entry == nullptr) continue;
      unit.Type = entry->GetType();
      unit.Pkg = entry->GetPkg();
    }
  }
};

using MediaCatalogue = CatalogueView<ZYNINSMediaToc>;
using InstalledCatalogue = CatalogueView<ZYNINSInstToc>;

// The catalogue options a command offers.
struct SourceOptions {
  std::string Media;
  std::string Installed;
  std::string Root;
  bool Fresh = false;
};

CLI::Option *AddMediaOption(CLI::App &command, SourceOptions &sources);
// --installed and --root; withFresh adds --fresh for commands that work without an installation.
void AddInstalledOptions(CLI::App &command, SourceOptions &sources, bool withFresh);

// The installation root: --root, else ZYNInstallPath unless --installed or --fresh is given.
std::string InstallationRoot(const SourceOptions &sources);
// The installed catalogue file: --installed, else the root's control/PRESENT; empty when none.
std::string InstalledCataloguePath(const SourceOptions &sources);

// Loads a catalogue; a missing file or a catalogue the library refuses ends the command.
std::unique_ptr<MediaCatalogue> LoadMedia(const std::string &path);
std::unique_ptr<InstalledCatalogue> LoadInstalled(const std::string &path);
// The installed catalogue when one is named (or ZYNInstallPath is set), else null.
std::unique_ptr<InstalledCatalogue> LoadInstalledIfAny(const SourceOptions &sources);
// The installed catalogue; a usage error when none is named.
std::unique_ptr<InstalledCatalogue> LoadInstalledRequired(const SourceOptions &sources);

// One catalogue of either kind, for the commands that read a single catalogue.
struct AnyCatalogue {
  std::unique_ptr<MediaCatalogue> Media;
  std::unique_ptr<InstalledCatalogue> Installed;
  ZYNINSToc &Toc() const;
  EntryTable Table() const;
};
AnyCatalogue LoadAny(const SourceOptions &sources);

#endif

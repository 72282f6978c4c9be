// The catalogue options and loading catalogues through the class interface.
#include "Catalogues.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "Diagnostics.h"
#include "ToolError.h"

CLI::Option *AddMediaOption(CLI::App &command, SourceOptions &sources) {
  return command.add_option("--media", sources.Media, "TOC file of the installation medium")
      ->type_name("FILE");
}

void AddInstalledOptions(CLI::App &command, SourceOptions &sources, bool withFresh) {
  command.add_option("--installed", sources.Installed, "installed catalogue file (a PRESENT file)")
      ->type_name("FILE");
  command.add_option("--root", sources.Root,
                     "installation root, whose control/PRESENT is the installed catalogue "
                     "(default: $ZYNInstallPath)")
      ->type_name("DIR");
  if (withFresh)
    command.add_flag("--fresh", sources.Fresh, "answer for a machine with nothing installed (ignore $ZYNInstallPath)");
}

namespace {

void RequireConsistent(const SourceOptions &sources) {
  if (sources.Fresh && (!sources.Root.empty() || !sources.Installed.empty()))
    throw UsageError("--fresh excludes --installed and --root");
}

}  // namespace

std::string InstallationRoot(const SourceOptions &sources) {
  RequireConsistent(sources);
  if (!sources.Root.empty()) return sources.Root;
  if (!sources.Installed.empty() || sources.Fresh) return "";
  const char *env = std::getenv("ZYNInstallPath");
  return env != nullptr ? env : "";
}

std::string InstalledCataloguePath(const SourceOptions &sources) {
  RequireConsistent(sources);
  if (!sources.Installed.empty()) return sources.Installed;
  std::string root = InstallationRoot(sources);
  return root.empty() ? "" : root + "/control/PRESENT";
}

namespace {

// The library reports an unreadable file too, but in its own words and as a
// refused catalogue; the user gets one plain line instead.
void RequireReadableFile(const std::string &path) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) throw InputError("cannot read '" + path + "': it is a directory");
  // Opening a FIFO would block, and a device may never end.
  if (fs::is_other(status))
    throw InputError("cannot read '" + path + "': it is not a regular file");
  std::ifstream file(path);
  if (!file) throw InputError("cannot read '" + path + "': " + std::strerror(errno));
}

template <class Catalogue>
std::unique_ptr<Catalogue> Load(const std::string &path) {
  RequireReadableFile(path);
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  std::unique_ptr<Catalogue> catalogue(new Catalogue(name.data()));
  FlushDiagnostics();
  if (catalogue->GetNbToc() < 0) throw AnswerFailure("the catalogue '" + path + "' cannot be used");
  return catalogue;
}

}  // namespace

std::unique_ptr<MediaCatalogue> LoadMedia(const std::string &path) { return Load<MediaCatalogue>(path); }

std::unique_ptr<InstalledCatalogue> LoadInstalled(const std::string &path) {
  return Load<InstalledCatalogue>(path);
}

std::unique_ptr<InstalledCatalogue> LoadInstalledIfAny(const SourceOptions &sources) {
  std::string path = InstalledCataloguePath(sources);
  if (path.empty()) return nullptr;
  return LoadInstalled(path);
}

std::unique_ptr<InstalledCatalogue> LoadInstalledRequired(const SourceOptions &sources) {
  std::string path = InstalledCataloguePath(sources);
  if (path.empty()) throw UsageError("no installed catalogue: give --installed FILE or --root DIR, or set ZYNInstallPath");
  return LoadInstalled(path);
}

ZYNINSToc &AnyCatalogue::Toc() const {
  if (Media) return *Media;
  return *Installed;
}

EntryTable AnyCatalogue::Table() const { return Media ? Media->Table() : Installed->Table(); }

AnyCatalogue LoadAny(const SourceOptions &sources) {
  AnyCatalogue any;
  if (!sources.Media.empty()) {
    if (!sources.Installed.empty() || !sources.Root.empty())
      throw UsageError("give one catalogue: --media, or --installed/--root");
    any.Media = LoadMedia(sources.Media);
  } else {
    std::string path = InstalledCataloguePath(sources);
    if (path.empty())
      throw UsageError("no catalogue: give --media FILE, --installed FILE or --root DIR, or set ZYNInstallPath");
    any.Installed = LoadInstalled(path);
  }
  return any;
}

// offer: what a medium offers an installation, and the space all of it needs.
#include <iostream>
#include <memory>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "LibraryValues.h"
#include "Output.h"
#include "ToolError.h"

namespace {

struct OfferOptions {
  SourceOptions Sources;
  bool Zarn = false;
};

// The listed units that the installation neither holds nor supersedes.
UnitList Offered(ZYNINSStockName &listed, InstalledCatalogue *installed, ZYNINSType type) {
  UnitList offered;
  for (const Unit &unit : UnitsOf(listed))
    if (installed == nullptr || installed->IsInstalled(unit.Name.c_str(), type) == -1)
      offered.push_back(unit);
  return offered;
}

int RunOffer(const OfferOptions &options) {
  auto media = LoadMedia(options.Sources.Media);
  auto installed = LoadInstalledIfAny(options.Sources);
  // Listing takes both entry types in zarn mode; the installed test and planning take zarn.
  const ZYNINSType listType = options.Zarn ? ZYNINSUnknownQ : ZYNINSCode;
  const ZYNINSType type = options.Zarn ? ZYNINSZarn : ZYNINSCode;

  std::unique_ptr<ZYNINSStockName> listed(new ZYNINSStockName);
  media->GetPackage(ZYNINSSLT, listType, listed.get(), 1);
  UnitList configurations = Offered(*listed, installed.get(), type);
  media->GetPackage(ZYNINSPRD, listType, listed.get(), 1);
  UnitList products = Offered(*listed, installed.get(), type);
  FlushDiagnostics();

  if (JsonWanted()) {
    media->Annotate(configurations, listType);
    media->Annotate(products, listType);
    JsonDocument()["configurations"] = UnitsJson(configurations);
    JsonDocument()["products"] = UnitsJson(products);
  } else {
    std::cout << "Configurations offered:\n";
    PrintUnits(std::cout, configurations);
    std::cout << "Products offered:\n";
    PrintUnits(std::cout, products);
  }

  std::vector<std::string> names;
  for (const Unit &unit : configurations) names.push_back(unit.Name);
  for (const Unit &unit : products) names.push_back(unit.Name);
  NameBlock request(names);
  unsigned int count = 0;
  char(*list)[kNameWidth] = nullptr;
  unsigned int total = media->GetSize(request.Data(), request.Count(), type, 0, &count, list, installed.get());
  FlushDiagnostics();
  const SizeKind kind = options.Zarn ? SizeKind::InstallZarn : SizeKind::InstallCode;
  if (total == kPlanningFailed) {
    if (!JsonWanted()) {
      std::cout << "Space for all of it: unknown (planning failed)\n";
      return ExitFailure;
    }
    // The lists stay in the document; the failure is reported as plan reports it.
    JsonDocument()["space"] = nullptr;
    throw PlanningFailure();
  }
  delete[] list;
  if (JsonWanted()) JsonDocument()["space"] = SpaceJson(total, kind);
  else PrintSpace(std::cout, "Space for all of it", total, kind);
  return ExitSuccess;
}

}  // namespace

void AddOfferCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<OfferOptions>();
  CLI::App *command = app.add_subcommand(
      "offer", "List the configurations and products a medium offers, and the space they all need");
  command->footer(
      "Units hidden by the medium's PCFG.list are not listed; units the installation holds or\n"
      "supersedes are left out. Without --installed, --root or ZYNInstallPath (or with --fresh)\n"
      "the answer is for a machine with nothing installed.");
  AddMediaOption(*command, options->Sources)->required();
  AddInstalledOptions(*command, options->Sources, true);
  command->add_flag("--zarn", options->Zarn,
                    "zarn mode: list units of either type, test and plan them as zarn entries");
  AddJsonFlag(*command);
  table[command] = [options] { return RunOffer(*options); };
}

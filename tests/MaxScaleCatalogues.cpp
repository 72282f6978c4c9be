#include "MaxScaleCatalogues.h"

#include <filesystem>
#include <fstream>

namespace {

const int kFrameworks = 64;
const int kProducts = 1300;
const int kConfigs = 400;
const int kServicePacks = 3;
const int kMediumLines = 4095;
const int kInstalledProducts = 1100;  // the others are what the medium offers
const int kInstalledConfigs = 330;
const int kInstalledUnits = 3500;

const char *const kWords[] = {"SURF", "GEOM", "DRAFT", "MESH",  "KIN",  "ASSY", "PART", "SKETCH",
                              "REND", "PLOT", "NCMIL", "LATHE", "WELD", "SHEET", "PIPE", "CABLE",
                              "HARN", "MOLD", "CAST",  "FEM",   "CFD",  "THERM", "OPTIC", "DOCU",
                              "VIEW", "PDM",  "CATLG", "ANAL",  "ROBO", "ERGO"};
const int kNbWords = sizeof kWords / sizeof kWords[0];

struct Unit {
  std::string pkg, name, supersede, prereq, ifreq, label;
  unsigned int size = 0;
  int level = 0;
};

std::string Number(int value, int width) {
  std::string digits = std::to_string(value);
  return std::string(digits.size() < static_cast<size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

std::string FrameworkName(int f) { return std::string(kWords[f % kNbWords]) + "RT" + Number(f, 2); }
std::string ProductName(int p) {
  return std::string(kWords[p % kNbWords]) + kWords[(p / kNbWords) % kNbWords] + "_" + Number(p, 4);
}
std::string ConfigName(int c) { return "CFG_" + std::string(kWords[c % kNbWords]) + "_" + Number(c, 4); }
std::string FixName(int x) { return "HF" + Number(x, 5) + "_" + kWords[x % kNbWords]; }

// The medium: frameworks, their service packs, service packs, products, configurations, fixes.
std::vector<Unit> MediumUnits() {
  std::vector<Unit> units;
  for (int f = 0; f < kFrameworks; ++f) {
    Unit u{"FWK", FrameworkName(f), "", f ? FrameworkName(0) + " " : "", "", ""};
    u.label = "Runtime framework " + FrameworkName(f);
    u.size = 2097152 + 4096u * f;
    units.push_back(u);
  }
  for (int f = 0; f < kFrameworks; ++f) {
    Unit u{"FSP", FrameworkName(f) + ".1", "", FrameworkName(f) + " ", "", ""};
    u.label = "Service pack 1 of " + FrameworkName(f);
    u.size = 524288;
    u.level = 1;
    units.push_back(u);
  }
  for (int s = 1; s <= kServicePacks; ++s) {
    Unit u{"SPK", "SP" + std::to_string(s), "", "", "", "Service pack " + std::to_string(s)};
    for (int f = 0; f < kFrameworks; ++f) u.ifreq += FrameworkName(f) + "/" + FrameworkName(f) + ".1 ";
    u.size = 1048576;
    u.level = s;
    units.push_back(u);
  }
  for (int p = 0; p < kProducts; ++p) {
    Unit u{"PRD", ProductName(p), "", "", "", ""};
    u.prereq = FrameworkName(p % kFrameworks) + " ";
    if (p % 3 == 0) u.prereq += FrameworkName((p / 3 + 7) % kFrameworks) + " ";
    if (p % 7 == 0) u.supersede = "OLD" + ProductName(p) + " ";
    // Every fifth product calls for an installed companion when another one is there.
    if (p % 5 == 0) u.ifreq = ProductName((p + 11) % kInstalledProducts) + "/" + ProductName((p + 13) % kInstalledProducts) + " ";
    u.label = std::string("Product ") + kWords[p % kNbWords] + " for " + kWords[(p / 7) % kNbWords] + " work";
    u.size = 3145728 + 1024u * p;
    units.push_back(u);
  }
  for (int c = 0; c < kConfigs; ++c) {
    Unit u{"SLT", ConfigName(c), "", "", "", ""};
    for (int k = 0; k < 2 + c % 4; ++k) u.prereq += ProductName((c * 17 + k * 101) % kInstalledProducts) + " ";
    u.label = std::string("Configuration ") + kWords[c % kNbWords] + " " + Number(c, 4);
    u.size = 65536;
    units.push_back(u);
  }
  for (int x = 0; units.size() < static_cast<size_t>(kMediumLines); ++x) {
    Unit u{"FIX", FixName(x), "", "", "", ""};
    int product = (x * 7) % kProducts;
    u.prereq = ProductName(product) + " ";
    if (x % 4 == 0) u.supersede = "HF" + Number(x, 5) + "_OLD ";
    u.label = "Fix " + Number(x, 5) + " of " + ProductName(product);
    u.size = 131072 + 16u * x;
    units.push_back(u);
  }
  return units;
}

bool IsInstalledPart(const Unit &u, int position) {
  if (u.pkg == "PRD") return position < kFrameworks * 2 + kServicePacks + kInstalledProducts;
  if (u.pkg == "SLT") return position < kFrameworks * 2 + kServicePacks + kProducts + kInstalledConfigs;
  if (u.pkg == "SPK") return u.name != "SP3";
  return true;
}

// Installed fixes need an installed product.
bool FixFits(const Unit &u, int installedProducts) {
  int product = std::stoi(u.prereq.substr(u.prereq.size() - 5, 4));
  return product < installedProducts;
}

std::string Line(const Unit &u, const char *timestamp) {
  return "code:" + u.pkg + ":" + u.name + ":" + u.supersede + ":" + u.prereq + ":" + u.ifreq + ":" +
         std::to_string(u.size) + ":" + timestamp + ":LX64:R7:" + std::to_string(u.level) + ":" + u.label + ":\n";
}

void Write(const std::filesystem::path &path, const std::string &text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

MaxScaleCatalogues WriteMaxScaleCatalogues(const std::string &dir, bool controlFiles) {
  namespace fs = std::filesystem;
  MaxScaleCatalogues files;
  fs::path medium = fs::path(dir) / "medium";
  fs::path root = fs::path(dir) / "installation";
  files.mediumToc = (medium / "TOC").string();
  files.root = root.string();
  files.installedToc = (root / "control" / "PRESENT").string();

  std::vector<Unit> units = MediumUnits();
  std::string toc, pcfg, present;
  for (size_t i = 0; i < units.size(); ++i) {
    const Unit &u = units[i];
    toc += "01:" + std::to_string(i + 3) + ":" + std::to_string(u.size / 2) + ":" + Line(u, "20260302091500");
    if (u.pkg == "PRD" || u.pkg == "SLT") pcfg += u.name + "\n";
  }
  for (size_t i = 0; i < units.size() && files.installedLines < kInstalledUnits; ++i) {
    const Unit &u = units[i];
    if (!IsInstalledPart(u, static_cast<int>(i))) continue;
    if (u.pkg == "FIX" && !FixFits(u, kInstalledProducts)) continue;
    present += Line(u, "20250910140000");
    ++files.installedLines;
    if (u.pkg == "FIX") files.installedFixes.push_back(u.name);
    if (u.pkg == "PRD" || u.pkg == "SLT") files.installedProducts.push_back(u.name);
    if (controlFiles) Write(root / "control" / u.name, "");
  }
  Write(medium / "TOC", toc);
  Write(medium / "PCFG.list", pcfg);
  Write(files.installedToc, present);
  files.mediumLines = static_cast<int>(units.size());
  return files;
}

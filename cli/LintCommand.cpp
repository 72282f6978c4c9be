// lint: every fault of catalogue files, in the form compilers use.
#include <iostream>
#include <memory>

#include "Commands.h"
#include "Diagnostics.h"
#include "JsonOutput.h"
#include "ToolError.h"
#include "ZYNINSExplain.h"

namespace {

struct LintOptions {
  std::vector<std::string> Files;
  bool Media = false;
  bool Installed = false;
  bool Strict = false;
};

const char *KindName(ZYNINSLintKind kind) { return kind == ZYNINSLintMedia ? "media" : "installed"; }
const char *SeverityName(ZYNINSLintSeverity severity) { return severity == ZYNINSLintError ? "error" : "warning"; }

// FILE:LINE:COLUMN: severity: message, leaving out a line or column of 0.
void PrintFinding(std::ostream &out, const ZYNINSLintFinding &finding) {
  out << finding.File;
  if (finding.Line > 0) {
    out << ':' << finding.Line;
    if (finding.Column > 0) out << ':' << finding.Column;
  }
  out << ": " << SeverityName(finding.Severity) << ": " << finding.Message << '\n';
}

Json FindingJson(const ZYNINSLintFinding &finding) {
  return {{"file", finding.File},
          {"line", finding.Line},
          {"column", finding.Column},
          {"severity", SeverityName(finding.Severity)},
          {"field", finding.Field.empty() ? Json(nullptr) : Json(finding.Field)},
          {"message", finding.Message}};
}

int RunLint(const LintOptions &options) {
  if (options.Media && options.Installed) throw UsageError("--media and --installed exclude each other");
  const ZYNINSLintKind kind = options.Media       ? ZYNINSLintMedia
                              : options.Installed ? ZYNINSLintInstalled
                                                  : ZYNINSLintGuess;
  int errors = 0, warnings = 0;
  Json files = Json::array();
  for (const std::string &path : options.Files) {
    ZYNINSLintReport report = ZYNINSLintFile(path.c_str(), kind);
    errors += report.NbErrors;
    warnings += report.NbWarnings;
    if (!JsonWanted()) {
      for (const ZYNINSLintFinding &finding : report.Findings) PrintFinding(std::cout, finding);
      continue;
    }
    Json findings = Json::array();
    for (const ZYNINSLintFinding &finding : report.Findings) findings.push_back(FindingJson(finding));
    files.push_back({{"file", path},
                     {"kind", KindName(report.Kind)},
                     {"errors", report.NbErrors},
                     {"warnings", report.NbWarnings},
                     {"findings", findings}});
  }
  FlushDiagnostics();
  if (JsonWanted()) {
    JsonDocument()["files"] = files;
    JsonDocument()["errors"] = errors;
    JsonDocument()["warnings"] = warnings;
  }
  return errors > 0 || (options.Strict && warnings > 0) ? ExitFailure : ExitSuccess;
}

}  // namespace

void AddLintCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<LintOptions>();
  CLI::App *command = app.add_subcommand("lint", "Report every fault of catalogue files, one a line");
  command->footer(
      "Each finding is FILE:LINE:COLUMN: error: ... or warning: ..., COLUMN the byte of the faulty\n"
      "field in the raw line, from 1. Errors are what makes loading refuse the file, the first\n"
      "one where loading stops; warnings what loads but is probably a mistake. A file whose\n"
      "first line carries a media prefix is checked as a medium's TOC, any other as an\n"
      "installed catalogue, unless --media or --installed says so.\n"
      "Exit status: 0 no errors (warnings allowed), 1 errors (or warnings with --strict).");
  command->add_option("files", options->Files, "catalogue files to check")->type_name("FILE")->required();
  command->add_flag("--media", options->Media, "the files are media TOCs");
  command->add_flag("--installed", options->Installed, "the files are installed catalogues");
  command->add_flag("--strict", options->Strict, "warnings fail too");
  AddJsonFlag(*command);
  table[command] = [options] { return RunLint(*options); };
}

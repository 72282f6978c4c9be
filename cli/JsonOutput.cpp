#include "JsonOutput.h"

#include "Diagnostics.h"

namespace {

bool sJsonWanted = false;

Json &Document() {
  static Json document = Json::object();
  return document;
}

}  // namespace

void AddJsonFlag(CLI::App &command) {
  command.add_flag("--json", sJsonWanted,
                   "write one JSON document to standard output, the library's messages included");
}

bool JsonWanted() { return sJsonWanted; }

Json &JsonDocument() { return Document(); }

void StartJsonDocument(const std::string &command) {
  Document() = Json::object();
  Document()["command"] = command;
}

void PrintJsonDocument(std::ostream &out) {
  Json &document = Document();
  document["diagnostics"] = CollectedDiagnostics();
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}

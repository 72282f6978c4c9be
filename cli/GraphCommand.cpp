// graph: the relations of a catalogue's units as a Graphviz DOT digraph.
#include <fstream>
#include <iostream>
#include <memory>
#include <map>
#include <set>
#include <string>

#include "Catalogues.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "LibraryValues.h"
#include "ToolError.h"
#include "ZYNINSFormat.h"

namespace {

struct GraphOptions {
  SourceOptions Sources;
  std::string Output;
};

std::string Escaped(const std::string &text) {
  std::string escaped;
  for (char c : text) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

const char *PkgKeywordOrMark(int pkg) {
  const char *keyword = ZYNINSPkgKeyword(pkg);
  return keyword ? keyword : "?";
}

std::string Quoted(const std::string &text) { return '"' + Escaped(text) + '"'; }

// Relations hold between units of one entry type, so a node is a name of one type.
std::string NodeId(const char *name, ZYNINSType type) {
  return Quoted(std::string(ZYNINSTypeKeyword(type)) + ":" + name);
}

void WriteGraph(std::ostream &out, const EntryTable &table) {
  std::set<std::string> declared;
  std::map<std::string, std::string> referenced;  // node id -> name
  out << "digraph zyntoc {\n"
      << "  rankdir=LR;\n"
      << "  node [shape=box, fontsize=10];\n"
      << "  edge [fontsize=8];\n";
  for (int i = 0; i < table.Count; ++i) {
    const ZYNINSUnitToc &unit = table.Entries[i];
    std::string id = NodeId(unit.GetName(), unit.GetType());
    if (!declared.insert(id).second) continue;
    std::string label = Escaped(unit.GetName()) + "\\n" + PkgKeywordOrMark(unit.GetPkg());
    if (unit.GetType() == ZYNINSZarn) label += " zarn";
    out << "  " << id << " [label=\"" << label << '"';
    if (unit.GetLabel() != nullptr && *unit.GetLabel() != '\0') out << ", tooltip=" << Quoted(unit.GetLabel());
    if (unit.GetType() == ZYNINSZarn) out << ", style=rounded";
    out << "];\n";
  }
  for (int i = 0; i < table.Count; ++i) {
    const ZYNINSUnitToc &unit = table.Entries[i];
    ZYNINSType type = unit.GetType();
    std::string from = NodeId(unit.GetName(), type);
    for (int k = 0; k < unit.GetNbSupersede(); ++k) {
      std::string to = NodeId(unit.GetSupersede(k), type);
      referenced[to] = unit.GetSupersede(k);
      out << "  " << from << " -> " << to << " [label=\"supersedes\", style=dashed];\n";
    }
    for (int k = 0; k < unit.GetNbPrereq(); ++k) {
      std::string to = NodeId(unit.GetPrereq(k), type);
      referenced[to] = unit.GetPrereq(k);
      out << "  " << from << " -> " << to << ";\n";
    }
    for (int k = 0; k < unit.GetNbIfreq(); ++k) {
      const ZYNINSIfreqPair *pair = unit.GetIfreq(k);
      std::string to = NodeId(pair->GetReqName(), type);
      referenced[to] = pair->GetReqName();
      out << "  " << from << " -> " << to << " [label=" << Quoted(std::string("if ") + pair->GetCondName())
          << ", style=dotted];\n";
    }
  }
  for (const auto &node : referenced)
    if (declared.count(node.first) == 0)
      out << "  " << node.first << " [label=\"" << Escaped(node.second)
          << "\\nnot in catalogue\", style=dashed, color=gray50, fontcolor=gray50];\n";
  out << "}\n";
}

int RunGraph(const GraphOptions &options) {
  AnyCatalogue catalogue = LoadAny(options.Sources);
  if (options.Output.empty()) {
    WriteGraph(std::cout, catalogue.Table());
    return ExitSuccess;
  }
  std::ofstream file(options.Output);
  if (!file) throw InputError("cannot write '" + options.Output + "'");
  WriteGraph(file, catalogue.Table());
  file.close();
  if (!file) throw InputError("cannot write '" + options.Output + "'");
  return ExitSuccess;
}

}  // namespace

void AddGraphCommand(CLI::App &app, CommandTable &table) {
  auto options = std::make_shared<GraphOptions>();
  CLI::App *command = app.add_subcommand("graph", "Write a catalogue's relations as a Graphviz DOT graph");
  command->footer(
      "Plain edges: prerequisites. Dashed edges: supersedes. Dotted edges: conditional requisites,\n"
      "labelled with their condition. Grey nodes are named by a relation but not in the catalogue.\n"
      "Render with: dot -Tsvg graph.dot -o graph.svg");
  AddMediaOption(*command, options->Sources);
  AddInstalledOptions(*command, options->Sources, false);
  command->add_option("--output,-o", options->Output, "write the graph to FILE instead of standard output")
      ->type_name("FILE");
  table[command] = [options] { return RunGraph(*options); };
}

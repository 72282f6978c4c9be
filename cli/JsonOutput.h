// The --json form of the commands' output: one document on standard output, built
// while the command runs, with the library's diagnostics as an array of strings.
#ifndef JsonOutput_h
#define JsonOutput_h

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

// Keys keep the order in which a command writes them.
using Json = nlohmann::ordered_json;

// Adds --json to a command that prints data.
void AddJsonFlag(CLI::App &command);
// Whether the running command was asked for JSON.
bool JsonWanted();

// The document of the running command, which starts as {"command": name}.
Json &JsonDocument();
void StartJsonDocument(const std::string &command);
// Completes the document with the diagnostics collected and writes it. Labels and
// names that are not valid UTF-8 have the faulty bytes replaced.
void PrintJsonDocument(std::ostream &out);

#endif

// The subcommands of zyntoc. Each Add function declares its subcommand with its
// options and enters what runs it, once the command line is parsed, in the table.
#ifndef Commands_h
#define Commands_h

#include <functional>
#include <map>

#include <CLI/CLI.hpp>

// Runs a parsed subcommand; returns the exit status.
using CommandRun = std::function<int()>;
using CommandTable = std::map<const CLI::App *, CommandRun>;

void AddOfferCommand(CLI::App &app, CommandTable &table);
void AddPlanCommand(CLI::App &app, CommandTable &table);
void AddRemoveCommand(CLI::App &app, CommandTable &table);
void AddCheckCommand(CLI::App &app, CommandTable &table);
void AddListCommand(CLI::App &app, CommandTable &table);
void AddLevelsCommand(CLI::App &app, CommandTable &table);
void AddCatCommand(CLI::App &app, CommandTable &table);
void AddGraphCommand(CLI::App &app, CommandTable &table);
void AddLintCommand(CLI::App &app, CommandTable &table);
void AddReplayCommand(CLI::App &app, CommandTable &table);

#endif

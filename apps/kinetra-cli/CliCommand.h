// What a kinetra-cli command receives and how it is listed. Subsystems add their commands to the
// table through an add...Commands function each.
#pragma once

#include "CliApp.h"
#include "ConsoleUi.h"
#include "common/Seams.h"
#include "shell/AppFolders.h"
#include "shell/PhysicalConstants.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kinetra::cli {

struct Context {
    Streams& io;
    Ui& ui;
    ConsoleDialogs& dialogs;
    AppFolders folders;
};

using Handler = std::function<int(Context&, const std::vector<std::string>& args)>;

struct Command {
    std::string name;    // "thermo new"
    std::string usage;   // arguments
    std::string summary; // one line
    Handler run;
};

void addThermoCommands(std::vector<Command>& commands);
void addReactionCommands(std::vector<Command>& commands);
void addMechanismCommands(std::vector<Command>& commands);
void addSolverCommands(std::vector<Command>& commands);
void addPrintCommands(std::vector<Command>& commands);
void addRateCommands(std::vector<Command>& commands);
void addStudyCommands(std::vector<Command>& commands);

// The physical constants of the options file in the support folder.
PhysicalConstants physicalConstants(Context& c);

// Whether a command may write the file: a folder never, an existing file only with --force
// (force). Says why not on err.
bool mayWrite(Context& c, const std::filesystem::path& file, bool force);

// Splits arguments into positional ones and "--name value" / "-o value" options; flags listed in
// `flags` take no value. Returns false (with a message on err) for an unknown or incomplete option.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    const std::string* option(const std::string& name) const;
    bool has(const std::string& name) const { return option(name) != nullptr; }
};
bool parseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::ostream& err);

// --tmin, --tmax and --step into the texts of a setup window's temperature grid (thermo and rate
// tables and charts), which then go through that window's own checks.
template <class GridTexts> void takeGridOptions(const ParsedArgs& a, GridTexts& texts) {
    for (auto [name, field] : {std::pair{"--tmin", &texts.min}, std::pair{"--tmax", &texts.max},
                               std::pair{"--step", &texts.step}})
        if (const std::string* v = a.option(name))
            *field = *v;
}

} // namespace kinetra::cli

// What the reaction commands share: a thermo database and a reaction database opened the way
// the workbench opens them, closed again (rebuild, saved copy removed) when it goes.
#pragma once

#include "CliCommand.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ThermoSpeciesList.h"
#include "thermo/ThermoDatabase.h"

#include <memory>
#include <optional>
#include <string>

namespace kinetra::cli {

struct OpenReactions {
    explicit OpenReactions(const AppFolders& folders);
    ~OpenReactions();
    OpenReactions(const OpenReactions&) = delete;
    OpenReactions& operator=(const OpenReactions&) = delete;

    thermo::ThermoDatabase thermo;
    reactions::ThermoSpeciesList species;
    std::optional<reactions::ReactionDatabase> database;
};

// Connects the thermo database (thermoPath, or THERMOPath.txt's), loads its valid species and
// opens (or, with create, first creates) the reaction database. Nothing after a message on err.
// A file created meanwhile by another process is kept unless replace.
std::unique_ptr<OpenReactions> openReactions(Context& c, const std::string& path,
                                             const std::string* thermoPath, bool create,
                                             bool replace = false);

} // namespace kinetra::cli

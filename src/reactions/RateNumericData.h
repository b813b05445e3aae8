// "Numeric Data of Current Reaction": the table of every rate and equilibrium constant of one
// record written to TmpPlot.txt in the support folder, for the caller to open as a text
// document. The thermo records come from the connected thermo database through one connection
// of its own, read when the command runs, so that edits made in the thermo window count.
#pragma once

#include "reactions/RateTabulation.h"
#include "thermo/ThermoDatabase.h"

#include <filesystem>
#include <optional>

namespace kinetra::reactions {

// The written file, or nothing after a message. Unexpected errors throw (the caller's guarded()
// shows them with kRateTablePlaceCode).
std::optional<std::filesystem::path>
writeRateNumericData(const ReactionRecord& record, RatePlotSettings& settings,
                     const RateConstants& constants, thermo::ThermoDatabase& thermo,
                     const std::string& reactionDatabaseName,
                     const std::filesystem::path& supportDir, Ui& ui);

} // namespace kinetra::reactions

// The files around the run settings: the solver input file they complete, the hand-over file
// "SolverFilePath.txt" that tells the solver program which input to read, and the saved
// settings "SolverData.txt" (Save and Enter).
#pragma once

#include "common/TextFile.h"
#include "solver/RunSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::solver {

// What the window shows of an input file: its species (name, formula, the fraction written in
// it, "" for zero), the reaction count of line 11 and the species whose thermodynamic functions
// are missing (no coefficients in either interval).
struct InputFileSummary {
    std::vector<RunSettingsSpecies> species;
    int reactionCount = 0;
    std::vector<std::string> withoutThermo;
};

// Lines of a text file without their line ends; nothing when it cannot be read.
std::optional<std::vector<std::string>> readInputLines(const std::filesystem::path& path);

// Nothing when the lines are not a solver input file (no species count on line 10, no THERMO
// block, or species lines that cannot be read).
std::optional<InputFileSummary> summariseInputFile(const std::vector<std::string>& lines);

// Steps 3 to 6 of "Run Solver": rewrites the parameter lines and the fractions, writes the file
// (CR LF) and the hand-over file in `appDir` holding its full path. Throws std::runtime_error
// naming the file that could not be written.
void writeRunInput(const std::filesystem::path& inputPath, std::vector<std::string> lines,
                   const ValidRunSettings& values, const std::filesystem::path& appDir,
                   Durability durability = Durability::Synced);
// Steps 5 and 6 for a text already rewritten (see RunInputTemplate).
void writeRunInputText(const std::filesystem::path& inputPath, const std::string& text,
                       const std::filesystem::path& appDir,
                       Durability durability = Durability::Synced);

// "SolverFilePath.txt" in the application folder.
std::filesystem::path handOverPath(const std::filesystem::path& appDir);

// "Save": a count line, then one line per setting and one "name fraction" line per species
// with a positive fraction.
std::string savedSettingsText(const RunSettings& settings);
// Writes it; false when the file could not be written ("Settings were not saved.").
bool saveRunSettings(const std::filesystem::path& file, const RunSettings& settings);
inline const char* kSettingsNotSaved = "Settings were not saved.";

// "Enter": the saved settings into `settings`; a species of the file that the grid lists takes
// its fraction, the others of the grid are cleared. False (settings unchanged) when the text is
// not a settings file.
bool enterSavedSettings(const std::string& text, RunSettings& settings);

} // namespace kinetra::solver

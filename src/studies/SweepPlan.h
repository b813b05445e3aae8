// The cases of a sweep: every combination of the temperatures, pressures and equivalence ratios,
// numbered in a fixed order (pressure, then phi, then temperature), and the text of the plan
// file that the case runner, the job array and the gather step read back.
#pragma once

#include "studies/IgnitionCase.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace kinetra::studies {

// "800:1400:50" (from, to inclusive, step), "1,10,40", or one value; positive values only.
std::variant<std::vector<double>, std::string> parseSweepValues(const std::string& text,
                                                                const std::string& what);

// The mixture of each phi is computed once; `fractionsOf` gives it.
std::vector<IgnitionCase> sweepCases(const std::vector<double>& temperatures,
                                     const std::vector<double>& pressures,
                                     const std::vector<double>& phis,
                                     const std::function<std::string(double phi)>& fractionsOf);

// The cases in the order they are handed out to run: coldest first (the longest delays, and
// mostly the longest runs), in plan order among equal temperatures. The cheap hot cases then
// come last and fill the slots evenly to the end, although each job takes a run of cases.
std::vector<IgnitionCase> runOrder(std::vector<IgnitionCase> cases);

// One line per case: "ID T P PHI FRACTIONS".
std::string casesText(const std::vector<IgnitionCase>& cases);
std::optional<std::vector<IgnitionCase>> readCasesText(const std::string& text);

// The files of a sweep folder.
namespace sweep_files {
inline constexpr const char* kInput = "input.txt";       // the solver input file of every case
inline constexpr const char* kSettings = "settings.txt"; // the run settings (SolverData form)
inline constexpr const char* kCases = "cases.txt";
inline constexpr const char* kCaseFolders = "cases";
inline constexpr const char* kResult = "result.txt";
} // namespace sweep_files

} // namespace kinetra::studies

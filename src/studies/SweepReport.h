// What a sweep gives back: the table of every case (CSV: case, T, P, phi, delay, peak T,
// status, seconds) and the Arrhenius chart of the delays (log delay against 1000/T, one subset
// per pressure and equivalence ratio).
#pragma once

#include "charts/ChartModel.h"
#include "studies/IgnitionCase.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::studies {

// results[i] belongs to cases[i]; nothing where the case has not run yet ("not run").
std::string sweepCsv(const std::vector<IgnitionCase>& cases,
                     const std::vector<std::optional<CaseResult>>& results);

ChartContent arrheniusChart(const std::vector<IgnitionCase>& cases,
                            const std::vector<std::optional<CaseResult>>& results);

} // namespace kinetra::studies

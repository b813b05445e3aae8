// The rate chart hand-over as the chart's new-chart (or add) buffer.
#pragma once

#include "charts/ChartModel.h"
#include "reactions/RateTabulation.h"
#include "thermo/ThermoDatabase.h"

#include <optional>

namespace kinetra::reactions {

ChartBuffer chartBufferOf(const RateChartHandOver& handOver);

// The same chart as the hand-over every producer gives the scratch chart: the temperatures of
// the first row for X (every row 2k holds the same grid).
ChartHandOver chartHandOverOf(const RateChartHandOver& handOver);

struct RateChartResult {
    std::optional<ChartHandOver> chart; // nothing after a message
    bool openSetup = false;             // nothing was selected: the setup window opens
};

// The chart of a reaction's selected functions (the row header's double click and "Chart of
// Current Reaction"), the thermo records read from the connected database when it runs.
// Unexpected errors throw (the caller's guarded() shows them with kRateTablePlaceCode).
RateChartResult rateChartOf(const ReactionRecord& record, RatePlotSettings& settings,
                            const RateConstants& constants, thermo::ThermoDatabase& thermo,
                            bool addToExisting, Dialogs& dialogs);

} // namespace kinetra::reactions

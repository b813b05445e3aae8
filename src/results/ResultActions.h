// The post-processor's commands as its window runs them: every refusal is shown in a box titled
// "KINETRA" and leaves the tables and the chart as they were; an unexpected error is reported
// with the command's place code and abandons only that command.
#pragma once

#include "common/Seams.h"
#include "results/ResultProfiles.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::results {

inline constexpr const char* kReadPlaceCode = "Sol#106. ";
inline constexpr const char* kPlotRowPlaceCode = "Sol#107. ";
inline constexpr const char* kViewCheckedPlaceCode = "Sol#123. ";
inline constexpr const char* kNumericDataPlaceCode = "MenForm#121. ";

// What the window shows: the output, the mean parameters of its records, the plot settings.
struct ResultView {
    const SolverOutput& output;
    const std::vector<MeanParameters>& means;
    const PlotSettings& settings;
};

// The output of a file, or nothing after the reading's message or an unexpected error.
std::optional<SolverOutput> openResults(const std::filesystem::path& path, Dialogs& dialogs);

// Double click on a row header: the hand-over for the scratch chart, or nothing after a message.
std::optional<ChartHandOver> plotRow(const ResultView& view, const ResultRow& row,
                                     bool addToExisting, Dialogs& dialogs);

// View checked rows: every checked row of both tables in one chart.
std::optional<ChartHandOver> viewCheckedRows(const ResultView& view,
                                             const std::vector<ResultRow>& checked,
                                             bool addToExisting, Dialogs& dialogs);

// Numeric data of the checked rows: writes TmpPlot.txt in the support folder and returns its
// text for a document titled kNumericDataTitle, or nothing after a message.
std::optional<std::string>
writeCheckedRowsData(const ResultView& view, const std::vector<ResultRow>& checked,
                     const std::string& outputPath, const LocalDateTime& when,
                     const std::filesystem::path& supportFolder, Dialogs& dialogs);

} // namespace kinetra::results

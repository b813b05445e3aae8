#include "results/ResultActions.h"

#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"

namespace kinetra::results {

namespace {

constexpr const char* kTitle = "KINETRA";

bool refused(const std::optional<std::string>& refusal, Dialogs& dialogs) {
    if (refusal)
        dialogs.message(*refusal, kTitle, Icon::Exclamation);
    return refusal.has_value();
}

std::optional<ChartHandOver> handOver(ProfileOutcome outcome, Dialogs& dialogs) {
    if (!outcome.chart)
        dialogs.message(outcome.refusal, kTitle, Icon::Exclamation);
    return std::move(outcome.chart);
}

} // namespace

std::optional<SolverOutput> openResults(const std::filesystem::path& path, Dialogs& dialogs) {
    std::optional<SolverOutput> output;
    guarded(dialogs, kReadPlaceCode, [&] {
        OutputReading reading = readSolverOutput(path);
        if (!reading.output)
            dialogs.message(reading.message, kTitle, Icon::Exclamation);
        output = std::move(reading.output);
    });
    return output;
}

std::optional<ChartHandOver> plotRow(const ResultView& view, const ResultRow& row,
                                     bool addToExisting, Dialogs& dialogs) {
    std::optional<ChartHandOver> chart;
    guarded(dialogs, kPlotRowPlaceCode, [&] {
        if (refused(plotSettingsRefusal(view.settings, view.output), dialogs))
            return;
        chart = handOver(resultProfile(view.output, view.means, row, view.settings, addToExisting),
                         dialogs);
    });
    return chart;
}

std::optional<ChartHandOver> viewCheckedRows(const ResultView& view,
                                             const std::vector<ResultRow>& checked,
                                             bool addToExisting, Dialogs& dialogs) {
    std::optional<ChartHandOver> chart;
    guarded(dialogs, kViewCheckedPlaceCode, [&] {
        if (refused(checkedRowsRefusal(checked.size()), dialogs) ||
            refused(plotSettingsRefusal(view.settings, view.output), dialogs))
            return;
        chart = handOver(
            checkedRowsProfiles(view.output, view.means, checked, view.settings, addToExisting),
            dialogs);
    });
    return chart;
}

std::optional<std::string>
writeCheckedRowsData(const ResultView& view, const std::vector<ResultRow>& checked,
                     const std::string& outputPath, const LocalDateTime& when,
                     const std::filesystem::path& supportFolder, Dialogs& dialogs) {
    std::optional<std::string> text;
    guarded(dialogs, kNumericDataPlaceCode, [&] {
        // The subset limit is the chart's; a text document takes any number of columns.
        if (refused(checked.empty() ? checkedRowsRefusal(0) : std::nullopt, dialogs) ||
            refused(plotSettingsRefusal(view.settings, view.output), dialogs))
            return;
        std::string data =
            numericDataText(view.output, view.means, checked, view.settings, outputPath, when);
        writeTextFile(supportFolder / files::kTmpPlot, data);
        text = std::move(data);
    });
    return text;
}

} // namespace kinetra::results

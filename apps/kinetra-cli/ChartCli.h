// What the chart commands share: a chart made from a producer's hand-over, saved as a chart
// file and drawn into pictures by the chart window's own drawing, without a display.
#pragma once

#include "CliCommand.h"
#include "charts/ChartHandOver.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::cli {

struct ChartOutputs {
    std::string chartFile; // -o FILE.pg
    std::string png, svg;  // --png, --svg
    int width = 800, height = 600;
    bool force = false;
};

// The options of the outputs, for parseArgs.
const std::vector<std::string>& chartOutputOptions();

// The outputs the options name; nothing after a message on err. With needChartFile, -o must
// name a ".pg" file.
std::optional<ChartOutputs> chartOutputs(Context& c, const ParsedArgs& a, bool needChartFile);

// The chart as a new scratch chart would show it, saved and drawn; the exit code.
int writeChartOutputs(Context& c, const ChartHandOver& chart, const ChartOutputs& out);

void addChartCommands(std::vector<Command>& commands);

} // namespace kinetra::cli

// What a computing window (thermo functions, rate constants, result profiles) hands to the
// scratch chart. Producers never draw: they fill this and the chart rebuilds or extends itself.
#pragma once

#include <string>
#include <vector>

namespace kinetra {

// The value of a point slot that holds no point.
inline constexpr double kEmptySlot = -99999;

struct ChartHandOver {
    std::string windowCaption = "Temporary Chart";
    std::string xLabel = "Temperature (K)";
    std::string title;
    // The chart's description (annotation slots 101 and 102), e.g. the reaction of a rate chart.
    std::string description;
    std::vector<double> x;
    struct Subset {
        std::string label;
        std::vector<double> y; // kEmptySlot where not evaluated
    };
    std::vector<Subset> subsets;
    bool addToExisting = false; // Ctrl held: add the subsets to the chart shown
};

} // namespace kinetra

#include "charts/ChartExport.h"

#include "common/NumberFormat.h"
#include "common/TextUtil.h"

#include <filesystem>

namespace kinetra {

bool hasChartExtension(const std::string& path) {
    return lowerAscii(std::filesystem::path(path).extension().string()) == ".pg";
}

std::string wrongChartExtensionMessage(const std::string& path) {
    return "You are attempting to save the chart to file with a wrong file extension. \n\n" + path +
           "\n\nThe correct extension is 'pg'.";
}

long hundredthsOfMm(long twips) {
    return twips * 1000 / 567;
}

std::optional<std::string> exportProblem(int subsetCount, long widthTwips, long heightTwips) {
    if (subsetCount > kMaxExportSubsets)
        return "The maximum number of subsets that can be processed is 10; you are attempting to "
               "process " +
               std::to_string(subsetCount) + ".";
    if (hundredthsOfMm(widthTwips) > kMaxExportHundredthsMm ||
        hundredthsOfMm(heightTwips) > kMaxExportHundredthsMm)
        return "Chart is oversized, the maximum chart size is 7 x 7 inches (178 x 178 mmm).";
    return std::nullopt;
}

std::string chartSizeText(long widthTwips, long heightTwips) {
    return "Chart: Width = " + formatNumber(widthTwips / kTwipsPerInch, "0.0") +
           "'', Height = " + formatNumber(heightTwips / kTwipsPerInch, "0.0") + "''";
}

} // namespace kinetra

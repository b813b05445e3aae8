// The two outputs of a rate table: the numeric-data text and the chart hand-over.
#include "common/NumberFormat.h"
#include "common/TextUtil.h"
#include "reactions/RateTabulation.h"

#include <algorithm>
#include <cmath>

namespace kinetra::reactions {

namespace {
constexpr const char* kCrLf = "\r\n";
} // namespace

std::string printNumbPrep(double logValue) {
    constexpr std::string_view kField = "@@@@@@@@@@@@";
    if (logValue == kMissingValue)
        return formatText(" ", kField);
    return formatText(formatNumber(std::pow(10.0, logValue), "0.00E+00"), kField);
}

std::string rateNumericDataCaption(const std::string& reactionWindowCaption) {
    return reactionWindowCaption + "  Numeric Data";
}

std::string rateNumericDataText(const ReactionRecord& record, const RateTable& table,
                                const RateNumericHeader& header) {
    std::string text;
    auto line = [&text](const std::string& s) { text += s + kCrLf; };
    line("  Kinetra,  " + formatDate(header.when, "mmm d yyyy") + ",  " +
         formatDate(header.when, "hh:nn:ss"));
    line("  Thermodynamic Database:  " + header.thermoDatabasePath);
    line("  Reaction Database:  " + header.reactionDatabaseName);
    line("");
    line("  " + trimBlanks(record.reaction));
    line("      Temperature (K)");
    for (std::size_t k = 0; k < table.functions.size(); ++k)
        line("  " + std::to_string(k + 1) + "   " + table.functions[k].title);
    line(" ");
    std::string heading = formatText("    T", "@@@@@@@");
    for (std::size_t k = 0; k < table.functions.size(); ++k)
        heading += formatText("Y" + std::to_string(k + 1), "@@@@@@@@@@@@");
    line(heading);
    for (std::size_t i = 0; i < table.temperatures.size(); ++i) {
        std::string row = formatText(formatNumber(table.temperatures[i], "0.00"), "@@@@@@@@@@");
        for (const RateFunction& f : table.functions)
            row += printNumbPrep(f.values[i]);
        line(row);
    }
    return text;
}

RateChartHandOver rateChartHandOver(const ReactionRecord& record, const RateTable& table,
                                    bool addToExisting) {
    RateChartHandOver chart;
    const std::string& title = record.reaction;
    chart.titleLines[0] = title.substr(0, std::min(title.size(), kTitleSplit));
    chart.titleLines[1] = title.size() > kTitleSplit ? title.substr(kTitleSplit) : "Empty";
    chart.subsetCount = table.functions.size();
    chart.pointCount = table.temperatures.size();
    for (const RateFunction& f : table.functions) {
        chart.data.push_back(table.temperatures);
        chart.data.push_back(f.values);
        chart.labels.push_back(f.label);
    }
    chart.addToExisting = addToExisting;
    return chart;
}

} // namespace kinetra::reactions

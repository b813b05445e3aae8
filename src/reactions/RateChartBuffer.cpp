#include "reactions/RateChartBuffer.h"

#include "reactions/ThermoRecordIndex.h"

namespace kinetra::reactions {

ChartBuffer chartBufferOf(const RateChartHandOver& handOver) {
    ChartBuffer b;
    b.subsetCount = static_cast<int>(handOver.subsetCount);
    b.pointCount = static_cast<int>(handOver.pointCount);
    b.data = handOver.data;
    b.labels = handOver.labels;
    for (std::size_t i = 0; i < b.titles.size(); ++i)
        b.titles[i] = handOver.textSlots[i];
    b.description = handOver.titleLines[0];
    if (handOver.titleLines[1] != kFreeAnnotationText)
        b.description += handOver.titleLines[1];
    return b;
}

ChartHandOver chartHandOverOf(const RateChartHandOver& handOver) {
    const ChartBuffer b = chartBufferOf(handOver);
    ChartHandOver h;
    h.windowCaption = handOver.windowCaption;
    h.title = b.titles[0];
    h.xLabel = b.titles[2];
    h.description = b.description;
    h.addToExisting = handOver.addToExisting;
    if (!b.data.empty())
        h.x = b.data[0];
    for (int s = 0; s < b.subsetCount; ++s)
        h.subsets.push_back({s < static_cast<int>(b.labels.size()) ? b.labels[s] : "",
                             2 * s + 1 < static_cast<int>(b.data.size()) ? b.data[2 * s + 1]
                                                                         : std::vector<double>{}});
    return h;
}

RateChartResult rateChartOf(const ReactionRecord& record, RatePlotSettings& settings,
                            const RateConstants& constants, thermo::ThermoDatabase& thermo,
                            bool addToExisting, Dialogs& dialogs) {
    store::Connection thermoDb = thermo.connection();
    const ThermoRecordIndex index = ThermoRecordIndex::load(thermoDb);
    const RateTableResult result =
        plotArrRow(record, settings, RateOutput::Chart, index.lookup(), constants, dialogs);
    RateChartResult chart;
    chart.openSetup = result.openSetup;
    if (result.table)
        chart.chart = chartHandOverOf(rateChartHandOver(record, *result.table, addToExisting));
    return chart;
}

} // namespace kinetra::reactions

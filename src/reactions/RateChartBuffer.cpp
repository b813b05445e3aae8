#include "reactions/RateChartBuffer.h"

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

} // namespace kinetra::reactions

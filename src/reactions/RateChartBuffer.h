// The rate chart hand-over as the chart's new-chart (or add) buffer.
#pragma once

#include "charts/ChartModel.h"
#include "reactions/RateTabulation.h"

namespace kinetra::reactions {

ChartBuffer chartBufferOf(const RateChartHandOver& handOver);

} // namespace kinetra::reactions

// Charts with known colours: the draw answers from a script, then 0.
#pragma once

#include "charts/ChartModel.h"

#include <deque>
#include <memory>

namespace kinetra::test {

inline WholeNumberDraw scriptedDraws(std::deque<int> answers) {
    auto queue = std::make_shared<std::deque<int>>(std::move(answers));
    return [queue](int) {
        if (queue->empty())
            return 0;
        const int v = queue->front();
        queue->pop_front();
        return v;
    };
}

// Subsets s = 0 .. count-1 of n points: X = p + 1, Y = 10 s + p.
inline ChartBuffer rampBuffer(int count, int n, const std::string& labelPrefix = "S") {
    ChartBuffer b;
    b.subsetCount = count;
    b.pointCount = n;
    for (int s = 0; s < count; ++s) {
        std::vector<double> x, y;
        for (int p = 0; p < n; ++p) {
            x.push_back(p + 1);
            y.push_back(10.0 * s + p);
        }
        b.data.push_back(x);
        b.data.push_back(y);
        b.labels.push_back(labelPrefix + std::to_string(s));
    }
    b.titles[0] = "Main";
    b.titles[2] = "Temperature (K)";
    return b;
}

} // namespace kinetra::test

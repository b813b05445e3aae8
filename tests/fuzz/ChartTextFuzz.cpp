// libFuzzer target: the texts a chart window takes from outside, a chart file and the subset
// text of the clipboard. An accepted chart file is written again and must read back equal; an
// accepted subset becomes a chart. Nothing may crash (scripts/fuzz-readers builds and runs it).
#include "charts/ChartFile.h"
#include "charts/ChartModel.h"
#include "charts/SubsetText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto chart = kinetra::readChartText(text);
    if (const auto* content = std::get_if<kinetra::ChartContent>(&chart)) {
        const auto again = kinetra::readChartText(kinetra::chartFileText(*content));
        const auto* reread = std::get_if<kinetra::ChartContent>(&again);
        if (!reread || !(*reread == *content))
            std::abort(); // what was written must read back as it was
    }
    if (const auto subset = kinetra::readSubsetText(text)) {
        kinetra::ChartModel model(kinetra::randomWholeNumbers(1));
        model.intit(subset->addBuffer(), false);
    }
    return 0;
}

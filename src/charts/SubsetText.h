// The text a copied subset travels in (clipboard and "CHEA03.TMP"), and its reading back.
#pragma once

#include "charts/ChartModel.h"
#include "common/Seams.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra {

inline constexpr const char* kSubsetScratchFile = "CHEA03.TMP";

// Header line with the date, the description, the quoted X-axis and subset labels, then one
// line per point slot, CR LF line ends. Empty slots are written " Empty ".
std::string subsetText(const ChartModel& chart, int subset, const LocalDateTime& now);

struct SubsetFromText {
    std::string description;
    std::string xLabel;
    std::string label;
    std::vector<double> x, y; // kEmptySlot for an empty slot
    ChartBuffer addBuffer() const;
};

// Nothing when the text holds no point with both values numbers.
std::optional<SubsetFromText> readSubsetText(const std::string& text);

// Profile from the clipboard: reads the clipboard and adds the subset to the chart, or shows
// "There is no data on the clipboard to plot a profile.". Returns whether a subset was added.
bool pasteSubset(ChartModel& chart, const Clipboard& clipboard, Dialogs& dialogs);

} // namespace kinetra

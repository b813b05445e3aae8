// The checks in front of saving and exporting a chart: the file name's extension, the subset
// and size limits of a picture, and the size read-out while the chart is resized.
#pragma once

#include <optional>
#include <string>

namespace kinetra {

inline constexpr int kMaxExportSubsets = 10;
inline constexpr long kMaxExportHundredthsMm = 17780; // 7 inches
inline constexpr double kTwipsPerInch = 1440;

// Whether the name ends in ".pg" (any case).
bool hasChartExtension(const std::string& path);
// The wrong-extension question of Save as (OK chooses again, Cancel stops).
std::string wrongChartExtensionMessage(const std::string& path);

// Twips to hundredths of a millimetre, as the export limit counts them.
long hundredthsOfMm(long twips);

// The refusal of a picture export, or nothing when the chart may be exported.
std::optional<std::string> exportProblem(int subsetCount, long widthTwips, long heightTwips);

// "Chart: Width = 5.0'', Height = 3.5''".
std::string chartSizeText(long widthTwips, long heightTwips);

} // namespace kinetra

// Chart files (".pg"): a versioned JSON document holding the data, labels, titles, every
// annotation slot in use, subset styles and colours, grid and point settings, axis setup and
// fonts. The file always holds the colour style: monochrome is a way of drawing, not data.
#pragma once

#include "charts/ChartModel.h"

#include <filesystem>
#include <string>
#include <variant>

namespace kinetra {

inline constexpr const char* kChartFileKind = "kinetra-chart";
inline constexpr int kChartFileVersion = 1;
inline constexpr int kMaxChartCount = 32767; // subsets and points are 16-bit counts

std::string chartFileText(const ChartContent& chart);

// The chart, or the reason the text is not a chart file.
std::variant<ChartContent, std::string> readChartText(const std::string& text);

// Written through a temporary name and renamed, so a failed save leaves the old file whole.
// Throws std::runtime_error naming the path when the file cannot be written.
void writeChartFile(const std::filesystem::path& path, const ChartContent& chart);
std::variant<ChartContent, std::string> readChartFile(const std::filesystem::path& path);

} // namespace kinetra

// Printing a text file into a PDF file without a window: the batch tool's print command. Makes
// the Qt application object it needs (on the offscreen platform) when there is none.
#pragma once

#include "textdoc/PageSetup.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kinetra::textdoc {

struct LineRange {
    int first = 1; // 1-based, inclusive
    int last = 1;
};

// The lines `range` of `text` (all of them without a range); nothing when the range is outside.
std::optional<std::string> linesOf(const std::string& text, std::optional<LineRange> range);

// Prints `text` into `pdf` with the settings in the workbench's fixed-pitch font; returns the
// number of pages, 0 when the file could not be written.
int printTextToPdf(const std::string& text, const std::filesystem::path& pdf,
                   const TextPageSettings& settings);

} // namespace kinetra::textdoc

#include "textdoc/PageSetup.h"

#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra::textdoc {

namespace {

constexpr double kMinMargin = 0.25;
constexpr double kMaxMargin = 10.0;

} // namespace

double paperWidthInches(Paper paper) {
    return paper == Paper::A4 ? 21.0 * 567.0 / 1440.0 : 8.5;
}

double paperHeightInches(Paper paper) {
    return paper == Paper::A4 ? 29.7 * 567.0 / 1440.0 : 11.0;
}

const char* paperName(Paper paper) {
    return paper == Paper::A4 ? "A4" : "Letter";
}

double clampedMargin(double inches) {
    return std::clamp(inches, kMinMargin, kMaxMargin);
}

PageSetupResult checkPageSetup(const PageSetupEntries& entries) {
    const std::pair<const std::string*, const char*> boxes[] = {{&entries.left, "Left"},
                                                                {&entries.right, "Right"},
                                                                {&entries.top, "Top"},
                                                                {&entries.bottom, "Bottom"}};
    double margins[4];
    for (int i = 0; i < 4; ++i) {
        auto value = parseNumber(trimBlanks(*boxes[i].first));
        if (!value || !std::isfinite(*value) || *value <= 0)
            return {std::nullopt,
                    std::string(boxes[i].second) + " margin, please enter a positive number."};
        margins[i] = clampedMargin(*value);
    }
    auto first = parseNumber(trimBlanks(entries.firstPageNumber));
    if (!first || *first != std::floor(*first) || std::fabs(*first) > 1e6)
        return {std::nullopt, "The first page number, please enter an integer."};
    TextPageSettings settings{margins[0],        margins[1],    margins[2],
                              margins[3],        entries.paper, static_cast<int>(*first),
                              entries.numberSide};
    if (settings.left + settings.right + 1.0 >= paperWidthInches(settings.paper) ||
        settings.top + settings.bottom + 1.0 >= paperHeightInches(settings.paper))
        return {std::nullopt, "Print setup, reduce the page margins."};
    return {settings, {}};
}

std::string printedPortionNote(bool hasSelection) {
    if (hasSelection)
        return "Selected portion of the text will be printed. To print the entire document, you "
               "should cancel text selection.";
    return "The entire document will be printed. To print a portion of the text, you should "
           "select this portion.";
}

int printedPageNumber(int runningPage, int firstPageNumber) {
    return runningPage + firstPageNumber - 1;
}

} // namespace kinetra::textdoc

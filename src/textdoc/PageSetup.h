// The page settings of printed text and charts, and the checks of the text page setup window.
#pragma once

#include <optional>
#include <string>

namespace kinetra::textdoc {

enum class Paper { Letter = 1, A4 = 9 };
enum class PageNumberSide { Left, Right };

struct TextPageSettings {
    double left = 0.5, right = 0.5, top = 1.0, bottom = 1.0; // margins, inches
    Paper paper = Paper::Letter;
    int firstPageNumber = 1;
    PageNumberSide numberSide = PageNumberSide::Right;
};

// Charts print on A4 with margins of a hundredth of an inch: the picture is scaled to the page.
struct ChartPageSettings {
    double left = 0.01, right = 0.01, top = 0.01, bottom = 0.01;
    Paper paper = Paper::A4;
};

// Paper width and height in inches.
double paperWidthInches(Paper paper);
double paperHeightInches(Paper paper);
const char* paperName(Paper paper); // "Letter" or "A4"

// What the boxes of the page setup window hold.
struct PageSetupEntries {
    std::string left, right, top, bottom, firstPageNumber;
    Paper paper = Paper::Letter;
    PageNumberSide numberSide = PageNumberSide::Right;
};

struct PageSetupResult {
    std::optional<TextPageSettings> settings; // set when the entries were accepted
    std::string message;                      // why they were refused
};

// A margin is kept within 0.25 to 10 inches.
double clampedMargin(double inches);

// A margin must be a positive number and is kept within 0.25 to 10 inches; the first page number
// must be an integer; the margins and an inch of text must fit on the paper.
PageSetupResult checkPageSetup(const PageSetupEntries& entries);

// The line of the page setup window that tells what will be printed.
std::string printedPortionNote(bool hasSelection);

// The number printed on a page: the running page number (from 1) shifted to the first number.
int printedPageNumber(int runningPage, int firstPageNumber);

} // namespace kinetra::textdoc

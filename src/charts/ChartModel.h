// The chart a chart window shows, without the window: subsets with one common point count,
// titles, annotation slots, colours and styles, the selection and the modified flag, and the
// rebuild rules every producer of charts relies on (Intit, SubSetAdd, SubsetDel).
#pragma once

#include "charts/ChartHandOver.h"
#include "common/Seams.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kinetra {

inline constexpr int kAnnotationSlotCount = 301; // slots 0 .. 300
inline constexpr int kUserAnnotationSlots = 100; // slots 0 .. 99
inline constexpr int kDescriptionSlot = 101;     // and 102 for the rest
inline constexpr int kHistogramSlot = 300;       // "Histogram" marks a bar chart
inline constexpr std::size_t kDescriptionSplit = 48;
inline constexpr const char* kFreeAnnotationText = "Empty";
inline constexpr const char* kNewAnnotationText = "New Annotation";

// A slot holds a point only when it is a finite number other than kEmptySlot.
bool isPointValue(double v);

// The new-chart buffer (and the add buffer): row 2s holds the X values of subset s, row 2s+1
// its Y values; titles 0 main title, 1 subtitle, 2 X-axis label.
struct ChartBuffer {
    int pointCount = 0;
    int subsetCount = 0;
    std::vector<std::vector<double>> data;
    std::vector<std::string> labels;
    std::array<std::string, 6> titles;
    std::string description; // goes to slots 101 and 102 after a replace
};

// The buffer a replace fills from a producer's hand-over (titles as the producer sets them:
// the subtitle ten blanks, the title the main title, the X label the X-axis label).
ChartBuffer bufferOf(const ChartHandOver& handOver);

struct Annotation {
    double x = kEmptySlot, y = kEmptySlot;
    std::string text = kFreeAnnotationText;
    int type = 0;
    int colour = 0;
    bool isFree() const;
    bool operator==(const Annotation&) const = default;
};

struct ChartSubset {
    std::string label;
    std::vector<double> x, y; // pointCount slots each
    int colour = 0;           // index into the 16-colour table
    int lineStyle = 0;        // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    bool shown = true;
    int symbol = 0; // point symbol index; 0 the default symbol, -1 none
    bool operator==(const ChartSubset&) const = default;
};

enum class AxisScale { Auto, Linear, Log };

struct AxisSetup {
    AxisScale scale = AxisScale::Auto;
    double minimum = 0, maximum = 1;
    int majorTicks = 5, minorTicks = 1, digits = 3;
    bool operator==(const AxisSetup&) const = default;
};

struct ChartFont {
    std::string family = "DejaVu Sans";
    bool bold = false, italic = false;
    bool operator==(const ChartFont&) const = default;
};

enum class SizeChoice { Large, Medium, Small };

// Everything the chart setup window edits besides the subsets.
struct ChartLook {
    AxisSetup xAxis, yAxis;
    ChartFont mainTitleFont, subTitleFont, textFont;
    SizeChoice textSize = SizeChoice::Medium, pointSize = SizeChoice::Medium;
    // Plot annotation, plot foreground, plot background, shadow, chart foreground, chart
    // background, as 0xRRGGBB.
    std::array<unsigned, 6> colours{0x000000, 0x000000, 0xFFFFFF, 0x808080, 0x000000, 0xFFFFFF};
    bool operator==(const ChartLook&) const = default;
};

// All a chart file holds.
struct ChartContent {
    int pointCount = 0;
    std::vector<ChartSubset> subsets;
    std::string mainTitle, subTitle, xLabel, yLabel;
    std::vector<Annotation> annotations = std::vector<Annotation>(kAnnotationSlotCount);
    bool grid = false, pointSymbols = false, monochrome = false;
    ChartLook look;
    bool operator==(const ChartContent&) const = default;
};

// The description: the texts of slots 101 and 102 joined, "Empty" left out.
std::string descriptionOf(const ChartContent& chart);

// Returns a whole number from 0 to count - 1, each with equal chances. Injected so that tests
// can fix the colours a rebuild draws.
using WholeNumberDraw = std::function<int(int count)>;
WholeNumberDraw randomWholeNumbers(unsigned seed);

// One of the standard colours 0 to 6 and 9 of the 16-colour table, with equal chances.
int drawSubsetColour(const WholeNumberDraw& draw);

class ChartModel {
public:
    explicit ChartModel(WholeNumberDraw draw);

    const ChartContent& content() const { return content_; }
    // Replaces everything (a chart file, or the copy the setup window restores on Cancel).
    void restore(ChartContent content);

    int subsetCount() const { return static_cast<int>(content_.subsets.size()); }
    int pointCount() const { return content_.pointCount; }
    const ChartSubset& subset(int s) const { return content_.subsets.at(s); }
    bool hasDrawablePoint() const;

    // Rebuilds from the buffer; a buffer of no subsets draws nothing. Without keepLayout the
    // titles come from the buffer, the annotations are cleared and every subset draws a colour.
    void intit(const ChartBuffer& buffer, bool keepLayout);
    // Appends the buffer's subsets; a chart of one subset with at most one point is replaced.
    void subSetAdd(const ChartBuffer& add);
    // Deletes the selected subset; refuses (with the message) to delete the only one. Returns
    // whether the chart changed.
    bool subsetDel(Dialogs& dialogs);
    // A chart of the current subsets as a buffer, titles included.
    ChartBuffer buffer() const;

    void select(int s);
    void cancelSelection() { selected_.reset(); }
    std::optional<int> selected() const { return selected_; }

    void setMainTitle(std::string t);
    void setSubTitle(std::string t);
    void setXLabel(std::string t);
    void setYLabel(std::string t);
    void setSubsetLabel(int s, std::string t);
    void setSubsetStyle(int s, int colour, int lineStyle);
    void setSubsetDisplay(int s, bool shown, int symbol);
    void setAnnotation(int slot, Annotation a);
    const Annotation& annotation(int slot) const { return content_.annotations.at(slot); }
    // Placeholder texts for every empty title so that the user can click them.
    void showAllText();
    // Stores "New Annotation" at (x, y) in the first free slot among 0 to 99; the slot, or
    // nothing after the message when all are taken.
    std::optional<int> textAnnotationsNew(double x, double y, Dialogs& dialogs);

    void setDescription(const std::string& text); // slots 101 and 102, split at 48
    std::string description() const;
    bool isHistogram() const;

    void setGrid(bool on);
    void setPointSymbols(bool on);
    void setMonochrome(bool on);
    void setLook(const ChartLook& look);

    bool isModified() const { return modified_; }
    void mustSave() { modified_ = true; }
    void markSaved() { modified_ = false; }

private:
    void clearAnnotations();
    // The colour of new subset s, drawn so that it differs from subsets 0 .. s-1 while it can.
    int drawDistinctColour(const std::vector<ChartSubset>& subsets, int s) const;

    WholeNumberDraw draw_;
    ChartContent content_;
    std::optional<int> selected_;
    bool modified_ = false;
};

// The producers' hand-over applied to a chart: a replace (Intit without keep-layout, then the
// description into slots 101 and 102) or, with add, SubSetAdd.
void applyHandOver(ChartModel& chart, const ChartHandOver& handOver, bool add);

// ---- The scratch chart ----------------------------------------------------------------------

enum class ScratchKind { AgainstTemperature, AgainstTime };

// "Temporary Chart" for thermo functions and rate constants, "Temporary Chart " (one trailing
// blank) for result profiles.
std::string scratchCaption(ScratchKind kind);
bool isScratchCaption(const std::string& caption);
// Ctrl adds only to an open scratch chart of the producer's own kind, so that time profiles
// never land on a chart against temperature.
bool addsToScratch(bool ctrlHeld, const std::optional<std::string>& openScratchCaption,
                   ScratchKind kind);
// The scratch chart never asks to be saved.
bool closeAsksToSave(const std::string& caption, bool modified);

// ---- The point read-out ---------------------------------------------------------------------

// "X = ..." and "10^X = ..." (or "10^X = Overflow") for the chosen point.
std::pair<std::string, std::string> xReadout(double x);
std::pair<std::string, std::string> yReadout(double y);

} // namespace kinetra

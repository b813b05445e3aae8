#include "charts/ChartModel.h"

#include "common/NumberFormat.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>

namespace kinetra {

namespace {

constexpr const char* kTitle = "KINETRA";
const std::string kTenBlanks(10, ' ');

} // namespace

bool isPointValue(double v) {
    return std::isfinite(v) && v != kEmptySlot;
}

bool Annotation::isFree() const {
    return text == kFreeAnnotationText || x == kEmptySlot || y == kEmptySlot;
}

ChartBuffer bufferOf(const ChartHandOver& handOver) {
    ChartBuffer b;
    b.subsetCount = static_cast<int>(handOver.subsets.size());
    b.pointCount = static_cast<int>(handOver.x.size());
    for (const auto& s : handOver.subsets) {
        b.data.push_back(handOver.x);
        b.data.push_back(s.y);
        b.labels.push_back(s.label);
    }
    b.titles[0] = handOver.title;
    b.titles[1] = kTenBlanks;
    b.titles[2] = handOver.xLabel;
    b.description = handOver.description;
    return b;
}

WholeNumberDraw randomWholeNumbers(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return
        [engine](int count) { return std::uniform_int_distribution<int>(0, count - 1)(*engine); };
}

int drawSubsetColour(const WholeNumberDraw& draw) {
    const int n = draw(8);
    return n == 7 ? 9 : n;
}

ChartModel::ChartModel(WholeNumberDraw draw) : draw_(std::move(draw)) {}

int ChartModel::drawDistinctColour(const std::vector<ChartSubset>& subsets, int s) const {
    // Two curves of one colour cannot be told apart: a colour the earlier subsets use is drawn
    // again while one of the eight is still free. Each draw keeps its equal chances.
    const auto used = [&](int colour) {
        for (int other = 0; other < s; ++other)
            if (subsets[static_cast<std::size_t>(other)].colour == colour)
                return true;
        return false;
    };
    int free = 0;
    for (int colour : {0, 1, 2, 3, 4, 5, 6, 9})
        free += !used(colour);
    int colour = drawSubsetColour(draw_);
    for (int tries = 0; free > 0 && used(colour) && tries < 64; ++tries)
        colour = drawSubsetColour(draw_);
    return colour;
}

void ChartModel::restore(ChartContent content) {
    content.annotations.resize(kAnnotationSlotCount);
    content_ = std::move(content);
    selected_.reset();
}

bool ChartModel::hasDrawablePoint() const {
    for (const auto& s : content_.subsets)
        for (int p = 0; p < content_.pointCount; ++p)
            if (isPointValue(s.x[p]) && isPointValue(s.y[p]))
                return true;
    return false;
}

void ChartModel::intit(const ChartBuffer& buffer, bool keepLayout) {
    if (buffer.subsetCount < 1)
        return;
    const int n = std::max(buffer.pointCount, 0);
    std::vector<ChartSubset> subsets(buffer.subsetCount);
    for (int s = 0; s < buffer.subsetCount; ++s) {
        ChartSubset& sub = subsets[s];
        sub.x.assign(n, kEmptySlot);
        sub.y.assign(n, kEmptySlot);
        // A short or missing row leaves its slots empty instead of reading past it.
        const auto row = [&](std::size_t r) -> const std::vector<double>* {
            return r < buffer.data.size() ? &buffer.data[r] : nullptr;
        };
        const auto* xs = row(2 * s);
        const auto* ys = row(2 * s + 1);
        for (int p = 0; xs && p < n && p < static_cast<int>(xs->size()); ++p)
            if (isPointValue((*xs)[p]))
                sub.x[p] = (*xs)[p];
        for (int p = 0; ys && p < n && p < static_cast<int>(ys->size()); ++p)
            if (isPointValue((*ys)[p]))
                sub.y[p] = (*ys)[p];
        if (s < static_cast<int>(buffer.labels.size()))
            sub.label = buffer.labels[s];
        if (keepLayout && s < subsetCount()) {
            sub.colour = content_.subsets[s].colour;
            sub.lineStyle = content_.subsets[s].lineStyle;
            sub.shown = content_.subsets[s].shown;
            sub.symbol = content_.subsets[s].symbol;
        } else {
            sub.colour = drawDistinctColour(subsets, s);
        }
    }
    content_.subsets = std::move(subsets);
    content_.pointCount = n;
    selected_.reset();
    if (!keepLayout) {
        content_.mainTitle = buffer.titles[0];
        content_.subTitle = buffer.titles[1].empty() ? kTenBlanks : buffer.titles[1];
        content_.xLabel = buffer.titles[2];
        content_.yLabel = "Y-Axis";
        clearAnnotations();
    }
}

ChartBuffer ChartModel::buffer() const {
    ChartBuffer b;
    b.subsetCount = subsetCount();
    b.pointCount = content_.pointCount;
    for (const auto& s : content_.subsets) {
        b.data.push_back(s.x);
        b.data.push_back(s.y);
        b.labels.push_back(s.label);
    }
    b.titles[0] = content_.mainTitle;
    b.titles[1] = content_.subTitle;
    b.titles[2] = content_.xLabel;
    return b;
}

void ChartModel::subSetAdd(const ChartBuffer& add) {
    if (add.subsetCount < 1)
        return;
    // One subset of at most one point is what an empty chart control holds: replace it.
    if (subsetCount() == 1 && content_.pointCount <= 1) {
        content_.subsets.clear();
        content_.pointCount = 0;
    }
    ChartBuffer merged = buffer();
    merged.pointCount = std::max(merged.pointCount, add.pointCount);
    for (int s = 0; s < add.subsetCount; ++s) {
        for (std::size_t row :
             {2 * static_cast<std::size_t>(s), 2 * static_cast<std::size_t>(s) + 1})
            merged.data.push_back(row < add.data.size() ? add.data[row] : std::vector<double>{});
        merged.labels.push_back(s < static_cast<int>(add.labels.size()) ? add.labels[s] : "");
    }
    for (auto& row : merged.data)
        row.resize(merged.pointCount, kEmptySlot);
    merged.subsetCount += add.subsetCount;
    // Keep-layout: titles, annotations and the existing subsets' styles stay; the added subsets
    // draw new colours.
    intit(merged, true);
    mustSave();
}

bool ChartModel::subsetDel(Dialogs& dialogs) {
    const auto target = selected_;
    selected_.reset();
    if (!target || *target >= subsetCount())
        return false;
    if (subsetCount() == 1) {
        dialogs.message("The chart contains only one profile; it cannot be deleted.", kTitle,
                        Icon::None);
        return false;
    }
    content_.subsets.erase(content_.subsets.begin() + *target);
    mustSave();
    return true;
}

void ChartModel::select(int s) {
    if (s < 0 || s >= subsetCount())
        throw std::out_of_range("no subset " + std::to_string(s));
    selected_ = s;
}

void ChartModel::setMainTitle(std::string t) {
    content_.mainTitle = std::move(t), mustSave();
}
void ChartModel::setSubTitle(std::string t) {
    content_.subTitle = std::move(t), mustSave();
}
void ChartModel::setXLabel(std::string t) {
    content_.xLabel = std::move(t), mustSave();
}
void ChartModel::setYLabel(std::string t) {
    content_.yLabel = std::move(t), mustSave();
}
void ChartModel::setSubsetLabel(int s, std::string t) {
    content_.subsets.at(s).label = std::move(t);
    mustSave();
}
void ChartModel::setSubsetStyle(int s, int colour, int lineStyle) {
    content_.subsets.at(s).colour = colour;
    content_.subsets.at(s).lineStyle = lineStyle;
    mustSave();
}
void ChartModel::setSubsetDisplay(int s, bool shown, int symbol) {
    content_.subsets.at(s).shown = shown;
    content_.subsets.at(s).symbol = symbol;
    mustSave();
}
void ChartModel::setAnnotation(int slot, Annotation a) {
    content_.annotations.at(slot) = std::move(a);
    mustSave();
}

void ChartModel::showAllText() {
    const auto fill = [](std::string& text, const std::string& placeholder) {
        if (trimBlanks(text).empty())
            text = placeholder;
    };
    fill(content_.mainTitle, "Main Title");
    fill(content_.subTitle, "SubTitle");
    fill(content_.xLabel, "X-Axis");
    fill(content_.yLabel, "Y-Axis");
    for (int s = 0; s < subsetCount(); ++s)
        fill(content_.subsets[s].label, "Subset " + std::to_string(s + 1));
}

std::optional<int> ChartModel::textAnnotationsNew(double x, double y, Dialogs& dialogs) {
    for (int slot = 0; slot < kUserAnnotationSlots; ++slot) {
        if (!content_.annotations[slot].isFree())
            continue;
        content_.annotations[slot] = Annotation{x, y, kNewAnnotationText, 0, 0};
        mustSave();
        return slot;
    }
    dialogs.message("The number of annotations is greater than 1000. A new annotation cannot be "
                    "created.",
                    kTitle, Icon::None);
    return std::nullopt;
}

void ChartModel::setDescription(const std::string& text) {
    // Split on a character boundary so that a multi-byte letter at 48 stays whole.
    std::size_t cut = 0;
    std::size_t chars = 0;
    while (cut < text.size() && chars < kDescriptionSplit) {
        cut += std::max<std::size_t>(1, utf8SequenceAt(text, cut));
        ++chars;
    }
    cut = std::min(cut, text.size());
    content_.annotations[kDescriptionSlot].text = text.substr(0, cut);
    content_.annotations[kDescriptionSlot + 1].text =
        cut < text.size() ? text.substr(cut) : kFreeAnnotationText;
}

std::string descriptionOf(const ChartContent& chart) {
    std::string joined;
    for (std::size_t slot : {kDescriptionSlot, kDescriptionSlot + 1})
        if (slot < chart.annotations.size() && chart.annotations[slot].text != kFreeAnnotationText)
            joined += chart.annotations[slot].text;
    return joined;
}

std::string ChartModel::description() const {
    return descriptionOf(content_);
}

bool ChartModel::isHistogram() const {
    return content_.annotations[kHistogramSlot].text == "Histogram";
}

void ChartModel::setGrid(bool on) {
    content_.grid = on;
}
void ChartModel::setPointSymbols(bool on) {
    content_.pointSymbols = on;
}
void ChartModel::setMonochrome(bool on) {
    content_.monochrome = on;
}
void ChartModel::setLook(const ChartLook& look) {
    content_.look = look;
    mustSave();
}

void ChartModel::clearAnnotations() {
    content_.annotations.assign(kAnnotationSlotCount, Annotation{});
}

void applyHandOver(ChartModel& chart, const ChartHandOver& handOver, bool add) {
    const ChartBuffer buffer = bufferOf(handOver);
    if (add) {
        chart.subSetAdd(buffer);
        return;
    }
    chart.intit(buffer, false);
    chart.setDescription(buffer.description);
}

// ---- The scratch chart ----------------------------------------------------------------------

std::string scratchCaption(ScratchKind kind) {
    return kind == ScratchKind::AgainstTime ? "Temporary Chart " : "Temporary Chart";
}

bool isScratchCaption(const std::string& caption) {
    return caption == "Temporary Chart" || caption == "Temporary Chart ";
}

bool addsToScratch(bool ctrlHeld, const std::optional<std::string>& openScratchCaption,
                   ScratchKind kind) {
    return ctrlHeld && openScratchCaption && *openScratchCaption == scratchCaption(kind);
}

bool closeAsksToSave(const std::string& caption, bool modified) {
    if (upperAscii(trimBlanks(caption)) == "TEMPORARY CHART")
        return false;
    return modified;
}

// ---- The point read-out ---------------------------------------------------------------------

namespace {

std::pair<std::string, std::string> readout(double v, const char* axis, const char* valuePattern,
                                            const char* powerPattern) {
    const std::string name(axis);
    const double power = std::pow(10.0, v);
    return {name + " = " + formatNumber(v, valuePattern),
            "10^" + name + " = " +
                (std::isfinite(power) ? formatNumber(power, powerPattern) : "Overflow")};
}

} // namespace

std::pair<std::string, std::string> xReadout(double x) {
    return readout(x, "X", "0.00####E+00", "0.000##E+00");
}

std::pair<std::string, std::string> yReadout(double y) {
    return readout(y, "Y", "0.000E+00", "0.000E+00");
}

} // namespace kinetra

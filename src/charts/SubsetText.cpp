#include "charts/SubsetText.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <sstream>

namespace kinetra {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string quoted(const std::string& text) {
    // A quote inside a label is doubled so that the reader finds the label's end.
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string slotText(double v) {
    if (!isPointValue(v))
        return " Empty ";
    return formatText(formatNumber(v, "0.00000000E+00"), "@@@@@@@@@@@@@@@@@");
}

// The quoted strings of a line such as "Temperature (K)","H2O".
std::vector<std::string> quotedItems(const std::string& line) {
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '"') {
            ++i;
            continue;
        }
        std::string item;
        ++i;
        while (i < line.size()) {
            if (line[i] == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    item += '"';
                    i += 2;
                    continue;
                }
                break;
            }
            item += line[i++];
        }
        ++i;
        items.push_back(item);
    }
    return items;
}

std::optional<double> slotValue(const std::string& token) {
    if (equalsIgnoreCase(token, "Empty"))
        return kEmptySlot;
    auto v = parseNumber(token);
    if (v && !isPointValue(*v))
        return kEmptySlot;
    return v;
}

} // namespace

std::string subsetText(const ChartModel& chart, int subset, const LocalDateTime& now) {
    const ChartSubset& s = chart.subset(subset);
    std::string out =
        "!KINETRA  " + formatDate(now, "mmm d yyyy") + "  " + formatDate(now, "hh:nn:ss") + kCrLf;
    out += "!" + chart.description() + kCrLf;
    out += quoted(chart.content().xLabel) + "," + quoted(s.label) + kCrLf;
    for (int p = 0; p < chart.pointCount(); ++p)
        out += slotText(s.x[p]) + slotText(s.y[p]) + kCrLf;
    return out;
}

std::optional<SubsetFromText> readSubsetText(const std::string& text) {
    SubsetFromText result;
    int headerLines = 0;
    bool anyPoint = false;
    std::istringstream in(readerText(text));
    std::string line;
    while (std::getline(in, line)) {
        const std::string trimmed = trimBlanks(line);
        if (trimmed.empty())
            continue;
        if (trimmed[0] == '!') {
            // The first "!" line is the header with the date, the second the description.
            if (++headerLines == 2)
                result.description = trimmed.substr(1);
            continue;
        }
        if (trimmed[0] == '"') {
            const auto items = quotedItems(trimmed);
            if (!items.empty())
                result.xLabel = items[0];
            if (items.size() > 1)
                result.label = items[1];
            continue;
        }
        std::istringstream fields(trimmed);
        std::string xs, ys;
        if (!(fields >> xs >> ys))
            continue;
        const auto x = slotValue(xs), y = slotValue(ys);
        if (!x || !y)
            continue;
        result.x.push_back(*x);
        result.y.push_back(*y);
        anyPoint = anyPoint || (isPointValue(*x) && isPointValue(*y));
    }
    if (!anyPoint)
        return std::nullopt;
    return result;
}

ChartBuffer SubsetFromText::addBuffer() const {
    ChartBuffer b;
    b.subsetCount = 1;
    b.pointCount = static_cast<int>(x.size());
    b.data = {x, y};
    b.labels = {label};
    b.titles[2] = xLabel;
    b.description = description;
    return b;
}

bool pasteSubset(ChartModel& chart, const Clipboard& clipboard, Dialogs& dialogs) {
    const auto subset = readSubsetText(clipboard.text());
    if (!subset) {
        dialogs.message("There is no data on the clipboard to plot a profile.", "KINETRA",
                        Icon::None);
        return false;
    }
    chart.subSetAdd(subset->addBuffer());
    return true;
}

} // namespace kinetra

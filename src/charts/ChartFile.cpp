#include "charts/ChartFile.h"

#include "charts/Json.h"
#include "common/TextFile.h"

namespace kinetra {

namespace {

using namespace json;

const char* scaleName(AxisScale s) {
    return s == AxisScale::Log ? "log" : s == AxisScale::Linear ? "linear" : "auto";
}
AxisScale scaleOf(const std::string& name) {
    if (name == "auto")
        return AxisScale::Auto;
    if (name == "linear")
        return AxisScale::Linear;
    if (name == "log")
        return AxisScale::Log;
    throw FormatError("unknown axis scale \"" + name + "\"");
}
const char* sizeName(SizeChoice s) {
    return s == SizeChoice::Large ? "large" : s == SizeChoice::Small ? "small" : "medium";
}
SizeChoice sizeOf(const std::string& name) {
    if (name == "large")
        return SizeChoice::Large;
    if (name == "medium")
        return SizeChoice::Medium;
    if (name == "small")
        return SizeChoice::Small;
    throw FormatError("unknown size \"" + name + "\"");
}

Value numbers(const std::vector<double>& values) {
    Array a;
    a.reserve(values.size());
    for (double v : values)
        a.emplace_back(v);
    return a;
}
std::vector<double> numbersOf(const Value& v, const std::string& what, int count) {
    const Array& a = asArray(v, what);
    if (static_cast<int>(a.size()) != count)
        throw FormatError("\"" + what + "\" holds " + std::to_string(a.size()) +
                          " values instead of " + std::to_string(count));
    std::vector<double> out;
    out.reserve(a.size());
    for (const Value& x : a)
        out.push_back(asNumber(x, what));
    return out;
}

Value axisValue(const AxisSetup& a) {
    return Object{{"scale", scaleName(a.scale)}, {"minimum", a.minimum},
                  {"maximum", a.maximum},        {"majorTicks", a.majorTicks},
                  {"minorTicks", a.minorTicks},  {"digits", a.digits}};
}
AxisSetup axisOf(const Value& v, const std::string& what) {
    const Object& o = asObject(v, what);
    AxisSetup a;
    a.scale = scaleOf(asString(member(o, "scale"), "scale"));
    a.minimum = asNumber(member(o, "minimum"), "minimum");
    a.maximum = asNumber(member(o, "maximum"), "maximum");
    a.majorTicks = asInt(member(o, "majorTicks"), "majorTicks", 1, 20);
    a.minorTicks = asInt(member(o, "minorTicks"), "minorTicks", 1, 10);
    a.digits = asInt(member(o, "digits"), "digits", 1, 15);
    return a;
}

Value fontValue(const ChartFont& f) {
    return Object{{"family", f.family}, {"bold", f.bold}, {"italic", f.italic}};
}
ChartFont fontOf(const Value& v, const std::string& what) {
    const Object& o = asObject(v, what);
    return ChartFont{asString(member(o, "family"), "family"), asBool(member(o, "bold"), "bold"),
                     asBool(member(o, "italic"), "italic")};
}

ChartContent contentOf(const Value& document) {
    const Object& root = asObject(document, "chart");
    if (asString(member(root, "kind"), "kind") != kChartFileKind)
        throw FormatError("the file is not a chart");
    const int version = asInt(member(root, "version"), "version", 1, 1 << 30);
    if (version > kChartFileVersion)
        throw FormatError("the chart was written by a newer version (format " +
                          std::to_string(version) + ")");
    ChartContent c;
    c.pointCount = asInt(member(root, "pointCount"), "pointCount", 0, kMaxChartCount);
    const Object& titles = asObject(member(root, "titles"), "titles");
    c.mainTitle = asString(member(titles, "main"), "main");
    c.subTitle = asString(member(titles, "sub"), "sub");
    c.xLabel = asString(member(titles, "xAxis"), "xAxis");
    c.yLabel = asString(member(titles, "yAxis"), "yAxis");
    const Array& subsets = asArray(member(root, "subsets"), "subsets");
    if (subsets.size() > static_cast<std::size_t>(kMaxChartCount))
        throw FormatError("too many subsets");
    for (const Value& v : subsets) {
        const Object& o = asObject(v, "subset");
        ChartSubset s;
        s.label = asString(member(o, "label"), "label");
        s.x = numbersOf(member(o, "x"), "x", c.pointCount);
        s.y = numbersOf(member(o, "y"), "y", c.pointCount);
        s.colour = asInt(member(o, "colour"), "colour", 0, 15);
        s.lineStyle = asInt(member(o, "lineStyle"), "lineStyle", 0, 4);
        s.shown = asBool(member(o, "shown"), "shown");
        s.symbol = asInt(member(o, "symbol"), "symbol", -1, 15);
        c.subsets.push_back(std::move(s));
    }
    for (const Value& v : asArray(member(root, "annotations"), "annotations")) {
        const Object& o = asObject(v, "annotation");
        const int slot = asInt(member(o, "slot"), "slot", 0, kAnnotationSlotCount - 1);
        Annotation& a = c.annotations[slot];
        a.x = asNumber(member(o, "x"), "x");
        a.y = asNumber(member(o, "y"), "y");
        a.text = asString(member(o, "text"), "text");
        a.type = asInt(member(o, "type"), "type", 0, 1 << 20);
        a.colour = asInt(member(o, "colour"), "colour", 0, 15);
    }
    c.grid = asBool(member(root, "grid"), "grid");
    c.pointSymbols = asBool(member(root, "pointSymbols"), "pointSymbols");
    const Object& look = asObject(member(root, "look"), "look");
    c.look.xAxis = axisOf(member(look, "xAxis"), "xAxis");
    c.look.yAxis = axisOf(member(look, "yAxis"), "yAxis");
    c.look.mainTitleFont = fontOf(member(look, "mainTitleFont"), "mainTitleFont");
    c.look.subTitleFont = fontOf(member(look, "subTitleFont"), "subTitleFont");
    c.look.textFont = fontOf(member(look, "textFont"), "textFont");
    c.look.textSize = sizeOf(asString(member(look, "textSize"), "textSize"));
    c.look.pointSize = sizeOf(asString(member(look, "pointSize"), "pointSize"));
    const Array& colours = asArray(member(look, "colours"), "colours");
    if (colours.size() != c.look.colours.size())
        throw FormatError("\"colours\" needs 6 values");
    for (std::size_t i = 0; i < colours.size(); ++i)
        c.look.colours[i] = static_cast<unsigned>(asInt(colours[i], "colours", 0, 0xFFFFFF));
    return c;
}

} // namespace

std::string chartFileText(const ChartContent& c) {
    Array subsets;
    for (const ChartSubset& s : c.subsets)
        subsets.emplace_back(Object{{"label", s.label},
                                    {"x", numbers(s.x)},
                                    {"y", numbers(s.y)},
                                    {"colour", s.colour},
                                    {"lineStyle", s.lineStyle},
                                    {"shown", s.shown},
                                    {"symbol", s.symbol}});
    // Free slots are left out; a reader starts from every slot free.
    Array annotations;
    for (int slot = 0; slot < kAnnotationSlotCount; ++slot) {
        const Annotation& a = c.annotations[slot];
        if (a == Annotation{})
            continue;
        annotations.emplace_back(Object{{"slot", slot},
                                        {"x", a.x},
                                        {"y", a.y},
                                        {"text", a.text},
                                        {"type", a.type},
                                        {"colour", a.colour}});
    }
    Array colours;
    for (unsigned rgb : c.look.colours)
        colours.emplace_back(static_cast<int>(rgb));
    const Object look{{"xAxis", axisValue(c.look.xAxis)},
                      {"yAxis", axisValue(c.look.yAxis)},
                      {"mainTitleFont", fontValue(c.look.mainTitleFont)},
                      {"subTitleFont", fontValue(c.look.subTitleFont)},
                      {"textFont", fontValue(c.look.textFont)},
                      {"textSize", sizeName(c.look.textSize)},
                      {"pointSize", sizeName(c.look.pointSize)},
                      {"colours", colours}};
    const Object root{{"kind", kChartFileKind},
                      {"version", kChartFileVersion},
                      {"pointCount", c.pointCount},
                      {"titles", Object{{"main", c.mainTitle},
                                        {"sub", c.subTitle},
                                        {"xAxis", c.xLabel},
                                        {"yAxis", c.yLabel}}},
                      {"subsets", subsets},
                      {"annotations", annotations},
                      {"grid", c.grid},
                      {"pointSymbols", c.pointSymbols},
                      {"look", look}};
    return write(root);
}

std::variant<ChartContent, std::string> readChartText(const std::string& text) {
    try {
        return contentOf(parse(text));
    } catch (const FormatError& e) {
        return std::string(e.what());
    }
}

void writeChartFile(const std::filesystem::path& path, const ChartContent& chart) {
    writeTextFile(path, chartFileText(chart));
}

std::variant<ChartContent, std::string> readChartFile(const std::filesystem::path& path) {
    const auto text = readFileBytes(path);
    if (!text)
        return "the file cannot be read";
    return readChartText(*text);
}

} // namespace kinetra

// kinetra-cli chart export, and the outputs of thermo chart and reactions chart: chart files
// and PNG, BMP or SVG pictures drawn headless by the drawing the chart window uses.
#include "ChartCli.h"
#include "charts/ChartExport.h"
#include "charts/ChartFile.h"
#include "charts/ui/ChartPicture.h"
#include "common/TextNumber.h"

#include <cmath>
#include <ostream>

namespace kinetra::cli {

namespace {

constexpr const char* kExportUsage =
    "chart export FILE.pg -o PICTURE.png|.bmp|.svg [--width PX] [--height PX] [--force]";
// Pictures larger than this are a mistake in a script, not a chart anyone looks at.
constexpr int kMaxPicturePixels = 20000;

bool pixelsOption(Context& c, const ParsedArgs& a, const char* name, int& value) {
    const std::string* text = a.option(name);
    if (!text)
        return true;
    const std::optional<double> v = parseNumber(*text);
    if (!v || *v < 16 || *v > kMaxPicturePixels || std::floor(*v) != *v) {
        c.io.err << "kinetra-cli: " << name << " must be a whole number of pixels from 16 to "
                 << kMaxPicturePixels << ".\n";
        return false;
    }
    value = static_cast<int>(*v);
    return true;
}

bool writePicture(Context& c, const ChartContent& chart, const std::string& path,
                  const ChartOutputs& out) {
    if (!ui::pictureFormatOf(path)) {
        c.io.err << "kinetra-cli: " << path << ": the picture is a .png, .bmp or .svg file.\n";
        return false;
    }
    if (!mayWrite(c, path, out.force))
        return false;
    if (!ui::writeChartPicture(chart, path, out.width, out.height)) {
        c.io.err << "kinetra-cli: " << path << " cannot be written.\n";
        return false;
    }
    c.io.out << "Picture " << path << " written.\n";
    return true;
}

int chartExport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, chartOutputOptions(), {"--force"}, a, c.io.err) ||
        a.positional.size() != 1 || !a.has("-o")) {
        c.io.err << "usage: kinetra-cli " << kExportUsage << '\n';
        return 2;
    }
    auto out = chartOutputs(c, a, false);
    if (!out)
        return 2;
    auto read = readChartFile(a.positional[0]);
    if (auto* problem = std::get_if<std::string>(&read)) {
        c.io.err << "File " << a.positional[0] << " cannot be opened. " << *problem << '\n';
        return 1;
    }
    const ui::HeadlessGui gui;
    return writePicture(c, std::get<ChartContent>(read), *a.option("-o"), *out) ? 0 : 1;
}

} // namespace

const std::vector<std::string>& chartOutputOptions() {
    static const std::vector<std::string> options{"-o", "--png", "--svg", "--width", "--height"};
    return options;
}

std::optional<ChartOutputs> chartOutputs(Context& c, const ParsedArgs& a, bool needChartFile) {
    ChartOutputs out;
    out.force = a.has("--force");
    if (!pixelsOption(c, a, "--width", out.width) || !pixelsOption(c, a, "--height", out.height))
        return std::nullopt;
    if (const auto* v = a.option("--png"))
        out.png = *v;
    if (const auto* v = a.option("--svg"))
        out.svg = *v;
    if (needChartFile) {
        const std::string* file = a.option("-o");
        if (!file || !hasChartExtension(*file)) {
            c.io.err << "kinetra-cli: -o names the chart file, with the extension pg.\n";
            return std::nullopt;
        }
        out.chartFile = *file;
    }
    return out;
}

int writeChartOutputs(Context& c, const ChartHandOver& handOver, const ChartOutputs& out) {
    // A fixed colour draw: the same command makes the same file.
    ChartModel chart(randomWholeNumbers(1));
    applyHandOver(chart, handOver, false);
    if (!out.chartFile.empty()) {
        if (!mayWrite(c, out.chartFile, out.force))
            return 1;
        try {
            writeChartFile(out.chartFile, chart.content());
        } catch (const std::exception& e) {
            c.io.err << "kinetra-cli: " << e.what() << '\n';
            return 1;
        }
        c.io.out << "Chart " << out.chartFile << " written: " << chart.subsetCount()
                 << " subsets of " << chart.pointCount() << " points.\n";
    }
    if (out.png.empty() && out.svg.empty())
        return 0;
    const ui::HeadlessGui gui;
    for (const std::string* picture : {&out.png, &out.svg})
        if (!picture->empty() && !writePicture(c, chart.content(), *picture, out))
            return 1;
    return 0;
}

void addChartCommands(std::vector<Command>& commands) {
    commands.push_back({"chart export", "FILE.pg -o PICTURE [--width PX] [--height PX] [--force]",
                        "draw a saved chart into a PNG, BMP or SVG picture", chartExport});
}

} // namespace kinetra::cli

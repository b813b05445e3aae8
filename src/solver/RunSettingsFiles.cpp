#include "solver/RunSettingsFiles.h"

#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "physics/Nasa7.h"
#include "results/SolverOutput.h"
#include "solver/RunParameterLines.h"
#include "solver/SolverInputFile.h"

#include <sstream>
#include <stdexcept>

namespace kinetra::solver {

namespace {

constexpr const char* kHandOver = "SolverFilePath.txt";

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

std::optional<long> countBefore(const std::string& line) {
    const auto v = parseWholeNumber(trimBlanks(line.substr(0, line.find('!'))));
    if (!v || *v < 0)
        return std::nullopt;
    return static_cast<long>(*v);
}

// The settings in the saved file's order, as pointers into the settings.
std::vector<std::string*> textSettings(RunSettings& s) {
    return {&s.initialTemperature, &s.pressure,     &s.minimumTemperature, &s.maximumTemperature,
            &s.initialTime,        &s.finalTime,    &s.initialStep,        &s.relativeTolerance,
            &s.absoluteTolerance,  &s.maximumSteps, &s.outputStride,       &s.maximumOutputLines};
}

} // namespace

std::optional<std::vector<std::string>> readInputLines(const std::filesystem::path& path) {
    const std::optional<std::string> text = readTextFile(path);
    if (!text)
        return std::nullopt;
    std::vector<std::string> lines;
    std::istringstream in(readerText(*text));
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

std::optional<InputFileSummary> summariseInputFile(const std::vector<std::string>& lines) {
    if (lines.size() < static_cast<std::size_t>(line::kThermo))
        return std::nullopt;
    const auto n = countBefore(lines[line::kSpeciesCount - 1]);
    const auto reactions = countBefore(lines[line::kReactionCount - 1]);
    if (!n || !reactions || upperAscii(trimBlanks(lines[line::kThermo - 1])) != "THERMO")
        return std::nullopt;
    InputFileSummary summary;
    summary.reactionCount = static_cast<int>(*reactions);
    for (long i = 0; i < *n; ++i) {
        const std::size_t at =
            static_cast<std::size_t>(line::kThermo) + 4 * static_cast<std::size_t>(i);
        if (at + 4 > lines.size())
            return std::nullopt;
        const auto s =
            results::readThermoBlockSpecies({lines.begin() + static_cast<std::ptrdiff_t>(at),
                                             lines.begin() + static_cast<std::ptrdiff_t>(at + 4)});
        if (!s)
            return std::nullopt;
        summary.species.push_back(
            {s->name, s->formula,
             s->initialFraction == 0 ? "" : moleFractionText(s->initialFraction)});
        if (!physics::coefficientsPresent(s->coefficients.data()) &&
            !physics::coefficientsPresent(s->coefficients.data() + 7))
            summary.withoutThermo.push_back(s->name);
    }
    return summary;
}

std::filesystem::path handOverPath(const std::filesystem::path& appDir) {
    return appDir / kHandOver;
}

void writeRunInput(const std::filesystem::path& inputPath, std::vector<std::string> lines,
                   const ValidRunSettings& values, const std::filesystem::path& appDir,
                   Durability durability) {
    rewriteRunParameters(lines, values.parameters);
    rewriteMoleFractions(lines, values.fractions);
    writeRunInputText(inputPath, joinLines(lines), appDir, durability);
}

void writeRunInputText(const std::filesystem::path& inputPath, const std::string& text,
                       const std::filesystem::path& appDir, Durability durability) {
    writeTextFile(inputPath, text, durability);
    writeTextFile(handOverPath(appDir),
                  writeQuotedItems({std::filesystem::absolute(inputPath).string()}), durability);
}

std::string savedSettingsText(const RunSettings& settings) {
    RunSettings copy = settings;
    std::vector<std::string> lines;
    for (std::string* text : textSettings(copy))
        lines.push_back(trimBlanks(*text));
    lines.push_back(settings.energyEquation ? "1" : "0");
    lines.push_back(settings.constantVolume ? "1" : "0");
    lines.push_back(settings.keepConsole ? "1" : "0");
    for (const RunSettingsSpecies& s : settings.species) {
        const auto f = parseNumber(s.fraction);
        if (f && *f > 0)
            lines.push_back(s.name + " " + trimBlanks(s.fraction));
    }
    std::string text = std::to_string(lines.size()) + "\r\n";
    return text + joinLines(lines);
}

bool saveRunSettings(const std::filesystem::path& file, const RunSettings& settings) {
    try {
        writeTextFile(file, savedSettingsText(settings));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool enterSavedSettings(const std::string& text, RunSettings& settings) {
    std::vector<std::string> lines;
    std::istringstream in(readerText(text));
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    if (lines.empty())
        return false;
    const auto count = countBefore(lines[0]);
    constexpr std::size_t kSettingLines = 15;
    if (!count || static_cast<std::size_t>(*count) < kSettingLines ||
        static_cast<std::size_t>(*count) + 1 > lines.size())
        return false;
    RunSettings entered = settings;
    std::size_t at = 1;
    for (std::string* field : textSettings(entered))
        *field = trimBlanks(lines[at++]);
    entered.energyEquation = trimBlanks(lines[at++]) == "1";
    entered.constantVolume = trimBlanks(lines[at++]) == "1";
    entered.keepConsole = trimBlanks(lines[at++]) == "1";
    entered.clearFractions();
    for (; at <= static_cast<std::size_t>(*count); ++at) {
        const std::string line = trimBlanks(lines[at]);
        const auto blank = line.find_last_of(' ');
        if (blank == std::string::npos)
            return false;
        const std::string name = trimBlanks(line.substr(0, blank));
        for (RunSettingsSpecies& s : entered.species)
            if (s.name == name)
                s.fraction = line.substr(blank + 1);
    }
    settings = std::move(entered);
    return true;
}

} // namespace kinetra::solver

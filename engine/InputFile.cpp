#include "engine/InputFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace kinetra::engine {

namespace {

// Fixed places of the file (1-based line numbers).
constexpr int kSpeciesCountLine = 10, kReactionCountLine = 11, kFirstParameterLine = 14,
              kThermoLine = 34;
constexpr std::size_t kCodeColumn = 6, kCodeWidth = 4, kCodeCount = 16;
constexpr std::size_t kThirdBodyGroup = 20, kThirdBodyCode = 4, kThirdBodyName = 8,
                      kThirdBodyEfficiency = 8;

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::optional<double> number(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long> integer(std::string_view text) {
    const auto v = number(text);
    if (!v || *v != std::floor(*v) || std::fabs(*v) > 1e15)
        return std::nullopt;
    return static_cast<long>(*v);
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r'))
            ++i;
        const std::size_t from = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r')
            ++i;
        if (i > from)
            out.push_back(s.substr(from, i - from));
    }
    return out;
}

std::string_view beforeBang(std::string_view s) {
    return s.substr(0, s.find('!'));
}

std::string_view column(std::string_view s, std::size_t from, std::size_t width) {
    return from >= s.size() ? std::string_view() : s.substr(from, width);
}

// Reads the file top to bottom; the first failure stops it with its line and expectation.
class Reader {
public:
    explicit Reader(std::vector<std::string> lines) { input_.lines = std::move(lines); }

    InputReading read() {
        if (parameters() && species() && reactions())
            return {std::move(input_), {}};
        return {std::nullopt, error_};
    }

private:
    SolverInput input_;
    InputError error_;

    bool fail(int line, std::string expected) {
        error_ = {line, std::move(expected)};
        return false;
    }
    // Line n (1-based), or nothing past the end.
    const std::string* line(int n) const {
        return n >= 1 && n <= static_cast<int>(input_.lines.size()) ? &input_.lines[n - 1]
                                                                    : nullptr;
    }
    bool need(int n, const char* what) {
        return line(n) != nullptr || fail(n, std::string(what) + " (the file ends before)");
    }

    template <typename T, typename Parse> bool value(int n, const char* what, T& out, Parse parse) {
        if (!need(n, what))
            return false;
        const auto v = parse(beforeBang(*line(n)));
        if (!v)
            return fail(n, what);
        out = static_cast<T>(*v);
        return true;
    }

    bool parameters() {
        RunParameters& p = input_.parameters;
        long speciesCount = 0, reactionCount = 0, mode = 0;
        if (!value(kSpeciesCountLine, "the species count before \"!\"", speciesCount, integer) ||
            !value(kReactionCountLine, "the reaction count before \"!\"", reactionCount, integer))
            return false;
        // Species codes take four columns on the code lines.
        if (speciesCount < 1 || speciesCount > 9999)
            return fail(kSpeciesCountLine, "a species count from 1 to 9999");
        if (reactionCount < 0 || reactionCount > static_cast<long>(input_.lines.size()))
            return fail(kReactionCountLine,
                        "a reaction count of zero or more, three lines each at least");
        species_ = static_cast<int>(speciesCount);
        reactions_ = static_cast<int>(reactionCount);
        int n = kFirstParameterLine;
        if (!value(n++, "the pressure in atm", p.pressure, number) ||
            !value(n++, "the mode 0, 1, 2 or 3", mode, integer) ||
            !value(n++, "the initial temperature", p.initialTemperature, number) ||
            !value(n++, "the minimal allowable temperature", p.minimumTemperature, number) ||
            !value(n++, "the maximal allowable temperature", p.maximumTemperature, number) ||
            !value(n++, "the initial time", p.initialTime, number) ||
            !value(n++, "the final time", p.finalTime, number) ||
            !value(n++, "the initial step size", p.initialStep, number))
            return false;
        if (mode < 0 || mode > 3)
            return fail(kFirstParameterLine + 1, "the mode 0, 1, 2 or 3");
        p.mode = static_cast<ReactorMode>(mode);
        // Lines 22..24 hold the two tolerances and the step limit. Their labels tell them apart,
        // so that files with the limit first read as well; unlabelled lines go by position.
        double tolerances[2] = {p.relativeTolerance, p.absoluteTolerance};
        bool seen[3] = {};
        for (int k = 0; k < 3; ++k) {
            const int at = n + k;
            if (!need(at, "a tolerance or the maximum number of steps"))
                return false;
            const std::string label =
                upper(line(at)->substr(std::min(line(at)->size(), line(at)->find('!'))));
            int slot = k;
            if (label.find("RELATIVE") != std::string::npos)
                slot = 0;
            else if (label.find("ABSOLUTE") != std::string::npos)
                slot = 1;
            else if (label.find("STEP") != std::string::npos)
                slot = 2;
            if (seen[slot])
                return fail(at, "each of the relative tolerance, the absolute tolerance and the "
                                "maximum number of steps once");
            seen[slot] = true;
            if (slot == 2
                    ? !value(at, "the maximum number of steps", p.maximumSteps, integer)
                    : !value(at, slot == 0 ? "the relative tolerance" : "the absolute tolerance",
                             tolerances[slot], number))
                return false;
        }
        p.relativeTolerance = tolerances[0];
        p.absoluteTolerance = tolerances[1];
        n += 3;
        n += 2; // empty line, " !Output Parameters"
        if (!value(n++, "the maximum number of output lines", p.maximumOutputLines, integer) ||
            !value(n++, "Delta N, the output stride", p.deltaN, integer))
            return false;
        n += 2; // empty line, " !Physical Constants"
        const auto firstWord = [](std::string_view s) -> std::optional<double> {
            const auto w = words(s);
            return w.empty() ? std::nullopt : number(w.front());
        };
        if (!value(n++, "the gas constant in cal/(K mol)", p.gasConstantCal, firstWord) ||
            !value(n++, "the gas constant in cm^3 atm/(K mol)", p.gasConstantCm3, firstWord))
            return false;
        return checkRanges();
    }

    bool checkRanges() {
        const RunParameters& p = input_.parameters;
        const int first = kFirstParameterLine;
        if (!(p.pressure > 0))
            return fail(first, "a positive pressure");
        if (!(p.minimumTemperature > 0 && p.minimumTemperature < p.maximumTemperature))
            return fail(first + 3, "a positive minimal temperature below the maximal one");
        if (!(p.initialTemperature >= p.minimumTemperature &&
              p.initialTemperature <= p.maximumTemperature))
            return fail(first + 2, "an initial temperature inside the allowable interval");
        if (!(p.finalTime > p.initialTime))
            return fail(first + 6, "a final time after the initial time");
        if (!(p.initialStep > 0))
            return fail(first + 7, "a positive initial step size");
        if (!(p.relativeTolerance > 0 && p.relativeTolerance < 1))
            return fail(first + 8, "a relative tolerance between 0 and 1");
        if (!(p.absoluteTolerance > 0))
            return fail(first + 9, "a positive absolute tolerance");
        if (p.maximumSteps < 1)
            return fail(first + 10, "a positive maximum number of steps");
        if (p.maximumOutputLines < 1)
            return fail(first + 13, "a positive maximum number of output lines");
        if (p.deltaN < 1)
            return fail(first + 14, "a positive Delta N");
        if (!(p.gasConstantCal > 0))
            return fail(first + 17, "a positive gas constant");
        if (!(p.gasConstantCm3 > 0))
            return fail(first + 18, "a positive gas constant");
        return true;
    }

    bool species() {
        if (!need(kThermoLine, "\"THERMO\"") || upper(trim(*line(kThermoLine))) != "THERMO")
            return fail(kThermoLine, "\"THERMO\"");
        int n = kThermoLine + 1;
        double fractionSum = 0;
        for (int i = 0; i < species_; ++i, n += 4) {
            if (!need(n + 3, "four lines per species"))
                return false;
            InputSpecies s;
            const auto w = words(*line(n));
            // Number, name, [formula,] phase, Tmin, Tmax, Tcom, fraction.
            if (w.size() < 7 || integer(w[0]) != i + 1)
                return fail(
                    n,
                    "species " + std::to_string(i + 1) +
                        ": its number, name, formula, phase, Tmin, Tmax, Tcom and mole fraction");
            s.name = std::string(w[1]);
            const auto tcom = number(w[w.size() - 2]);
            const auto fraction = number(w.back());
            if (!tcom || !(*tcom > 0))
                return fail(n, "the common temperature of species " + s.name);
            if (!fraction || *fraction < 0)
                return fail(n, "a mole fraction of zero or more for species " + s.name);
            s.tcom = *tcom;
            s.moleFraction = *fraction;
            fractionSum += *fraction;
            for (int row = 0; row < 3; ++row) {
                const std::string& text = *line(n + 1 + row);
                // Five fields a line; the last line's fifth is the molecular weight.
                for (int k = 0; k < 5; ++k) {
                    const auto v = number(column(text, static_cast<std::size_t>(15 * k), 15));
                    if (!v)
                        return fail(n + 1 + row,
                                    "15-character numeric fields (species " + s.name + ")");
                    if (row == 2 && k == 4)
                        s.molecularWeight = *v;
                    else
                        s.coefficients[static_cast<std::size_t>(row * 5 + k)] = *v;
                }
            }
            if (!(s.molecularWeight > 0))
                return fail(n + 3, "a positive molecular weight for species " + s.name);
            input_.species.push_back(std::move(s));
        }
        if (!need(n, "\"End\" after the species") || upper(trim(*line(n))) != "END")
            return fail(n, "\"End\" after " + std::to_string(species_) + " species");
        if (!(fractionSum > 0))
            return fail(kThermoLine + 1,
                        "at least one species with a positive initial mole fraction");
        line_ = n + 1;
        return true;
    }

    std::optional<int> speciesIndex(std::string_view name) const {
        for (std::size_t i = 0; i < input_.species.size(); ++i)
            if (input_.species[i].name == name)
                return static_cast<int>(i);
        return std::nullopt;
    }

    bool reactions() {
        while (line(line_) != nullptr && upper(trim(*line(line_))) != "REACTIONS")
            ++line_;
        if (line(line_) == nullptr)
            return fail(line_, "\"Reactions\"");
        ++line_;
        for (int k = 0; k < reactions_; ++k)
            if (!reaction(k + 1))
                return false;
        if (!need(line_, "\"End\" after the reactions") || upper(trim(*line(line_))) != "END")
            return fail(line_, "\"End\" after " + std::to_string(reactions_) + " reactions");
        return true;
    }

    bool numbers(int n, std::size_t from, std::size_t least, std::size_t most,
                 std::vector<double>& out, const std::string& what) {
        out.clear();
        for (const auto w : words(column(*line(n), from, std::string::npos))) {
            const auto v = number(w);
            if (!v)
                return fail(n, what);
            out.push_back(*v);
        }
        return (out.size() >= least && out.size() <= most) || fail(n, what);
    }

    bool reaction(int k) {
        InputReaction r;
        const std::string tag = "reaction " + std::to_string(k);
        if (!need(line_ + 2, (tag + ": title, code and rate lines").c_str()))
            return false;
        // Title: the number, then the equation.
        const auto title = words(*line(line_));
        if (title.size() < 2 || integer(title[0]) != k)
            return fail(line_, tag + ": its number and equation");
        const std::string& titleText = *line(line_);
        r.equation =
            std::string(trim(titleText.substr(titleText.find(title[0]) + title[0].size())));
        for (const auto w : title) {
            if (w.size() > 1 && w.back() == '$' && upper(w) != "M$") {
                r.namedCollider = speciesIndex(w.substr(0, w.size() - 1));
                if (!r.namedCollider)
                    return fail(line_,
                                tag + ": the collider " + std::string(w) + " among the species");
                break;
            }
        }
        ++line_;
        // Codes: sixteen integers in four-character columns from character 7.
        int codes[kCodeCount];
        for (std::size_t c = 0; c < kCodeCount; ++c) {
            const auto v = integer(column(*line(line_), kCodeColumn + c * kCodeWidth, kCodeWidth));
            if (!v)
                return fail(line_,
                            tag + ": 16 integer codes in 4-character columns from character 7");
            codes[c] = static_cast<int>(*v);
        }
        const int nReactants = codes[9], nProducts = codes[10];
        if (nReactants < 0 || nReactants > 3 || nProducts < 0 || nProducts > 6 || codes[11] < 0 ||
            codes[11] > 2 || codes[12] < 0 || codes[13] < 0 || codes[13] > 2 || codes[14] < 0 ||
            codes[14] > 2 || codes[15] < 0 || codes[15] > 1)
            return fail(line_, tag + ": counts and kinds in their ranges");
        for (int s = 0; s < 9; ++s) {
            const int c = codes[s];
            const bool used = s < 3 ? s < nReactants : s - 3 < nProducts;
            if (used && (c < 1 || c > species_))
                return fail(line_,
                            tag + ": species codes between 1 and " + std::to_string(species_));
            if (used)
                (s < 3 ? r.reactants : r.products).push_back(c - 1);
        }
        r.thirdBodyKind = codes[11];
        const int efficiencyCount = codes[12];
        r.auxiliary = static_cast<Auxiliary>(codes[13]);
        r.falloff = static_cast<FalloffKind>(codes[14]);
        r.reversible = codes[15] == 1;
        if (r.falloff != FalloffKind::None && r.auxiliary != Auxiliary::Low)
            return fail(line_, tag + ": a fall-off form only with LOW parameters");
        if (r.auxiliary == Auxiliary::Low && r.thirdBodyKind == 0 && !r.namedCollider)
            return fail(line_ - 1,
                        tag + ": \"M$\" or a named collider \"NAME$\" in a fall-off equation");
        ++line_;
        std::vector<double> v;
        if (!numbers(line_, kCodeColumn, 3, 3, v, tag + ": A, n and E"))
            return false;
        r.a = v[0], r.n = v[1], r.e = v[2];
        ++line_;
        if (r.auxiliary != Auxiliary::None) {
            const char* label = r.auxiliary == Auxiliary::Low ? "LOW" : "REV";
            if (!need(line_, label) || upper(trim(column(*line(line_), 0, 6))) != label ||
                !numbers(line_, 6, 3, 3, v, tag + ": \"" + label + "\" and three numbers"))
                return fail(line_, tag + ": \"" + label + "\" and three numbers");
            r.al = v[0], r.nl = v[1], r.el = v[2];
            ++line_;
        }
        if (r.falloff != FalloffKind::None) {
            const bool troe = r.falloff == FalloffKind::Troe;
            const char* label = troe ? "TROE" : "SRI";
            const std::string what =
                tag + (troe ? ": \"Troe\" and 3 or 4 numbers" : ": \"SRI\" and 3 or 5 numbers");
            if (!need(line_, label) || upper(trim(column(*line(line_), 0, 6))) != label ||
                !numbers(line_, 6, 3, troe ? 4 : 5, v, what) || (!troe && v.size() == 4))
                return fail(line_, what);
            r.falloffParameters = v;
            ++line_;
        }
        if (r.thirdBodyKind == 2) {
            const std::string what = tag + ": third bodies as code (4), name (8), efficiency (8)";
            int read = 0;
            while (read < efficiencyCount) {
                if (!need(line_, "third-body efficiencies"))
                    return false;
                const std::string& text = *line(line_);
                const int before = read;
                for (std::size_t at = kCodeColumn; read < efficiencyCount && at < text.size();
                     at += kThirdBodyGroup, ++read) {
                    const auto c = integer(column(text, at, kThirdBodyCode));
                    const auto e = number(
                        column(text, at + kThirdBodyCode + kThirdBodyName, kThirdBodyEfficiency));
                    if (!c || *c < 0 || *c > species_ || !e || *e < 0)
                        return fail(line_, what);
                    // Code 0: a collider outside the species block has no concentration.
                    if (*c > 0)
                        r.efficiencies.emplace_back(static_cast<int>(*c) - 1, *e);
                }
                if (read == before)
                    return fail(line_, what);
                ++line_;
            }
        }
        input_.reactions.push_back(std::move(r));
        return true;
    }

    int species_ = 0, reactions_ = 0, line_ = 0;
};

} // namespace

InputReading readSolverInput(std::vector<std::string> lines) {
    for (std::string& l : lines)
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
    return Reader(std::move(lines)).read();
}

std::string inputErrorText(const InputError& error) {
    std::ostringstream out;
    out << "ERROR in the input file";
    if (error.line > 0)
        out << ", line " << error.line;
    out << ": expected " << error.expected << '.';
    return out.str();
}

} // namespace kinetra::engine

#include "solver/SolverInputFile.h"

#include "common/ExactNumber.h"
#include "common/NumberFormat.h"
#include "common/TextUtil.h"
#include "solver/RunParameterLines.h"

#include <charconv>
#include <cstdlib>

namespace kinetra::solver {

namespace {

using reactions::ReactionRecord;

std::string field(std::string_view text, int width, bool left) {
    return formatText(text, (left ? "!" : "") + std::string(static_cast<std::size_t>(width), '@'));
}

// "!@@@@": a code or a count left-aligned in four characters.
std::string code(long long value) {
    return field(std::to_string(value), 4, true);
}

// L(w): a blank, then the value, the whole left-aligned in w characters.
std::string blankLeft(std::string_view value, int width) {
    return field(" " + std::string(value), width, true);
}

std::string typeWithoutIrrev(const std::string& type) {
    std::string upper = trimBlanks(upperAscii(type));
    if (upper.rfind("IRREV", 0) == 0)
        upper = trimBlanks(upper.substr(5));
    return upper;
}

bool irreversibleType(const std::string& type) {
    return upperAscii(type).find("IRREV") != std::string::npos;
}

enum class Auxiliary { None = 0, Low = 1, Rev = 2 };
enum class FalloffForm { None = 0, Troe = 1, Sri = 2 };

Auxiliary auxiliaryKind(const std::string& type) {
    const std::string t = typeWithoutIrrev(type);
    if (t == "LOW" || t == "LOW TROE" || t == "LOW SRI")
        return Auxiliary::Low;
    // "IRREV" itself contains "REV": an irreversible reaction never has a reverse line.
    if (!irreversibleType(type) && t.find("REV") != std::string::npos)
        return Auxiliary::Rev;
    return Auxiliary::None;
}

FalloffForm falloffForm(const std::string& type) {
    const std::string t = typeWithoutIrrev(type);
    if (t == "LOW TROE")
        return FalloffForm::Troe;
    if (t == "LOW SRI")
        return FalloffForm::Sri;
    return FalloffForm::None;
}

bool coded(const std::string& name) {
    return !name.empty() && name.back() != '$';
}

struct ThirdBody {
    int code = 0;
    std::string name;
    double efficiency = 1;
};

std::vector<ThirdBody> thirdBodies(const ReactionRecord& r, const SpeciesCodes& codes) {
    std::vector<ThirdBody> out;
    for (std::size_t j = 0; j < r.thirdBodies.size(); ++j) {
        if (trimBlanks(r.thirdBodies[j]).empty() || !r.efficiencies[j])
            continue;
        out.push_back({codes(r.thirdBodies[j]), r.thirdBodies[j], *r.efficiencies[j]});
    }
    return out;
}

// Third-body lines hold this many code-name-efficiency groups each.
constexpr std::size_t kThirdBodiesPerLine = 5;

// The efficiency in its eight columns: exact when that fits in seven characters (a blank
// keeps it apart from the next code), else rounded to what fits.
std::string efficiencyText(double efficiency) {
    std::string text = exactNumberText(efficiency, "0.###");
    if (text.size() > 7)
        text = formatNumber(efficiency, "0.#####").substr(0, 7);
    return text;
}

std::string thirdBodyName(const std::string& name) {
    return name.size() > 7 ? name.substr(0, 6) + ">" : name;
}

} // namespace

std::string gasConstantText(double value) {
    const double rounded = std::strtod(formatNumber(value, "0.000000E+00").c_str(), nullptr);
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, rounded).ptr;
    return std::string(buffer, end);
}

std::vector<std::string> speciesLines(int i, const SolverSpecies& s) {
    const thermo::SpeciesRecord& r = s.record;
    const std::string phase = trimBlanks(upperAscii(r.phase));
    // Any other phase is written as gas: the solver treats every species as an ideal gas.
    const char* phaseCode = phase == "L" ? "1" : phase == "S" ? "2" : "0";
    std::string first = " " + code(i) + blankLeft(r.name, 17) + blankLeft(s.formula, 23) +
                        blankLeft(phaseCode, 1) +
                        blankLeft(formatNumber(r.tmin.value_or(0), "0.#"), 9) +
                        blankLeft(formatNumber(r.tmax.value_or(0), "0.#"), 9) +
                        blankLeft(formatNumber(r.tcom.value_or(0), "0."), 9) +
                        blankLeft(moleFractionText(s.moleFraction), 10);
    std::vector<std::string> lines{first};
    auto coefficient = [&](int k) {
        return field(formatNumber(r.coefficients[k], "0.00000000E+00"), 15, false);
    };
    for (int row = 0; row < 3; ++row) {
        std::string line;
        for (int k = row * 5; k < row * 5 + 5 && k < 14; ++k)
            line += coefficient(k);
        if (row == 2)
            line += field(formatNumber(s.molecularWeight, "0.00000"), 15, false);
        lines.push_back(line);
    }
    return lines;
}

SpeciesCodes::SpeciesCodes(const std::vector<SolverSpecies>& species) {
    codes_.reserve(species.size());
    // The first of two records of one name keeps it, as a search from the top would find it.
    for (std::size_t i = 0; i < species.size(); ++i)
        codes_.emplace(species[i].record.name, static_cast<int>(i) + 1);
}

int SpeciesCodes::operator()(const std::string& name) const {
    const auto found = codes_.find(name);
    return found == codes_.end() ? 0 : found->second;
}

std::vector<std::string> reactionLines(int k, const ReactionRecord& r, const SpeciesCodes& codes) {
    const bool irreversible = irreversibleType(r.type);
    std::string equation = r.reaction;
    if (irreversible)
        std::erase(equation, '<');
    std::vector<std::string> lines{" " + code(k) + " " + equation};

    std::vector<int> reactantCodes, productCodes;
    bool thirdBodyM = false;
    for (std::size_t s = 0; s < r.species.size(); ++s) {
        const std::string& name = r.species[s];
        const std::string upper = upperAscii(name);
        if (upper == "M" || upper == "M$")
            thirdBodyM = true;
        if (!coded(name))
            continue;
        const int c = codes(name);
        if (c == 0)
            continue; // "M", "HV" and names outside the species block
        (s < reactions::rx::kReactantSlots ? reactantCodes : productCodes).push_back(c);
    }
    const std::vector<ThirdBody> bodies = thirdBodies(r, codes);
    const Auxiliary aux = auxiliaryKind(r.type);
    const int thirdBodyKind = !bodies.empty() ? 2 : thirdBodyM ? 1 : 0;
    const bool reversible = r.reaction.find('<') != std::string::npos && !irreversible;

    std::string codeLine(6, ' ');
    for (std::size_t s = 0; s < 3; ++s)
        codeLine += code(s < reactantCodes.size() ? reactantCodes[s] : 0);
    for (std::size_t s = 0; s < 6; ++s)
        codeLine += code(s < productCodes.size() ? productCodes[s] : 0);
    codeLine += code(static_cast<long long>(reactantCodes.size())) +
                code(static_cast<long long>(productCodes.size())) + code(thirdBodyKind) +
                code(static_cast<long long>(bodies.size())) + code(static_cast<int>(aux)) +
                code(static_cast<int>(falloffForm(r.type))) + code(reversible ? 1 : 0);
    lines.push_back(codeLine);

    // The patterns where they give the value back, the digits it needs where they would cut
    // some: GRI-Mech 3.0's n = -0.6707 of H + O2 <=> O + OH, written -0.671, moved the
    // ignition delay of methane by 0.13 %.
    auto value = [](std::optional<double> v, std::string_view pattern) {
        return field(exactNumberText(v.value_or(0), pattern), 15, true);
    };
    lines.push_back(std::string(6, ' ') + value(r.a, "0.000E+00#") + value(r.n, "0.000") +
                    value(r.e, "0.000E+00#"));
    if (aux != Auxiliary::None)
        lines.push_back((aux == Auxiliary::Low ? " Low  " : " Rev  ") + value(r.al, "0.000E+00#") +
                        value(r.nl, "0.000#") + value(r.el, "0.000E+00#"));
    if (const FalloffForm form = falloffForm(r.type); form != FalloffForm::None) {
        std::string line = form == FalloffForm::Troe ? " Troe " : " SRI  ";
        for (const auto& p : r.falloff)
            if (p)
                line += value(p, "0.#####E+00#");
        lines.push_back(line);
    }
    for (std::size_t from = 0; from < bodies.size(); from += kThirdBodiesPerLine) {
        std::string line(6, ' ');
        for (std::size_t j = from; j < bodies.size() && j < from + kThirdBodiesPerLine; ++j)
            line += code(bodies[j].code) + field(thirdBodyName(bodies[j].name), 8, true) +
                    field(efficiencyText(bodies[j].efficiency), 8, true);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> solverInputLines(const SolverFileHeader& header,
                                          const std::vector<SolverSpecies>& species,
                                          const std::vector<ReactionRecord>& reactions) {
    const std::string reactionCount = " " + std::to_string(reactions.size()) + " !Reactions";
    std::vector<std::string> lines{
        " !$Kinetra Solver, " + formatDate(header.when, "mmm d yyyy") + ", " +
            formatDate(header.when, "hh:nn:ss"),
        "",
        " Don't modify this file, the file has a fixed format and is intended",
        " for use in the Solver FORTRAN program.",
        "",
        " THERMO Database: " + header.thermoDatabasePath,
        " Reaction Database: " + header.reactionDatabasePath,
        " Solver units: Time sec, Temperature K, Concentration mol/cm^3, Activation Energy "
        "cal/mol, Pressure atm.",
        "",
        " " + std::to_string(species.size()) + " !Species",
        reactionCount,
        "",
        " !Solver Parameters",
        " 1 !Pressure",
        " 1 !Temperature Mode",
        " 1000 !Initial Temperature",
        " 200 !Minimal Allowable Temperature",
        " 6000 !Maximal Allowable Temperature",
        " 0 !Initial Time",
        " 1.E+00 !Final Time",
        " 1.E-10 !Initial Step Size",
        // In the order in which the run settings rewrite these lines and the post-processor
        // reads them: the maximum number of steps comes after the two tolerances.
        " 1.E-06 !Relative Tolerance",
        " 1.E-15 !Absolute Tolerance",
        " 1000 !Maximum number of steps",
        "",
        " !Output Parameters",
        " 1000 !Maximum number of output lines",
        " 1 !Delta N",
        "",
        " !Physical Constants",
        " " + gasConstantText(header.gasConstantCal) + " !Universal Gas Constant (cal/K mol)",
        " " + gasConstantText(header.gasConstantCm3) + " !Gas Constant (cm^3 atm/K mol)",
        "",
        " THERMO",
    };
    for (std::size_t i = 0; i < species.size(); ++i)
        for (std::string& l : speciesLines(static_cast<int>(i) + 1, species[i]))
            lines.push_back(std::move(l));
    lines.push_back(" End");
    lines.push_back(" ");
    lines.push_back(" Reactions");
    const SpeciesCodes codes(species);
    for (std::size_t k = 0; k < reactions.size(); ++k)
        for (std::string& l : reactionLines(static_cast<int>(k) + 1, reactions[k], codes))
            lines.push_back(std::move(l));
    lines.push_back(" End");
    return lines;
}

} // namespace kinetra::solver

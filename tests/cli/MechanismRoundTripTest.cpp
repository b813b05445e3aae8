// Every published mechanism of the shared data goes in, out as a document and in again, and
// keeps every digit of its rate parameters. The values are compared with a parse of the
// original file written here, independently of the program's reader: its own splitting of the
// REACTIONS section, strtod for the numbers.
#include "CliData.h"
#include "CliRun.h"
#include "common/TextUtil.h"
#include "reactions/ReactionRecord.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kinetra::cli {
namespace {

using reactions::ReactionRecord;
using testing::data;
using testing::records;
using testing::run;
using Numbers = std::vector<double>;

// ---- the independent parse ------------------------------------------------------------------

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> split(const std::string& s, const char* separators = " \t") {
    std::vector<std::string> words;
    std::size_t i = 0;
    while ((i = s.find_first_not_of(separators, i)) != std::string::npos) {
        const std::size_t end = s.find_first_of(separators, i);
        words.push_back(s.substr(i, end - i));
        i = end;
    }
    return words;
}

double number(std::string s) {
    for (char& c : s)
        if (c == 'd' || c == 'D')
            c = 'E';
    return std::strtod(s.c_str(), nullptr);
}

struct ParsedReaction {
    Numbers arrhenius; // A, n, E
    Numbers auxiliary; // LOW or REV
    Numbers falloff;   // TROE or SRI
    std::vector<std::pair<std::string, double>> efficiencies;
    bool storable = true; // no rate form or product the table cannot hold
};

struct ParsedFile {
    double energyFactor = 1; // to cal/mol
    std::vector<ParsedReaction> reactions;
};

ParsedFile parseMechanism(const std::string& path) {
    std::ifstream in(path);
    ParsedFile file;
    bool inside = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string code = line.substr(0, line.find('!'));
        const std::vector<std::string> words = split(code);
        if (words.empty())
            continue;
        const std::string first = upper(words[0]);
        if (!inside) {
            if (first.rfind("REAC", 0) == 0) {
                inside = true;
                for (const std::string& w : words)
                    if (upper(w).rfind("KCAL", 0) == 0)
                        file.energyFactor = 1000;
            }
            continue;
        }
        if (first == "END" || first.rfind("TRAN", 0) == 0)
            break;
        if (code.find('=') != std::string::npos) {
            ParsedReaction r;
            for (std::size_t i = words.size() - 3; i < words.size(); ++i)
                r.arrhenius.push_back(number(words[i]));
            std::string equation;
            for (std::size_t i = 0; i + 3 < words.size(); ++i)
                equation += words[i];
            // A fractional coefficient ("0.5H2O"), or more products than the six slots.
            const std::size_t arrow = equation.find('=');
            int products = 0;
            for (const std::string& part :
                 split(equation.substr(equation.find_first_not_of("<=>", arrow)), "+")) {
                const std::size_t digits = part.find_first_not_of("0123456789.");
                if (digits > 0 && part.substr(0, digits).find('.') != std::string::npos)
                    r.storable = false;
                products += digits == 1 && part[0] >= '2' ? part[0] - '0' : 1;
            }
            if (products > 6)
                r.storable = false;
            file.reactions.push_back(r);
            continue;
        }
        if (file.reactions.empty())
            continue;
        ParsedReaction& r = file.reactions.back();
        std::string keyword = upper(split(code, " \t/")[0]);
        const auto slashNumbers = [&] {
            Numbers values;
            const std::size_t open = code.find('/');
            for (const std::string& w : split(code.substr(open + 1), " \t/,"))
                values.push_back(number(w));
            return values;
        };
        if (keyword == "LOW" || keyword == "REV")
            r.auxiliary = slashNumbers();
        else if (keyword == "TROE" || keyword == "SRI")
            r.falloff = slashNumbers();
        else if (keyword.rfind("DUP", 0) == 0)
            continue;
        else if (keyword == "PLOG" || keyword == "CHEB" || keyword == "TCHEB" ||
                 keyword == "PCHEB" || keyword == "FORD" || keyword == "RORD")
            r.storable = false;
        else {
            const std::vector<std::string> pairs = split(code, " \t/");
            for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
                r.efficiencies.emplace_back(pairs[i], number(pairs[i + 1]));
            if (r.efficiencies.size() > 10)
                r.storable = false;
        }
    }
    return file;
}

// ---- the comparison -------------------------------------------------------------------------

// A value that went through no unit conversion must be equal; a converted one may differ from
// the product computed here only in its last bit.
void expectValue(const std::optional<double>& stored, double expected, double factor,
                 const std::string& what) {
    ASSERT_TRUE(stored.has_value()) << what;
    if (factor == 1)
        EXPECT_EQ(*stored, expected) << what;
    else
        EXPECT_NEAR(*stored, expected * factor, std::fabs(expected * factor) * 1e-15) << what;
}

void expectAsParsed(const ParsedFile& file, const std::vector<ReactionRecord>& stored,
                    const std::string& name) {
    std::vector<const ParsedReaction*> storable;
    for (const ParsedReaction& r : file.reactions)
        if (r.storable)
            storable.push_back(&r);
    ASSERT_EQ(stored.size(), storable.size()) << name;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const ParsedReaction& p = *storable[i];
        const ReactionRecord& r = stored[i];
        const std::string where = name + ", reaction " + std::to_string(i + 1) + " " + r.reaction;
        expectValue(r.a, p.arrhenius[0], 1, where + " A");
        expectValue(r.n, p.arrhenius[1], 1, where + " n");
        expectValue(r.e, p.arrhenius[2], file.energyFactor, where + " E");
        if (!p.auxiliary.empty()) {
            expectValue(r.al, p.auxiliary[0], 1, where + " AL");
            expectValue(r.nl, p.auxiliary[1], 1, where + " nL");
            expectValue(r.el, p.auxiliary[2], file.energyFactor, where + " EL");
        }
        for (std::size_t k = 0; k < p.falloff.size(); ++k)
            expectValue(r.falloff[k], p.falloff[k], 1, where + " falloff " + std::to_string(k));
        for (std::size_t k = 0; k < p.efficiencies.size(); ++k) {
            EXPECT_EQ(upper(r.thirdBodies[k]), upper(p.efficiencies[k].first)) << where;
            expectValue(r.efficiencies[k], p.efficiencies[k].second, 1, where + " efficiency");
        }
    }
}

struct Mechanism {
    const char* name;
    const char* file;
    const char* thermoFile; // nullptr: the file carries its thermo data
};

TEST(MechanismRoundTrip, EveryPublishedMechanismKeepsEveryDigit) {
    const std::vector<Mechanism> mechanisms{
        {"gri", "gri30/gri30.inp", "gri30/gri30_thermo.dat"},
        {"burke", "h2/burke2012.inp", nullptr},
        {"li", "h2/li2004.inp", nullptr},
        {"h2o2", "small/h2o2.inp", nullptr},
        {"usc", "usc-mech-ii/USC_Mech_ver_II.txt", "usc-mech-ii/thermdat.txt"},
        {"llnl", "llnl-nheptane/nc7_ver3.1_mech.txt", "llnl-nheptane/n_heptane_v3.1_therm.dat.txt"},
        {"jp10", "jp10-large/JP10_RMG_Gao2015.inp", nullptr},
        {"c3", "c3mech-large/C3MechV3.3.MECH", "c3mech-large/C3MechV3.3.THERM"}};
    kinetra::testing::TempDir dir;
    for (const Mechanism& m : mechanisms) {
        const std::string name = m.name;
        std::vector<std::string> first{"mechanism",
                                       "import",
                                       data(m.file),
                                       "--thermo",
                                       (dir / (name + "-t.mdb")).string(),
                                       "--reactions",
                                       (dir / (name + "-r.mdb")).string()};
        if (m.thermoFile)
            first.insert(first.end(), {"--thermo-file", data(m.thermoFile)});
        ASSERT_EQ(run(first).code, 0) << name;
        const std::vector<ReactionRecord> original = records(dir / (name + "-r.mdb"));
        expectAsParsed(parseMechanism(data(m.file)), original, name);

        const std::string document = (dir / (name + ".txt")).string();
        ASSERT_EQ(run({"reactions", "export", (dir / (name + "-r.mdb")).string(), "--thermo",
                       (dir / (name + "-t.mdb")).string(), "-o", document})
                      .code,
                  0)
            << name;
        ASSERT_EQ(
            run({"mechanism", "import", document, "--thermo", (dir / (name + "-t2.mdb")).string(),
                 "--reactions", (dir / (name + "-r2.mdb")).string()})
                .code,
            0)
            << name;
        const std::vector<ReactionRecord> copy = records(dir / (name + "-r2.mdb"));
        std::vector<const ReactionRecord*> valid;
        for (const ReactionRecord& r : original)
            if (r.enabled)
                valid.push_back(&r);
        ASSERT_EQ(copy.size(), valid.size()) << name;
        for (std::size_t i = 0; i < copy.size(); ++i) {
            const ReactionRecord& a = *valid[i];
            const ReactionRecord& b = copy[i];
            ASSERT_EQ(std::tuple(a.a, a.n, a.e, a.al, a.nl, a.el, a.falloff, a.efficiencies),
                      std::tuple(b.a, b.n, b.e, b.al, b.nl, b.el, b.falloff, b.efficiencies))
                << name << ": " << a.reaction;
        }
    }
}

} // namespace
} // namespace kinetra::cli

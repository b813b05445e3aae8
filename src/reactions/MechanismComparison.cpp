#include "reactions/MechanismComparison.h"

#include "common/NumberFormat.h"
#include "common/TextUtil.h"
#include "physics/Rates.h"
#include "reactions/ReactionDuplicates.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <unordered_map>

namespace kinetra::reactions {

namespace {

constexpr const char* kCrLf = "\r\n";
// Points of the grid on which a reversed pair is compared through Kc (the difference of two
// such curves has no closed-form extremum).
constexpr int kGridPoints = 201;

bool irreversible(const ReactionRecord& r) {
    return upperAscii(r.type).rfind("IRREV", 0) == 0;
}

std::string typeWithoutIrrev(const ReactionRecord& r) {
    std::string t = upperAscii(r.type);
    if (t.rfind("IRREV", 0) == 0)
        t.erase(0, 5);
    const auto first = t.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : t.substr(first);
}

// Parameters as read: equal when both are absent or agree to rounding of the last digits.
bool same(const std::optional<double>& x, const std::optional<double>& y) {
    if (!x || !y)
        return x.has_value() == y.has_value();
    return *x == *y || std::abs(*x - *y) <= 1e-12 * std::max(std::abs(*x), std::abs(*y));
}

std::vector<std::string> slotsOf(const ReactionRecord& r) {
    return {r.species.begin(), r.species.end()};
}

std::vector<std::pair<std::string, double>> efficiencies(const ReactionRecord& r) {
    std::vector<std::pair<std::string, double>> list;
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i)
        if (!r.thirdBodies[i].empty())
            list.emplace_back(r.thirdBodies[i], r.efficiencies[i].value_or(1));
    std::sort(list.begin(), list.end());
    return list;
}

std::vector<std::string> changesOf(const ReactionRecord& a, const ReactionRecord& b,
                                   bool reversed) {
    std::vector<std::string> changes;
    if (irreversible(a) != irreversible(b))
        changes.push_back("reversibility");
    const std::string typeA = typeWithoutIrrev(a), typeB = typeWithoutIrrev(b);
    const bool falloffA = typeA.rfind("LOW", 0) == 0, falloffB = typeB.rfind("LOW", 0) == 0;
    if (typeA != typeB)
        changes.push_back("type (" + (typeA.empty() ? std::string("none") : typeA) + " / " +
                          (typeB.empty() ? std::string("none") : typeB) + ")");
    else if (falloffA || (typeA == "REV" && !reversed)) {
        // A low-pressure limit or explicit reverse parameters belong to one direction.
        if (!reversed && (!same(a.al, b.al) || !same(a.nl, b.nl) || !same(a.el, b.el)))
            changes.push_back(falloffA ? "low-pressure limit" : "explicit reverse parameters");
        for (std::size_t i = 0; falloffA && i < a.falloff.size(); ++i)
            if (!same(a.falloff[i], b.falloff[i])) {
                changes.push_back("fall-off parameters");
                break;
            }
    }
    if (falloffA == falloffB) {
        const auto ea = efficiencies(a), eb = efficiencies(b);
        bool differ = ea.size() != eb.size();
        for (std::size_t i = 0; !differ && i < ea.size(); ++i)
            differ = ea[i].first != eb[i].first || !same(ea[i].second, eb[i].second);
        if (differ)
            changes.push_back("third-body efficiencies");
    }
    return changes;
}

physics::Arrhenius forwardOf(const ReactionRecord& r) {
    return {r.a.value_or(0), r.n.value_or(0), r.e.value_or(0)};
}

// The largest |log10(kB/kA)| of two modified Arrhenius forms with positive A on [tmin, tmax]:
// the difference is c0 + dn ln T - dE/(R T), whose only extremum is at T = -dE/(R dn), so the
// ends and that point are all there is to look at.
RateDifference arrheniusDifference(const physics::Arrhenius& a, const physics::Arrhenius& b,
                                   const ComparisonSettings& s, double rcal) {
    std::vector<double> candidates{s.tmin, s.tmax};
    const double dn = b.n - a.n, de = b.e - a.e;
    if (dn != 0) {
        const double t = -de / (rcal * dn);
        if (t > s.tmin && t < s.tmax)
            candidates.push_back(t);
    }
    RateDifference worst;
    double worstLog = -1;
    for (double T : candidates) {
        const physics::TemperatureTerms t = physics::TemperatureTerms::at(T);
        const double d =
            (physics::logArrhenius(b, t, 1 / rcal) - physics::logArrhenius(a, t, 1 / rcal)) /
            std::numbers::ln10;
        // A constant ratio is reported at the lower end, not wherever rounding puts it.
        if (std::abs(d) > worstLog + 1e-12) {
            worstLog = std::abs(d);
            worst = {std::pow(10.0, d), T};
        }
    }
    return worst;
}

// Sampled comparison of log10 kB against a function of T (log10 of A's rate in B's direction);
// nothing when no point could be evaluated.
template <class LogA>
std::optional<RateDifference> sampledDifference(const physics::Arrhenius& b, LogA&& logA,
                                                const ComparisonSettings& s, double rcal) {
    std::optional<RateDifference> worst;
    double worstLog = -1;
    for (int i = 0; i < kGridPoints; ++i) {
        const double T = s.tmin + (s.tmax - s.tmin) * i / (kGridPoints - 1);
        const std::optional<double> la = logA(T);
        if (!la)
            continue;
        const double d = physics::logArrhenius(b, physics::TemperatureTerms::at(T), 1 / rcal) /
                             std::numbers::ln10 -
                         *la;
        if (std::abs(d) > worstLog) {
            worstLog = std::abs(d);
            worst = RateDifference{std::pow(10.0, d), T};
        }
    }
    return worst;
}

struct Resolved {
    std::vector<const thermo::SpeciesRecord*> reactants, products;
};

std::optional<Resolved> resolve(const ReactionEntries& e, const ThermoLookup& thermo) {
    Resolved r;
    for (auto [names, out] : {std::pair{&e.reactants, &r.reactants}, {&e.products, &r.products}})
        for (const std::string& name : *names) {
            const thermo::SpeciesRecord* s = thermo ? thermo(name) : nullptr;
            if (!s)
                return std::nullopt;
            out->push_back(s);
        }
    return r;
}

void compareRates(ReactionPair& pair, const ComparisonSettings& s, const ThermoLookup& thermo,
                  const RateConstants& constants) {
    const ReactionRecord &a = *pair.a, &b = *pair.b;
    const physics::Arrhenius fa = forwardOf(a), fb = forwardOf(b);
    const double rcal = constants.gasConstantCal;
    if (!pair.reversed && same(a.a, b.a) && same(a.n, b.n) && same(a.e, b.e))
        return;
    if (!(fa.a > 0) || !(fb.a > 0)) {
        pair.notCompared = "a pre-exponential factor is zero or negative";
        return;
    }
    std::optional<RateDifference> d;
    if (!pair.reversed) {
        d = arrheniusDifference(fa, fb, s, rcal);
    } else if (typeWithoutIrrev(a) == "REV" && a.al && *a.al > 0) {
        d = arrheniusDifference({*a.al, a.nl.value_or(0), a.el.value_or(0)}, fb, s, rcal);
    } else if (irreversible(a)) {
        pair.notCompared = "A is one-way and B is written the other way round";
        return;
    } else {
        const ReactionEntries entries = readEntries(a);
        const std::optional<Resolved> species = resolve(entries, thermo);
        if (!species) {
            pair.notCompared = "written the other way round, and not every species has thermo data";
            return;
        }
        d = sampledDifference(
            fb,
            [&](double T) -> std::optional<double> {
                const auto change = reactionChange(species->reactants, species->products, T);
                if (!change)
                    return std::nullopt;
                return physics::logArrhenius(fa, physics::TemperatureTerms::at(T), 1 / rcal) /
                           std::numbers::ln10 -
                       log10Kc(*change, entries.deltaN(), T, constants.gasConstantCm3);
            },
            s, rcal);
        if (!d) {
            pair.notCompared = "the thermo functions fail on the whole range";
            return;
        }
    }
    if (std::abs(std::log10(d->ratio)) > std::log10(s.factor) * (1 + 1e-12))
        pair.rate = d;
}

std::string num(const ReactionRecord* r) {
    return r ? std::to_string(r->num) : std::string();
}

std::string factorText(double factor) {
    std::string text = formatNumber(factor, "0.###");
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

MechanismComparison compareMechanisms(const std::vector<ReactionRecord>& a,
                                      const std::vector<ReactionRecord>& b,
                                      const ComparisonSettings& settings,
                                      const ThermoLookup& thermo, const RateConstants& constants) {
    if (!(settings.factor > 1))
        throw std::invalid_argument("The factor must be greater than 1.");
    if (!(settings.tmin > 0) || !(settings.tmax > settings.tmin))
        throw std::invalid_argument("The temperature range must be positive and increasing.");
    MechanismComparison result;
    result.countA = a.size();
    result.countB = b.size();
    // B's records by direction-free key, in their order; a duplicate pair pairs in order.
    std::unordered_map<std::string, std::vector<std::size_t>> byKey;
    byKey.reserve(b.size());
    for (std::size_t i = 0; i < b.size(); ++i)
        byKey[duplicateKey(slotsOf(b[i]), DuplicateMode::ReverseMatches)].push_back(i);
    std::vector<bool> used(b.size(), false);
    for (const ReactionRecord& ra : a) {
        auto it = byKey.find(duplicateKey(slotsOf(ra), DuplicateMode::ReverseMatches));
        std::optional<std::size_t> match;
        if (it != byKey.end()) {
            const std::string sameA = duplicateKey(slotsOf(ra), DuplicateMode::SameDirection);
            // Prefer a partner written the same way; else the first one left.
            for (std::size_t j : it->second)
                if (!used[j] &&
                    duplicateKey(slotsOf(b[j]), DuplicateMode::SameDirection) == sameA) {
                    match = j;
                    break;
                }
            if (!match)
                for (std::size_t j : it->second)
                    if (!used[j]) {
                        match = j;
                        break;
                    }
        }
        if (!match) {
            result.onlyInA.push_back(&ra);
            continue;
        }
        used[*match] = true;
        ++result.pairs;
        ReactionPair pair;
        pair.a = &ra;
        pair.b = &b[*match];
        pair.reversed = duplicateKey(slotsOf(ra), DuplicateMode::SameDirection) !=
                        duplicateKey(slotsOf(*pair.b), DuplicateMode::SameDirection);
        compareRates(pair, settings, thermo, constants);
        pair.changes = changesOf(ra, *pair.b, pair.reversed);
        if (pair.rate || !pair.changes.empty() || !pair.notCompared.empty())
            result.differing.push_back(std::move(pair));
    }
    for (std::size_t j = 0; j < b.size(); ++j)
        if (!used[j])
            result.onlyInB.push_back(&b[j]);
    return result;
}

std::string comparisonText(const MechanismComparison& c, const ComparisonSettings& s,
                           const ComparisonNames& names) {
    std::string text;
    auto line = [&text](const std::string& l) { text += l + kCrLf; };
    line("  Comparison of reaction mechanisms");
    line("  A:  " + names.a + "  (" + std::to_string(c.countA) + " reactions)");
    line("  B:  " + names.b + "  (" + std::to_string(c.countB) + " reactions)");
    line("  Forward rate constants compared from " + formatNumber(s.tmin, "0") + " K to " +
         formatNumber(s.tmax, "0") + " K; listed when they differ by more than a factor of " +
         factorText(s.factor) + ".");
    line("");
    line("  Paired reactions: " + std::to_string(c.pairs));
    line("");
    line("  Only in A: " + std::to_string(c.onlyInA.size()));
    for (const ReactionRecord* r : c.onlyInA)
        line(formatText(num(r), "@@@@@@@@") + "  " + r->reaction);
    line("");
    line("  Only in B: " + std::to_string(c.onlyInB.size()));
    for (const ReactionRecord* r : c.onlyInB)
        line(formatText(num(r), "@@@@@@@@") + "  " + r->reaction);
    line("");
    line("  Different in A and B: " + std::to_string(c.differing.size()));
    for (const ReactionPair& p : c.differing) {
        line("  A " + num(p.a) + ", B " + num(p.b) + "  " + p.a->reaction +
             (p.reversed ? "  (B: " + p.b->reaction + ")" : std::string()));
        if (p.rate)
            line("      kB/kA = " + formatNumber(p.rate->ratio, "0.00E+00") + " at " +
                 formatNumber(p.rate->temperature, "0") + " K");
        if (!p.changes.empty())
            line("      changed: " + joined(p.changes));
        if (!p.notCompared.empty())
            line("      rates not compared: " + p.notCompared);
    }
    return text;
}

std::string comparisonCsv(const MechanismComparison& c) {
    std::string text = "kind,numA,numB,reaction,ratio,temperature,detail\n";
    for (const ReactionRecord* r : c.onlyInA)
        text += "only-a," + num(r) + ",," + csvField(r->reaction) + ",,,\n";
    for (const ReactionRecord* r : c.onlyInB)
        text += "only-b,," + num(r) + "," + csvField(r->reaction) + ",,,\n";
    for (const ReactionPair& p : c.differing) {
        const std::string ids = num(p.a) + "," + num(p.b) + "," + csvField(p.a->reaction) + ",";
        if (p.rate)
            text += "rate," + ids + formatNumber(p.rate->ratio, "0.000E+00") + "," +
                    formatNumber(p.rate->temperature, "0") + "," + (p.reversed ? "reversed" : "") +
                    "\n";
        if (!p.changes.empty())
            text += "changed," + ids + ",," + csvField(joined(p.changes)) + "\n";
        if (!p.notCompared.empty())
            text += "not-compared," + ids + ",," + csvField(p.notCompared) + "\n";
    }
    return text;
}

} // namespace kinetra::reactions

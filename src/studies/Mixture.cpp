#include "studies/Mixture.h"

#include "common/ExactNumber.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

namespace kinetra::studies {

namespace {

// Oxygen atoms a mole of the species needs to burn completely (negative: it brings oxygen).
double oxygenDemand(const ElementCounts& counts) {
    const auto count = [&](const char* symbol) {
        const auto it = counts.find(symbol);
        return it == counts.end() ? 0.0 : it->second;
    };
    return 2 * count("C") + 0.5 * count("H") - count("O");
}

struct Side {
    std::vector<SpeciesAmount> amounts; // normalised to a sum of 1
    double oxygenDemand = 0;            // per mole of the side
    bool burnable = false;              // holds carbon or hydrogen
};

std::variant<Side, std::string> readSide(const std::string& text, const char* what,
                                         const ElementLookup& lookup) {
    auto parsed = parseSpeciesAmounts(text);
    if (auto* reason = std::get_if<std::string>(&parsed))
        return std::string("The ") + what + " \"" + text + "\" " + *reason;
    Side side;
    side.amounts = std::get<std::vector<SpeciesAmount>>(std::move(parsed));
    double total = 0;
    for (const auto& a : side.amounts)
        total += a.amount;
    for (auto& a : side.amounts) {
        const std::optional<ElementCounts> counts = lookup(a.name);
        if (!counts)
            return "The species " + a.name + " of the " + what + " is not in the thermo database.";
        a.amount /= total;
        side.oxygenDemand += a.amount * oxygenDemand(*counts);
        if (counts->count("C") || counts->count("H"))
            side.burnable = true;
    }
    return side;
}

} // namespace

std::variant<std::vector<SpeciesAmount>, std::string> parseSpeciesAmounts(const std::string& text) {
    std::vector<SpeciesAmount> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find(',', from);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = trimBlanks(text.substr(from, end - from));
        from = end + 1;
        const auto eq = item.find('=');
        const auto amount =
            eq == std::string::npos ? std::nullopt : parseNumber(item.substr(eq + 1));
        const std::string name = eq == std::string::npos ? "" : trimBlanks(item.substr(0, eq));
        if (name.empty() || !amount || *amount <= 0)
            return "is not a list of NAME=AMOUNT with positive amounts (at \"" + item + "\").";
        out.push_back({name, *amount});
    }
    return out;
}

ElementCounts elementCounts(const thermo::SpeciesRecord& species,
                            const thermo::ElementTable& elements) {
    ElementCounts counts;
    // Slot 0 is the electron: a charge, not an element that burns.
    for (int slot = 1; slot < thermo::kSlotCount; ++slot)
        if (species.composition[slot] && *species.composition[slot] != 0 &&
            !elements.symbols[slot].empty())
            counts[upperAscii(elements.symbols[slot])] += *species.composition[slot];
    return counts;
}

std::variant<Mixture, std::string> mixtureFromPhi(const MixtureRequest& request,
                                                  const ElementLookup& lookup) {
    if (!(request.phi > 0))
        return std::string("The equivalence ratio must be positive.");
    auto fuelRead = readSide(request.fuel, "fuel", lookup);
    if (auto* reason = std::get_if<std::string>(&fuelRead))
        return *reason;
    auto oxidizerRead = readSide(request.oxidizer, "oxidizer", lookup);
    if (auto* reason = std::get_if<std::string>(&oxidizerRead))
        return *reason;
    const Side& fuel = std::get<Side>(fuelRead);
    const Side& oxidizer = std::get<Side>(oxidizerRead);
    const std::string cannot = "The fuel \"" + request.fuel + "\" cannot burn in the oxidizer \"" +
                               request.oxidizer + "\": ";
    if (!fuel.burnable || fuel.oxygenDemand <= 0)
        return cannot + "the fuel holds no carbon or hydrogen to oxidize.";
    if (oxidizer.oxygenDemand >= 0)
        return cannot + "the oxidizer holds no oxygen to give.";
    // Moles of oxidizer per mole of fuel: the stoichiometric amount divided by phi.
    const double oxidizerMoles = fuel.oxygenDemand / -oxidizer.oxygenDemand / request.phi;
    Mixture mixture;
    const auto add = [&](const SpeciesAmount& a, double scale) {
        for (auto& m : mixture)
            if (m.name == a.name) {
                m.amount += a.amount * scale;
                return;
            }
        mixture.push_back({a.name, a.amount * scale});
    };
    for (const auto& a : fuel.amounts)
        add(a, 1 / (1 + oxidizerMoles));
    for (const auto& a : oxidizer.amounts)
        add(a, oxidizerMoles / (1 + oxidizerMoles));
    return mixture;
}

std::string mixtureText(const Mixture& mixture) {
    std::string text;
    for (const auto& m : mixture)
        text += (text.empty() ? "" : ",") + m.name + "=" + exactCompactNumber(m.amount);
    return text;
}

} // namespace kinetra::studies

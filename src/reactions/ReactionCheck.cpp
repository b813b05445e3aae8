#include "reactions/ReactionCheck.h"

#include "common/TextUtil.h"

#include <cmath>

namespace kinetra::reactions {

namespace {

// Element counts are whole numbers kept as doubles; a sum of them may still carry rounding
// dust, which must not read as an imbalance.
constexpr double kBalanceTolerance = 1e-9;

bool endsWithDollar(const std::string& name) {
    return !name.empty() && name.back() == '$';
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Names that stand for something other than a species and are never looked up.
bool isSymbolName(const std::string& upper) {
    return upper == "M" || upper == "M$" || upper == "HV" || upper == "PRODUCTS" || upper == "PROD";
}

std::string joinSide(const std::array<std::string, rx::kSlotCount>& names, std::size_t first,
                     std::size_t last) {
    std::string side;
    for (std::size_t s = first; s < last; ++s) {
        if (names[s].empty())
            continue;
        if (!side.empty())
            side += " + ";
        side += names[s];
    }
    return side;
}

void fail(CheckResult& result, std::string message, CheckFocus::Box box = CheckFocus::Box::None,
          int index = -1) {
    result.valid = false;
    result.message = std::move(message);
    result.focus = {box, index};
}

// The first slot of [first, last) whose name satisfies the test, or -1.
template <class Test>
int firstSlot(const std::array<std::string, rx::kSlotCount>& names, std::size_t first,
              std::size_t last, Test test, int skip = 0) {
    for (std::size_t s = first; s < last; ++s)
        if (!names[s].empty() && test(names[s]) && skip-- == 0)
            return static_cast<int>(s);
    return -1;
}

bool isPresentNonZero(const std::optional<double>& value) {
    return value && *value != 0;
}

} // namespace

CheckInput checkInputOf(const ReactionRecord& record) {
    CheckInput input;
    input.species = record.species;
    input.thirdBodies = record.thirdBodies;
    input.al = record.al;
    input.falloff = record.falloff;
    input.type = record.type;
    return input;
}

CheckResult checkReaction(const CheckInput& input, const ThermoSpeciesList& species) {
    CheckResult result;
    result.resultingType = "New Type";

    // A one-way prefix is removed before looking for "REV", which "IRREV" itself contains.
    const std::string typeTrimmed = trimBlanks(input.type);
    const std::string typeUpper = upperAscii(typeTrimmed);
    const bool oneWay = typeUpper.rfind("IRREV", 0) == 0;
    const std::string typeRest = oneWay ? typeUpper.substr(5) : typeUpper;
    result.reverseParameters = contains(typeRest, "REV");

    std::array<std::string, rx::kSlotCount> names;
    std::array<std::string, rx::kSlotCount> upper;
    for (std::size_t s = 0; s < rx::kSlotCount; ++s) {
        names[s] = trimBlanks(input.species[s]);
        upper[s] = upperAscii(names[s]);
    }

    bool thirdBody = false, pressureDependent = false, photon = false, lumped = false;
    bool withoutPolynomial = false;

    // Steps that end the check early still leave the equation and its arrow to be written.
    [&] {
        int mCount[2] = {0, 0}, dollarCount[2] = {0, 0};
        for (std::size_t s = 0; s < rx::kSlotCount; ++s) {
            if (names[s].empty())
                continue;
            const int side = s < rx::kReactantSlots ? 0 : 1;
            mCount[side] += upper[s] == "M";
            dollarCount[side] += endsWithDollar(names[s]);
        }
        const std::string reactants = joinSide(names, 0, rx::kReactantSlots);
        const std::string products = joinSide(names, rx::kReactantSlots, rx::kSlotCount);
        auto isDollar = [](const std::string& n) { return endsWithDollar(n); };
        auto isM = [](const std::string& n) { return upperAscii(n) == "M"; };
        if (reactants.empty()) {
            fail(result, "Enter reactants.", CheckFocus::Box::Species, 0);
            return;
        }
        if (products.empty()) {
            fail(result, "Enter products.", CheckFocus::Box::Species, rx::kReactantSlots);
            return;
        }
        // The cursor goes to the surplus symbol: the second "$" reactant, or the first one on
        // the side that has more.
        if (dollarCount[0] != dollarCount[1] || dollarCount[0] >= 2) {
            int slot = dollarCount[0] >= 2 ? firstSlot(names, 0, rx::kReactantSlots, isDollar, 1)
                       : dollarCount[0] > dollarCount[1]
                           ? firstSlot(names, 0, rx::kReactantSlots, isDollar)
                           : firstSlot(names, rx::kReactantSlots, rx::kSlotCount, isDollar);
            fail(result, "The reaction type isn't recognized; check the species names with '$'.",
                 CheckFocus::Box::Species, slot);
            return;
        }
        if (mCount[0] != mCount[1]) {
            int slot = mCount[0] > mCount[1]
                           ? firstSlot(names, 0, rx::kReactantSlots, isM)
                           : firstSlot(names, rx::kReactantSlots, rx::kSlotCount, isM);
            fail(result, "The reaction type isn't recognized; check the 'M' symbols.",
                 CheckFocus::Box::Species, slot);
            return;
        }

        // Every reactant counts, not only the first symbol met: a photon next to an "M" still
        // makes the reaction one-way.
        for (std::size_t s = 0; s < rx::kReactantSlots; ++s) {
            if (upper[s] == "M") {
                thirdBody = true;
            } else if (upper[s] == "M$") {
                thirdBody = true;
                pressureDependent = true;
            } else if (upper[s] == "HV") {
                photon = true;
            } else if (endsWithDollar(names[s])) {
                pressureDependent = true;
            }
        }
        for (std::size_t s = rx::kReactantSlots; s < rx::kSlotCount; ++s)
            if (upper[s] == "PRODUCTS" || upper[s] == "PROD")
                lumped = true;

        std::array<double, 11> sums{};
        std::string formulas[2];
        for (std::size_t s = 0; s < rx::kSlotCount; ++s) {
            if (names[s].empty() || isSymbolName(upper[s]))
                continue;
            std::string name = names[s];
            if (endsWithDollar(name))
                name.pop_back();
            const ThermoSpeciesInfo* info = species.find(name);
            if (info == nullptr) {
                fail(result, "The species " + name + " isn't declared in the THERMO table.",
                     CheckFocus::Box::Species, static_cast<int>(s));
                return;
            }
            if (info->noPolynomial) {
                withoutPolynomial = true;
                result.special += " " + name + " ";
            }
            const bool reactant = s < rx::kReactantSlots;
            const double sign = reactant ? 1.0 : -1.0;
            sums[0] += sign * info->charge;
            for (std::size_t k = 0; k < 10; ++k)
                sums[k + 1] += sign * info->counts[k];
            formulas[reactant ? 0 : 1] += " + " + info->formula;
        }
        for (std::string& f : formulas)
            if (f.rfind(" + ", 0) == 0)
                f.erase(0, 3);

        if (!lumped) {
            if (std::fabs(sums[0]) > kBalanceTolerance) {
                fail(result, "The electronic charge does not balance.");
                return;
            }
            for (std::size_t k = 1; k <= 10; ++k) {
                if (std::fabs(sums[k]) > kBalanceTolerance) {
                    fail(result,
                         "The element " + species.elementSymbols()[k] + " does not balance.");
                    return;
                }
            }
        }

        if (thirdBody) {
            for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
                const std::string body = trimBlanks(input.thirdBodies[i]);
                if (!body.empty() && species.find(body) == nullptr) {
                    fail(result, "The third-body " + body + " isn't declared in the THERMO table.",
                         CheckFocus::Box::ThirdBody, static_cast<int>(i));
                    return;
                }
            }
        }

        if (pressureDependent) {
            const bool troe = contains(typeUpper, "TROE");
            const bool sri = contains(typeUpper, "SRI");
            result.resultingType = std::string(oneWay ? "Irrev " : "") + "Low" +
                                   (troe ? " Troe" : "") + (sri ? " SRI" : "");
            if (!input.al || *input.al <= 0) {
                fail(result,
                     "Pressure-dependent reactions, please enter a positive decimal number for "
                     "the Ao value.",
                     CheckFocus::Box::AL);
                return;
            }
            // A zero T*** or T* is the limit in which its term of Fcent vanishes
            // (exp(-T/0) = 0), as published mechanisms write it; only a missing one is refused.
            if (troe && (!input.falloff[1] || !input.falloff[2])) {
                fail(result, "Enter the 'b' and 'c' values for the Troe form.",
                     input.falloff[1] ? CheckFocus::Box::FalloffC : CheckFocus::Box::FalloffB);
                return;
            }
            if (sri && !isPresentNonZero(input.falloff[2])) {
                fail(result, "Enter a nonzero 'c' value for the SRI form.",
                     CheckFocus::Box::FalloffC);
                return;
            }
        }

        result.composition = formulas[0] + " = " + formulas[1];
    }();

    result.reversible = !(lumped || photon || withoutPolynomial || oneWay);
    const std::string left = joinSide(names, 0, rx::kReactantSlots);
    const std::string right = joinSide(names, rx::kReactantSlots, rx::kSlotCount);
    if (left.size() + right.size() + 1 < 2) {
        result.equation = "=";
    } else {
        const char* arrow = !result.valid                                     ? " = "
                            : (result.reversible || result.reverseParameters) ? " <=> "
                                                                              : " => ";
        result.equation = left + arrow + right;
    }
    if (result.reverseParameters)
        result.resultingType = input.type;
    if (photon)
        result.special = "HV";
    if (lumped)
        result.special = "Products";
    return result;
}

std::string reactionReason(const ReactionRecord& record, const ThermoSpeciesList& species) {
    if (trimBlanks(record.species[0]) == "NEW")
        return "A new row.";
    const CheckResult result = checkReaction(checkInputOf(record), species);
    std::string text = result.message;
    auto append = [&text](const std::string& note) { text += text.empty() ? note : " " + note; };
    const std::string special = lowerAscii(result.special);
    if (special == "hv") {
        append("Irreversible reaction with 'HV'.");
    } else if (special == "products") {
        append("Irreversible reaction with 'Products'.");
    } else if (result.valid && !trimBlanks(result.special).empty()) {
        // The special text keeps each name between blanks; the note lists them one blank apart.
        std::string names;
        for (char c : trimBlanks(result.special))
            if (c != ' ' || names.empty() || names.back() != ' ')
                names += c;
        append(result.reverseParameters
                   ? "Thermodynamic functions of species " + names + " aren't specified."
                   : "Irreversible reaction, the thermodynamic functions of species " + names +
                         " aren't specified.");
    }
    return text;
}

std::string noReactionsTableMessage(const std::string& path) {
    return path + " The program cannot find the table 'Reactions'. Make sure you are opening a "
                  "reaction database.";
}

void requireReactionTable(store::Connection& db, const std::string& path) {
    if (!db.hasTable("Reactions"))
        throw store::StoreError(noReactionsTableMessage(path));
    const std::string mismatch = db.schemaMismatch(store::reactionsSchema());
    if (!mismatch.empty())
        throw store::StoreError("The file " + path +
                                " is not a reaction database of this program: " + mismatch + ".");
}

int checkAllReactions(store::Connection& db, const ThermoSpeciesList& species) {
    std::string path;
    for (const store::Row& row : db.query("PRAGMA database_list;").rows)
        if (store::toText(row.field("name")) == "main")
            path = store::toText(row.field("file"));
    requireReactionTable(db, path);
    store::Transaction transaction(db);
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num ASC;");
    db.execute("UPDATE [Reactions] SET Info = 0;");
    auto text = [](const std::string& s) { return s.empty() ? store::Value() : store::Value(s); };
    std::vector<std::vector<store::Value>> validRows, invalidRows;
    validRows.reserve(rows.rows.size());
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const ReactionRecord record = reactionFromRow(rows.rows[i]);
        const CheckResult result = checkReaction(checkInputOf(record), species);
        std::vector<store::Value> values{store::Value(static_cast<std::int64_t>(i + 1)),
                                         text(result.equation), text(result.composition),
                                         store::Value(rows.keys[i])};
        (result.valid ? validRows : invalidRows).push_back(std::move(values));
    }
    // A record that has become valid keeps Enabled as it is: switching reactions on is the
    // user's decision, only switching invalid ones off is forced.
    db.executeEach("UPDATE [Reactions] SET Num = ?, Reaction = ?, Composition = ? WHERE rowid = ?",
                   validRows);
    db.executeEach("UPDATE [Reactions] SET Num = ?, Reaction = ?, Composition = ?, Info = -1, "
                   "Enabled = 0 WHERE rowid = ?",
                   invalidRows);
    transaction.commit();
    return static_cast<int>(invalidRows.size());
}

} // namespace kinetra::reactions

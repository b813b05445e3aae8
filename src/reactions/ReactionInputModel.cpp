#include "reactions/ReactionInputModel.h"

#include "common/NumberFormat.h"
#include "common/PlaceError.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionDatabase.h"
#include "store/Schema.h"

#include <algorithm>

namespace kinetra::reactions {

using store::Value;
using Tab = ReactionInputTab;
using Box = ReactionInputBox;

const std::string ReactionInputModel::kTips =
    std::string("Values of current row are displayed in text boxes of this window. ") + "\n" +
    "Change the values in the text boxes when needed, and then do one of  the following:" + "\n" +
    "1. Click the OK button; the changes will be saved in the database." + "\n" +
    "2. Move the table cursor to another row; the changes will not be saved in the database." +
    "\n" +
    "3. Click the Cancel button; the changes will not be saved in the database and the window "
    "will be closed.";

namespace {

// Message boxes carry the program name, not the window's.
constexpr const char* kMessageTitle = "KINETRA";

std::string numberBox(const std::optional<double>& value) {
    return value ? store::toText(Value(*value)) : std::string();
}

std::optional<double> boxNumber(const std::string& text) {
    if (trimBlanks(text).empty())
        return std::nullopt;
    return parseNumber(text);
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The type in upper case without the one-way prefix, whose "IRREV" would read as "REV".
std::string typeAfterPrefix(const std::string& type) {
    const std::string upper = upperAscii(trimBlanks(type));
    return upper.rfind("IRREV", 0) == 0 ? upper.substr(5) : upper;
}

ReactionInputResult refusal(Tab tab, Box box, std::string message, int index = -1) {
    return {false, {tab, box, index}, std::move(message)};
}

} // namespace

void ReactionInputModel::load(const ReactionRecord& record, std::int64_t rowKey) {
    rowKey_ = rowKey;
    num_ = record.num;
    invalid_ = record.info < 0;
    species = record.species;
    a = numberBox(record.a);
    n = numberBox(record.n);
    e = numberBox(record.e);

    const std::string upper = upperAscii(trimBlanks(record.type));
    const std::string rest = typeAfterPrefix(record.type);
    irreversible = upper.rfind("IRREV", 0) == 0;
    reverse = contains(rest, "REV");
    const bool low = contains(rest, "LOW");
    fFunction = contains(rest, "TROE") ? 0 : contains(rest, "SRI") ? 1 : -1;
    reverseA = reverseN = reverseE = lowA = lowN = lowE = {};
    if (reverse) {
        reverseA = numberBox(record.al);
        reverseN = numberBox(record.nl);
        reverseE = numberBox(record.el);
    } else if (low) {
        lowA = numberBox(record.al);
        lowN = numberBox(record.nl);
        lowE = numberBox(record.el);
    }
    for (std::size_t i = 0; i < falloff.size(); ++i)
        falloff[i] = numberBox(record.falloff[i]);
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
        thirdBodies[i] = record.thirdBodies[i];
        efficiencies[i] = numberBox(record.efficiencies[i]);
    }
    enabled = record.enabled;
    reference = record.reference;
    comment = record.comment;
}

bool ReactionInputModel::pressureDependent() const {
    for (std::size_t s = 0; s < rx::kReactantSlots; ++s) {
        const std::string name = trimBlanks(species[s]);
        if (!name.empty() && name.back() == '$')
            return true;
    }
    return false;
}

int ReactionInputModel::reactionOrder() const {
    // The collider of a fall-off reaction ("M$", "AR$") and a photon take no part in the order
    // of the high-pressure rate; "M" of a three-body reaction does.
    int order = 0;
    for (std::size_t s = 0; s < rx::kReactantSlots; ++s) {
        const std::string name = trimBlanks(species[s]);
        if (!name.empty() && name.back() != '$' && !equalsIgnoreCase(name, "HV"))
            ++order;
    }
    return std::clamp(order, 1, static_cast<int>(kAUnits.size()));
}

std::string ReactionInputModel::forwardAUnits() const {
    return kAUnits[static_cast<std::size_t>(reactionOrder() - 1)];
}

std::string ReactionInputModel::lowAUnits() const {
    return kAUnits[static_cast<std::size_t>(std::min<int>(reactionOrder(), kAUnits.size() - 1))];
}

std::vector<std::pair<std::int64_t, std::string>>
ReactionInputModel::speciesList(store::Connection& thermo) {
    std::vector<std::pair<std::int64_t, std::string>> list;
    for (const store::Row& row : thermo.query(kSpeciesQuery).rows)
        list.emplace_back(store::toInteger(row.field("Num")).value_or(0),
                          store::toText(row.field("Species")));
    return list;
}

ReactionInputFocus ReactionInputModel::focusOfColumn(std::size_t field, const std::string& type) {
    const auto at = [](Tab tab, Box box, int index = -1) {
        return ReactionInputFocus{tab, box, index};
    };
    if (field == rx::kReaction)
        return at(Tab::General, Box::Species, 0);
    if (field >= rx::kR1 && field < rx::kR1 + rx::kSlotCount)
        return at(Tab::General, Box::Species, static_cast<int>(field - rx::kR1));
    if (field == rx::kA)
        return at(Tab::General, Box::ForwardA);
    if (field == rx::kN)
        return at(Tab::General, Box::ForwardN);
    if (field == rx::kE)
        return at(Tab::General, Box::ForwardE);
    if (field >= rx::kS1 && field < rx::kS1 + 2 * rx::kThirdBodyCount) {
        const std::size_t offset = field - rx::kS1;
        return at(Tab::ThirdBodies, offset % 2 == 0 ? Box::ThirdBodyName : Box::ThirdBodyValue,
                  static_cast<int>(offset / 2));
    }
    if (field == rx::kReference)
        return at(Tab::Reference, Box::Reference);
    if (field == rx::kComment)
        return at(Tab::Reference, Box::Comment);

    const bool parameter = field == rx::kType || field == rx::kAL || field == rx::kNL ||
                           field == rx::kEL || (field >= rx::kTa && field < rx::kTa + 5);
    if (!parameter)
        return at(Tab::General, Box::None);
    const std::string rest = typeAfterPrefix(type);
    if (contains(rest, "LOW")) {
        if (field == rx::kAL)
            return at(Tab::PressureEffects, Box::LowA);
        if (field == rx::kNL)
            return at(Tab::PressureEffects, Box::LowN);
        if (field == rx::kEL)
            return at(Tab::PressureEffects, Box::LowE);
        if (field == rx::kType)
            return at(Tab::PressureEffects, Box::FFunction);
        return at(Tab::PressureEffects, Box::Falloff, static_cast<int>(field - rx::kTa));
    }
    if (contains(rest, "REV")) {
        if (field == rx::kAL)
            return at(Tab::General, Box::ReverseA);
        if (field == rx::kNL)
            return at(Tab::General, Box::ReverseN);
        if (field == rx::kEL)
            return at(Tab::General, Box::ReverseE);
        return at(Tab::General, Box::Reverse);
    }
    return at(Tab::General, Box::None);
}

ReactionInputResult ReactionInputModel::numberFault() const {
    const auto positive = [](const std::string& box) {
        const std::optional<double> v = boxNumber(box);
        return v && *v > 0;
    };
    const auto number = [](const std::string& box) { return boxNumber(box).has_value(); };

    if (!positive(a))
        return refusal(Tab::General, Box::ForwardA,
                       "A-value of forward reaction, please enter a positive number.");
    if (!number(n))
        return refusal(Tab::General, Box::ForwardN,
                       "n-value of forward reaction, please enter a number.");
    if (!number(e))
        return refusal(Tab::General, Box::ForwardE,
                       "E-value of forward reaction, please enter a number.");
    if (reverse) {
        if (!positive(reverseA))
            return refusal(Tab::General, Box::ReverseA,
                           "A-value of reverse reaction, please enter a positive number.");
        if (!number(reverseN))
            return refusal(Tab::General, Box::ReverseN,
                           "n-value of reverse reaction, please enter a number.");
        if (!number(reverseE))
            return refusal(Tab::General, Box::ReverseE,
                           "E-value of reverse reaction, please enter a number.");
    }
    if (pressureDependent()) {
        constexpr const char* kPressure =
            "Parameters of pressure dependent reaction, please enter numbers.";
        if (!number(lowA))
            return refusal(Tab::PressureEffects, Box::LowA, kPressure);
        if (!number(lowN))
            return refusal(Tab::PressureEffects, Box::LowN, kPressure);
        if (!number(lowE))
            return refusal(Tab::PressureEffects, Box::LowE, kPressure);
        for (std::size_t i = 0; i < falloff.size(); ++i)
            if (!trimBlanks(falloff[i]).empty() && !number(falloff[i]))
                return refusal(Tab::PressureEffects, Box::Falloff, kPressure, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i)
        if (!trimBlanks(efficiencies[i]).empty() && !number(efficiencies[i]))
            return refusal(Tab::ThirdBodies, Box::ThirdBodyValue,
                           "Third-body efficiency, please enter a number.", static_cast<int>(i));

    // The record has one set of auxiliary parameters, and a one-way reaction has no reverse
    // rate: either combination would store something the mechanism cannot say.
    if (reverse && irreversible)
        return refusal(Tab::General, Box::Reverse,
                       "An irreversible reaction has no reverse parameters; clear the "
                       "Irreversible or the Reverse check box.");
    if (reverse && pressureDependent())
        return refusal(Tab::General, Box::Reverse,
                       "A pressure dependent reaction cannot have reverse parameters; clear the "
                       "Reverse check box.");
    return {};
}

std::string ReactionInputModel::builtType() const {
    std::string type = irreversible ? "Irrev " : "";
    if (pressureDependent())
        type = trimBlanks(type + "Low" + " " +
                          (fFunction >= 0 && fFunction < static_cast<int>(kFFunctionItems.size())
                               ? kFFunctionItems[static_cast<std::size_t>(fFunction)]
                               : ""));
    if (reverse)
        type = trimBlanks(type + "Rev");
    return type;
}

ReactionInputResult ReactionInputModel::ok(ReactionDatabase& database,
                                           const ThermoSpeciesList& thermoSpecies,
                                           Dialogs& dialogs) {
    ReactionInputResult result = numberFault();
    if (!result.message.empty()) {
        dialogs.message(result.message, kMessageTitle, Icon::Exclamation);
        return result;
    }

    const bool pressure = pressureDependent();
    CheckInput input;
    for (std::size_t s = 0; s < rx::kSlotCount; ++s)
        input.species[s] = trimBlanks(species[s]);
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i)
        input.thirdBodies[i] = trimBlanks(thirdBodies[i]);
    input.al = boxNumber(pressure ? lowA : reverseA);
    if (pressure)
        for (std::size_t i = 0; i < falloff.size(); ++i)
            input.falloff[i] = boxNumber(falloff[i]);
    input.type = builtType();
    const CheckResult check = checkReaction(input, thermoSpecies);
    if (!check.valid) {
        ReactionInputFocus focus{Tab::General, Box::None, -1};
        if (check.message.rfind("Pressure-dep", 0) == 0) {
            focus = {Tab::PressureEffects, Box::LowA, -1};
        } else {
            switch (check.focus.box) {
            case CheckFocus::Box::Species:
                focus = {Tab::General, Box::Species, check.focus.index};
                break;
            case CheckFocus::Box::ThirdBody:
                focus = {Tab::ThirdBodies, Box::ThirdBodyName, check.focus.index};
                break;
            case CheckFocus::Box::AL:
                focus = {Tab::PressureEffects, Box::LowA, -1};
                break;
            case CheckFocus::Box::FalloffB:
                focus = {Tab::PressureEffects, Box::Falloff, 1};
                break;
            case CheckFocus::Box::FalloffC:
                focus = {Tab::PressureEffects, Box::Falloff, 2};
                break;
            case CheckFocus::Box::None:
                break;
            }
        }
        dialogs.message(check.message, kMessageTitle, Icon::Exclamation);
        return {false, focus, check.message};
    }

    guarded(dialogs, "10#001. ", [&] {
        store::Connection db = database.connection();
        store::Transaction transaction(db);
        const store::RowSet found =
            db.query("SELECT * FROM [Reactions] WHERE rowid = " + std::to_string(rowKey_) + ";");
        if (found.rows.empty())
            throw store::StoreError("The reaction is no longer in the database.");
        ReactionRecord record = reactionFromRow(found.rows.front());

        record.species = input.species;
        record.a = boxNumber(a);
        record.n = boxNumber(n);
        record.e = boxNumber(e);
        // Type..E10 start empty, so nothing of an earlier type survives the new one.
        record.type = input.type;
        record.al = record.nl = record.el = std::nullopt;
        record.untouched[2] = record.untouched[3] = Value(); // ALccm, ELccm
        record.falloff = {};
        record.thirdBodies = {};
        record.efficiencies = {};
        if (pressure) {
            record.al = boxNumber(lowA);
            record.nl = boxNumber(lowN);
            record.el = boxNumber(lowE);
            for (std::size_t i = 0; i < falloff.size(); ++i)
                record.falloff[i] = boxNumber(falloff[i]);
        } else if (reverse) {
            record.al = boxNumber(reverseA);
            record.nl = boxNumber(reverseN);
            record.el = boxNumber(reverseE);
        }
        // Emptied boxes leave no gaps: the writer and the reader fill the slots from the first.
        std::size_t slot = 0;
        for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
            if (input.thirdBodies[i].empty())
                continue;
            record.thirdBodies[slot] = input.thirdBodies[i];
            record.efficiencies[slot] = boxNumber(efficiencies[i]);
            ++slot;
        }
        record.reference = reference.substr(0, std::min(reference.size(), kMaxTextLength));
        record.comment = comment.substr(0, std::min(comment.size(), kMaxTextLength));
        record.enabled = enabled;
        record.reaction = check.equation;
        record.composition = check.composition;
        record.info = 0;

        const auto& fields = store::reactionsSchema().fields;
        std::string statement = "UPDATE [Reactions] SET ";
        for (std::size_t i = 0; i < fields.size(); ++i)
            statement += (i == 0 ? "[" : ", [") + fields[i].name + "] = ?";
        statement += " WHERE rowid = ?";
        std::vector<Value> parameters = rowFromReaction(record);
        parameters.emplace_back(rowKey_);
        db.executeEach(statement, std::vector<std::vector<Value>>{parameters});
        transaction.commit();
        database.setModified();
        invalid_ = false;
        result.saved = true;
    });
    return result;
}

} // namespace kinetra::reactions

#include "thermo/SpeciesInputModel.h"

#include "common/NumberFormat.h"
#include "common/PlaceError.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "store/Database.h"
#include "thermo/Composition.h"
#include "thermo/SpeciesCheck.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoDatabase.h"

#include <algorithm>
#include <cctype>

namespace kinetra::thermo {

using store::Value;

const std::string SpeciesInputModel::kTips =
    std::string("Values of current row are displayed in text boxes of this window. ") + "\n" +
    "Change the values in the text boxes when needed, and then do one of  the following:" +
    "1. Click the OK button; the changes will be saved in the database." +
    "2. Move the table cursor to another row; the changes will not be saved in the database." +
    "3. Click the Cancel button; the changes will not be saved in the database and the window "
    "will be closed.";

namespace {

// Not the window title: message boxes carry the program name.
constexpr const char* kMessageTitle = "KINETRA";
constexpr const char* kDuplicate = "The species name has a duplicate, change the name.";

// Digits with an optional sign: "1.0" or "1E0" are numbers but not what the box asks for.
std::optional<long long> integerText(std::string_view text) {
    const std::string t = trimBlanks(text);
    std::size_t p = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (p >= t.size() || !std::all_of(t.begin() + static_cast<std::ptrdiff_t>(p), t.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    // Counts beyond any real molecule would only overflow here; parse through a double.
    const std::optional<double> value = parseNumber(t);
    if (!value)
        return std::nullopt;
    return static_cast<long long>(std::clamp(*value, -1e15, 1e15));
}

std::optional<double> boxNumber(const std::string& text) {
    if (trimBlanks(text).empty())
        return std::nullopt;
    return parseNumber(text);
}

std::string numberText(const Value& value) {
    return store::isNull(value) ? std::string() : store::toText(value);
}

InputOkResult refusal(InputTab tab, std::string message) {
    return {false, tab, std::move(message)};
}

InputOkResult checkRefusal(const SpeciesCheckResult& check) {
    switch (check.code) {
    case kNameEmpty:
        return refusal(InputTab::General, "The species name is empty, enter a name.");
    case kNewRow:
        return refusal(InputTab::General, "New species, enter a name.");
    case kDuplicateName:
        return refusal(InputTab::General, kDuplicate);
    case kForbiddenSymbol:
        return refusal(InputTab::General, check.detail);
    case kMisplacedPlus:
        return refusal(InputTab::General, "Incorrect use of symbol '+'. This symbol may be placed "
                                          "only at the end of the name.");
    case kNoElements:
        return refusal(InputTab::Elements,
                       "Chemical elements aren't specified, please enter positive integers.");
    case kTooManyIonElements:
    case kTooManyElements:
        return refusal(InputTab::Elements, check.detail);
    case kNoCoefficients:
        return refusal(InputTab::Polynomials, "The polynomial coefficients aren't specified.");
    case kNoTmin:
        return refusal(InputTab::General,
                       "The low temperature Tmin, please enter a positive number.");
    case kNoTmax:
        return refusal(InputTab::General,
                       "The high temperature Tmax, please enter a positive number.");
    case kNoTcom:
        return refusal(InputTab::General,
                       "The common temperature Tcom, please enter a positive number.");
    case kTminNotBelowTmax:
        return refusal(InputTab::General, "Incorrect setting of temperature interval, Tmin is "
                                          "equal to or greater than Tmax.");
    case kTcomOutside:
        return refusal(InputTab::General, "Incorrect setting of temperature intervals, Tcom is "
                                          "outside of the interval (Tmin, Tmax).");
    default:
        return {};
    }
}

} // namespace

void SpeciesInputModel::load(const std::vector<Value>& row, std::int64_t rowKey,
                             const ElementTable& elements) {
    elements_ = elements;
    rowKey_ = rowKey;
    name = store::toText(row.at(trm::kSpecies));
    charge = numberText(row.at(trm::kCh));
    phase = store::toText(row.at(trm::kSt));
    tmin = numberText(row.at(trm::kTmin));
    tmax = numberText(row.at(trm::kTmax));
    tcom = numberText(row.at(trm::kTbound));
    elementContent = {};
    for (int slot = 1; slot < kSlotCount; ++slot)
        elementContent[slot] = numberText(row.at(trm::kN1 + slot - 1));
    // An empty coefficient field counts as 0 everywhere else, so the box says so.
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        const Value& a = row.at(trm::kA1 + i);
        coefficients[i] = store::isNull(a) ? std::string("0") : store::toText(a);
    }
    a15_ = row.at(trm::kA1 + 14);
    reference = store::toText(row.at(trm::kReference));
    comment = store::toText(row.at(trm::kComment));
    shownInterval = PolynomialInterval::Lower;
}

std::vector<int> SpeciesInputModel::elementSlots() const {
    std::vector<int> slots;
    for (int slot = 1; slot < kSlotCount; ++slot)
        if (elements_.inUse(slot))
            slots.push_back(slot);
    return slots;
}

std::string SpeciesInputModel::intervalCaption(PolynomialInterval interval) const {
    const auto temperature = [](const std::string& box) {
        const std::optional<double> value = boxNumber(box);
        return value ? formatNumber(*value, "0.##") : box;
    };
    if (interval == PolynomialInterval::Lower)
        return temperature(tmin) + " < T < " + temperature(tcom);
    return temperature(tcom) + " < T < " + temperature(tmax);
}

std::string& SpeciesInputModel::coefficientBox(PolynomialInterval interval, int box) {
    return coefficients.at((interval == PolynomialInterval::Lower ? 7 : 0) +
                           static_cast<std::size_t>(box));
}

const std::string& SpeciesInputModel::coefficientBox(PolynomialInterval interval, int box) const {
    return coefficients.at((interval == PolynomialInterval::Lower ? 7 : 0) +
                           static_cast<std::size_t>(box));
}

SpeciesRecord SpeciesInputModel::species() const {
    SpeciesRecord s;
    s.name = name;
    s.composition[0] = boxNumber(charge);
    for (int slot = 1; slot < kSlotCount; ++slot)
        s.composition[slot] = boxNumber(elementContent[slot]);
    s.phase = phase;
    s.tmin = boxNumber(tmin);
    s.tmax = boxNumber(tmax);
    s.tcom = boxNumber(tcom);
    for (std::size_t i = 0; i < coefficients.size(); ++i)
        s.coefficients[i] = boxNumber(coefficients[i]).value_or(0.0);
    s.coefficients[14] = store::toDouble(a15_).value_or(0.0);
    s.reference = reference;
    s.comment = comment;
    return s;
}

bool SpeciesInputModel::compositionReadable() const {
    const auto readable = [](const std::string& box) {
        return trimBlanks(box).empty() || isNumeric(box);
    };
    return readable(charge) &&
           std::all_of(elementContent.begin() + 1, elementContent.end(), readable);
}

std::string SpeciesInputModel::formulaText() const {
    std::string text = molecularFormula(species(), elements_);
    if (!compositionReadable())
        text += kWeightError;
    return text;
}

std::string SpeciesInputModel::weightText() const {
    if (!compositionReadable())
        return {};
    return formatNumber(molecularWeight(species(), elements_), "0.#####");
}

InputOkResult SpeciesInputModel::validate(ThermoDatabase& database) const {
    if (!trimBlanks(charge).empty() && !integerText(charge))
        return refusal(InputTab::General,
                       "Electronic charge, please enter an integer or clear the text box.");
    for (int slot = 1; slot < kSlotCount; ++slot) {
        if (trimBlanks(elementContent[slot]).empty())
            continue;
        const auto count = integerText(elementContent[slot]);
        if (!count || *count < 1)
            return refusal(
                InputTab::Elements,
                "Elemental content, please enter a positive integer or clear the text box.");
    }
    const SpeciesCheckResult check = checkSpecies(species(), true);
    if (check.code != kSpeciesValid)
        return checkRefusal(check);

    store::Connection db = database.connection();
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Trm];");
    for (std::size_t i = 0; i < rows.rows.size(); ++i)
        if (rows.keys[i] != rowKey_ && store::toText(rows.rows[i][trm::kSpecies]) == name)
            return refusal(InputTab::General, kDuplicate);

    if (!std::all_of(coefficients.begin(), coefficients.end(),
                     [](const std::string& box) { return isNumeric(box); }))
        return refusal(InputTab::Polynomials, "Polynomial coefficients, please enter numbers.");
    return {};
}

void SpeciesInputModel::write(ThermoDatabase& database) const {
    const std::vector<Value> row = rowFromSpecies(species(), elements_, RowMarks{});
    // Everything the window edits or derives; A15 and the program's marks stay as they are.
    std::string statement = "UPDATE [Trm] SET Species = ?, MolFormula = ?";
    std::vector<Value> parameters{row[trm::kSpecies], row[trm::kMolFormula]};
    for (std::size_t i = 0; i < 14; ++i) {
        statement += ", A" + std::to_string(i + 1) + " = ?";
        parameters.push_back(row[trm::kA1 + i]);
    }
    statement += ", MW = ?, St = ?, Ch = ?";
    for (std::size_t field : {trm::kMW, trm::kSt, trm::kCh})
        parameters.push_back(row[field]);
    for (int slot = 1; slot < kSlotCount; ++slot) {
        statement += ", N" + std::to_string(slot) + " = ?";
        parameters.push_back(row[trm::kN1 + slot - 1]);
    }
    statement += ", Tmin = ?, Tmax = ?, Tbound = ?, Pol = ?, Reference = ?, Comment = ?";
    for (std::size_t field :
         {trm::kTmin, trm::kTmax, trm::kTbound, trm::kPol, trm::kReference, trm::kComment})
        parameters.push_back(row[field]);
    statement += " WHERE rowid = ?";
    parameters.emplace_back(std::in_place_type<std::int64_t>, rowKey_);

    store::Connection db = database.connection();
    {
        store::Transaction transaction(db);
        std::vector<std::vector<Value>> sets(1);
        sets[0] = std::move(parameters);
        db.executeEach(statement, sets);
        transaction.commit();
    }
    checkAllSpecies(db);
    database.setModified();
}

InputOkResult SpeciesInputModel::ok(ThermoDatabase& database, Dialogs& dialogs) {
    InputOkResult result;
    guarded(dialogs, "09#001. ", [&] {
        result = validate(database);
        if (!result.message.empty()) {
            dialogs.message(result.message, kMessageTitle, Icon::Exclamation);
            return;
        }
        write(database);
        result.saved = true;
    });
    return result;
}

} // namespace kinetra::thermo

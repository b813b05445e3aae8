#include "reactions/RatePlotSettings.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"

namespace kinetra::reactions {

namespace {

constexpr const char* kTitle = "KINETRA";

RateSetupValidation refuse(Dialogs& dialogs, const std::string& text, RateSetupField focus) {
    dialogs.message(text, kTitle, Icon::Exclamation);
    RateSetupValidation result;
    result.focus = focus;
    return result;
}

std::string boxText(double value) {
    if (value == 0)
        return {};
    std::string text = formatNumber(value, "0.#########");
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

// The positive-number check of a range box: a text that is no number gets the general
// message, a number that is not positive the one naming the box.
std::optional<double> positiveValue(const std::string& text, const char* boxName,
                                    Dialogs& dialogs) {
    const std::optional<double> value = parseNumber(text);
    if (!value) {
        dialogs.message("Please enter a positive number.", kTitle, Icon::Exclamation);
        return std::nullopt;
    }
    if (*value <= 0) {
        dialogs.message(std::string("Please enter a positive '") + boxName + "' value.", kTitle,
                        Icon::Exclamation);
        return std::nullopt;
    }
    return value;
}

} // namespace

EquilibriumCaption equilibriumCaption(bool equilibriumChecked, bool kp) {
    if (!equilibriumChecked)
        return {"Plot", false};
    return {kp ? "Plot.        Units: atm." : "Plot.        Units: mol/cm^3", true};
}

std::array<std::string, 2> enthalpyEntropyCaptions(bool joule) {
    if (joule)
        return {"Delta H (kJ/mol)", "Delta S (J/K mol)"};
    return {"Delta H (kcal/mol)", "Delta S (cal/K mol)"};
}

RateSetupTexts RateSetupTexts::from(const RatePlotSettings& s) {
    RateSetupTexts t;
    t.min = boxText(s.tmin);
    t.max = boxText(s.tmax);
    t.step = boxText(s.step);
    t.kfor = s.kfor;
    t.krev = s.krev;
    t.kforLow = s.kforLow;
    t.krevLow = s.krevLow;
    t.equilibrium = s.equilibrium;
    t.deltaH = s.deltaH;
    t.deltaS = s.deltaS;
    t.kp = s.kp;
    t.joule = s.joule;
    return t;
}

RateSetupValidation validateRateSetup(const RateSetupTexts& t, Dialogs& dialogs) {
    if (!(t.kfor || t.krev || t.kforLow || t.krevLow || t.equilibrium || t.deltaH || t.deltaS))
        return refuse(dialogs, "Check functions you want to plot.", RateSetupField::Functions);
    RateSetupValidation refused;
    const std::optional<double> min = positiveValue(t.min, "Min", dialogs);
    if (!min) {
        refused.focus = RateSetupField::Min;
        return refused;
    }
    const std::optional<double> max = positiveValue(t.max, "Max", dialogs);
    if (!max) {
        refused.focus = RateSetupField::Max;
        return refused;
    }
    const std::optional<double> step = positiveValue(t.step, "Step", dialogs);
    if (!step) {
        refused.focus = RateSetupField::Step;
        return refused;
    }
    const float minF = static_cast<float>(*min), maxF = static_cast<float>(*max);
    if (maxF < minF)
        return refuse(dialogs, "The Min value is greater than the Max value. Enter correct values.",
                      RateSetupField::Min);
    if (static_cast<float>(*step) > maxF - minF)
        return refuse(dialogs,
                      "The number of points is zero. Check up the Min, Max and Step values.",
                      RateSetupField::Step);
    RatePlotSettings s;
    s.tmin = *min;
    s.tmax = *max;
    s.step = *step;
    s.kfor = t.kfor;
    s.krev = t.krev;
    s.kforLow = t.kforLow;
    s.krevLow = t.krevLow;
    s.equilibrium = t.equilibrium;
    s.deltaH = t.deltaH;
    s.deltaS = t.deltaS;
    s.kp = t.kp;
    s.joule = t.joule;
    RateSetupValidation accepted;
    accepted.settings = s;
    return accepted;
}

} // namespace kinetra::reactions
